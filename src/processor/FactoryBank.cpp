#include "FactoryBank.h"

#include "BankRecord.h"
#include "ParameterLayout.h"

#include <vector>
#include <memory>

namespace
{
    struct Point
    {
        int slot;   // 1 ... 20
        int x;      // step of the X parameter, 0 ... 8191
        float y;
        int type;   // 1 ... 3
    };

    struct Wave
    {
        int first, last;   // waves first ... last (1 ... 10) carry these points
        std::vector<Point> points;
    };

    struct Program
    {
        const char* name;
        int loopLengthStep;
        bool hertzSynced;  // the format's "Speed Type" was a choice of two: beats or hertz
        float speed;
        std::vector<Wave> waves;
    };

    // A level line from start to end of the cycle, used to fill the spare waves.
    const std::vector<Point> level = { { 1, 0, 0.710682f, 3 }, { 20, 8191, 0.710682f, 3 } };

    const Program programs[BankRecord::numPrograms] = {
        { "Left to Right", 12, false, 0.0f, {
            { 1, 1, { { 1, 2039, 1.0f, 1 }, { 2, 6152, 0.0f, 1 }, { 3, 5098, 0.0f, 1 }, { 4, 7172, 0.0f, 1 },
                      { 5, 1037, 1.0f, 1 }, { 6, 3076, 1.0f, 1 } } } } },
        { "Left to Right 2", 12, false, 0.0f, {
            { 1, 1, { { 2, 3076, 0.496124f, 1 }, { 3, 5115, 0.5f, 1 }, { 4, 7137, 0.507752f, 1 },
                      { 6, 1019, 0.496124f, 1 }, { 7, 2004, 1.0f, 3 }, { 8, 6135, 0.0f, 3 } } } } },
        { "Hard Left", 8, false, 0.0f, {
            { 1, 1, { { 1, 0, 1.0f, 1 } } } } },
        { "Ryhthm", 8, false, 0.0f, {
            { 1, 1, { { 1, 0, 1.0f, 3 }, { 2, 856, 1.0f, 1 }, { 3, 1278, 0.0f, 1 }, { 4, 4046, 0.010695f, 2 },
                      { 5, 4766, 0.839572f, 1 }, { 6, 4815, 0.0f, 1 }, { 7, 6144, 0.625668f, 2 },
                      { 8, 6652, 0.636364f, 1 }, { 9, 4096, 0.84492f, 2 }, { 10, 6702, 0.0f, 1 },
                      { 11, 1104, 0.818182f, 1 }, { 12, 6094, 0.0f, 2 }, { 13, 8154, 0.0f, 2 } } } } },
        { "Fast to Slow", 8, true, 0.155f, {
            { 1, 1, { { 1, 0, 0.0f, 2 }, { 2, 193, 1.0f, 2 }, { 3, 2197, 1.0f, 2 }, { 4, 703, 0.0f, 2 },
                      { 5, 1582, 0.0f, 2 }, { 6, 3744, 0.007752f, 2 }, { 7, 5467, 1.0f, 2 }, { 8, 1177, 1.0f, 2 } } } } },
        { "Swoosh", 10, false, 0.0f, {
            { 1, 1, { { 1, 5221, 0.5f, 3 }, { 2, 6064, 0.0f, 1 }, { 3, 0, 0.496124f, 3 }, { 4, 7488, 0.003876f, 1 },
                      { 5, 8121, 1.0f, 2 } } } } },
        { "Left to Right Shy", 10, false, 0.0f, {
            { 1, 1, { { 1, 0, 0.5f, 3 }, { 2, 2047, 0.752534f, 1 }, { 3, 4095, 0.5f, 3 }, { 4, 6143, 0.247466f, 1 } } } } },
        { "Slow Walker", 10, true, 0.115f, {
            { 1, 1, { { 1, 2047, 1.0f, 3 }, { 2, 6143, 0.0f, 3 } } } } },
        { "Opponents", 10, false, 0.0f, {
            { 1, 1, { { 1, 70, 1.0f, 3 }, { 2, 4254, 0.0f, 3 }, { 3, 3849, 1.0f, 3 }, { 4, 8033, 0.0f, 3 } } } } },
        { "I am Right", 10, false, 0.0f, {
            { 1, 1, { { 1, 0, 1.0f, 2 }, { 2, 1265, 0.0f, 3 }, { 3, 7752, 0.0f, 3 }, { 4, 545, 1.0f, 2 },
                      { 5, 8051, 0.0f, 1 }, { 6, 984, 0.0f, 1 } } } } },
        { "Tonal Destruction", 10, true, 0.750001f, {
            { 1, 1, { { 1, 4218, 0.010132f, 1 }, { 2, 1384, 0.258766f, 1 }, { 3, 2389, 0.383862f, 3 },
                      { 4, 1474, 0.467635f, 2 }, { 7, 828, 0.580218f, 2 }, { 8, 1046, 0.316935f, 1 },
                      { 9, 2716, 0.808405f, 1 }, { 10, 7534, 0.390454f, 2 }, { 11, 559, 0.751793f, 3 },
                      { 12, 3244, 0.330973f, 1 }, { 13, 355, 0.493179f, 1 }, { 14, 6170, 0.533067f, 3 },
                      { 15, 6954, 0.428266f, 3 }, { 16, 3728, 0.160222f, 1 }, { 17, 1187, 0.451735f, 2 },
                      { 18, 1663, 0.070437f, 1 }, { 19, 2992, 0.536058f, 1 }, { 20, 7657, 0.274667f, 1 } } },
            { 4, 10, level } } },
        { "Tonal Destruction 2", 10, true, 0.750001f, {
            { 1, 1, { { 1, 2407, 0.473373f, 1 }, { 2, 5412, 0.907773f, 3 }, { 3, 4162, 0.876095f, 1 },
                      { 4, 1586, 0.749016f, 2 }, { 7, 7007, 0.525956f, 2 }, { 8, 5013, 0.494858f, 1 },
                      { 9, 1312, 0.424757f, 2 }, { 10, 987, 0.250496f, 3 }, { 11, 2980, 0.887478f, 2 },
                      { 12, 1984, 0.347667f, 1 }, { 13, 7418, 0.946623f, 3 }, { 14, 2258, 0.642659f, 1 },
                      { 15, 8068, 0.380016f, 3 }, { 16, 3424, 0.777612f, 1 }, { 17, 3094, 0.741752f, 1 },
                      { 18, 3517, 0.708579f, 1 }, { 19, 3673, 0.363598f, 2 }, { 20, 6263, 0.969756f, 2 } } },
            { 4, 10, level } } },
        { "Tonal Destruction 3", 10, true, 0.750001f, {
            { 1, 1, { { 1, 3203, 0.489547f, 1 }, { 2, 2271, 0.447188f, 1 }, { 3, 2682, 0.048097f, 1 },
                      { 4, 7778, 0.111606f, 1 }, { 7, 1827, 0.936949f, 2 }, { 8, 4424, 0.838282f, 2 },
                      { 9, 7158, 0.717032f, 3 }, { 10, 5066, 0.279183f, 2 }, { 11, 5969, 0.004303f, 3 },
                      { 12, 379, 0.589373f, 1 }, { 13, 1598, 0.980895f, 3 }, { 14, 4852, 0.017792f, 1 },
                      { 15, 5409, 0.380108f, 3 }, { 16, 4643, 0.603534f, 1 }, { 17, 2456, 0.500046f, 1 },
                      { 18, 3326, 0.545549f, 2 }, { 19, 7577, 0.781152f, 1 }, { 20, 5254, 0.652638f, 2 } } },
            { 4, 10, level } } },
        { "Saw Destruction", 10, true, 0.625f, {
            { 1, 1, { { 1, 0, 1.0f, 3 }, { 2, 8121, 0.0f, 3 } } },
            { 2, 10, level } } },
        { "Shrill", 5, true, 0.9f, {
            { 1, 1, { { 1, 0, 1.0f, 3 }, { 2, 819, 1.0f, 3 }, { 3, 1905, 0.0f, 2 }, { 4, 7747, 0.0f, 2 } } },
            { 2, 10, level } } },
        { "Init", 10, false, 0.0f, {} },
    };

    // What a program of format 2 held: the first five parameters as step numbers, points 1 ... 20
    // of every wave after the plug-in parameters.
    constexpr int formatTwo = 2;
    using Layout = ParameterLayout;

    ProgramRecord formatTwoProgram (const Program& program)
    {
        ProgramRecord record;
        record.version = formatTwo;
        record.setName (program.name);
        auto& v = record.values;
        v[Layout::loopLength] = (float) program.loopLengthStep;
        v[Layout::speedType] = program.hertzSynced ? 1.0f : 0.0f;
        v[Layout::speed] = program.speed;

        for (auto& wave : program.waves)
            for (int w = wave.first; w <= wave.last; ++w)
                for (auto& point : wave.points)
                {
                    const auto at = [&] (Layout::PointField field)
                    { return (size_t) Layout::pointParameter (w - 1, point.slot - 1, field); };
                    v[at (Layout::pointX)] = Layout::valueOfStep (point.x, Layout::xSteps);
                    v[at (Layout::pointY)] = point.y;
                    v[at (Layout::pointType)] = Layout::valueOfStep (point.type, Layout::typeSteps);
                }

        return record;
    }
}

std::vector<uint8_t> FactoryBank::formatTwoBytes()
{
    auto bank = std::make_unique<BankRecord>();
    bank->format = formatTwo;

    for (size_t i = 0; i < bank->programs.size(); ++i)
        bank->programs[i] = formatTwoProgram (programs[i]);

    std::vector<uint8_t> bytes ((size_t) BankRecord::sizeOf (formatTwo));
    bank->write (bytes.data());
    return bytes;
}
