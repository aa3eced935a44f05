// The factory bank as a fresh instance holds it, after migration from its stored format.

#include "processor/AudioProcessor.h"
#include "processor/FactoryBank.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
    struct Named
    {
        const char* name;
        int loopLength, speedType;
        float speed;
    };

    const Named named[16] = {
        { "Left to Right", 12, 0, 0.0f }, { "Left to Right 2", 12, 0, 0.0f }, { "Hard Left", 8, 0, 0.0f },
        { "Ryhthm", 8, 0, 0.0f }, { "Fast to Slow", 8, 3, 0.155f }, { "Swoosh", 10, 0, 0.0f },
        { "Left to Right Shy", 10, 0, 0.0f }, { "Slow Walker", 10, 3, 0.115f }, { "Opponents", 10, 0, 0.0f },
        { "I am Right", 10, 0, 0.0f }, { "Tonal Destruction", 10, 3, 0.750001f },
        { "Tonal Destruction 2", 10, 3, 0.750001f }, { "Tonal Destruction 3", 10, 3, 0.750001f },
        { "Saw Destruction", 10, 3, 0.625f }, { "Shrill", 5, 3, 0.9f }, { "Init", 10, 0, 0.0f },
    };

    // The used slots of every program, "slot: x step, y, type" as listed for the product.
    struct Listed { int program, firstWave, lastWave; const char* slots; };
    const char* const level = "1: 0, 0.710682, 3; 20: 8191, 0.710682, 3";
    const Listed listed[] = {
        { 0, 1, 1, "1: 2039, 1, 1; 2: 6152, 0, 1; 3: 5098, 0, 1; 4: 7172, 0, 1; 5: 1037, 1, 1; 6: 3076, 1, 1" },
        { 1, 1, 1, "2: 3076, 0.496124, 1; 3: 5115, 0.5, 1; 4: 7137, 0.507752, 1; 6: 1019, 0.496124, 1; 7: 2004, 1, 3; 8: 6135, 0, 3" },
        { 2, 1, 1, "1: 0, 1, 1" },
        { 3, 1, 1, "1: 0, 1, 3; 2: 856, 1, 1; 3: 1278, 0, 1; 4: 4046, 0.010695, 2; 5: 4766, 0.839572, 1; 6: 4815, 0, 1; 7: 6144, 0.625668, 2; 8: 6652, 0.636364, 1; 9: 4096, 0.84492, 2; 10: 6702, 0, 1; 11: 1104, 0.818182, 1; 12: 6094, 0, 2; 13: 8154, 0, 2" },
        { 4, 1, 1, "1: 0, 0, 2; 2: 193, 1, 2; 3: 2197, 1, 2; 4: 703, 0, 2; 5: 1582, 0, 2; 6: 3744, 0.007752, 2; 7: 5467, 1, 2; 8: 1177, 1, 2" },
        { 5, 1, 1, "1: 5221, 0.5, 3; 2: 6064, 0, 1; 3: 0, 0.496124, 3; 4: 7488, 0.003876, 1; 5: 8121, 1, 2" },
        { 6, 1, 1, "1: 0, 0.5, 3; 2: 2047, 0.752534, 1; 3: 4095, 0.5, 3; 4: 6143, 0.247466, 1" },
        { 7, 1, 1, "1: 2047, 1, 3; 2: 6143, 0, 3" },
        { 8, 1, 1, "1: 70, 1, 3; 2: 4254, 0, 3; 3: 3849, 1, 3; 4: 8033, 0, 3" },
        { 9, 1, 1, "1: 0, 1, 2; 2: 1265, 0, 3; 3: 7752, 0, 3; 4: 545, 1, 2; 5: 8051, 0, 1; 6: 984, 0, 1" },
        { 10, 1, 1, "1: 4218, 0.010132, 1; 2: 1384, 0.258766, 1; 3: 2389, 0.383862, 3; 4: 1474, 0.467635, 2; 7: 828, 0.580218, 2; 8: 1046, 0.316935, 1; 9: 2716, 0.808405, 1; 10: 7534, 0.390454, 2; 11: 559, 0.751793, 3; 12: 3244, 0.330973, 1; 13: 355, 0.493179, 1; 14: 6170, 0.533067, 3; 15: 6954, 0.428266, 3; 16: 3728, 0.160222, 1; 17: 1187, 0.451735, 2; 18: 1663, 0.070437, 1; 19: 2992, 0.536058, 1; 20: 7657, 0.274667, 1" },
        { 10, 4, 10, level },
        { 11, 1, 1, "1: 2407, 0.473373, 1; 2: 5412, 0.907773, 3; 3: 4162, 0.876095, 1; 4: 1586, 0.749016, 2; 7: 7007, 0.525956, 2; 8: 5013, 0.494858, 1; 9: 1312, 0.424757, 2; 10: 987, 0.250496, 3; 11: 2980, 0.887478, 2; 12: 1984, 0.347667, 1; 13: 7418, 0.946623, 3; 14: 2258, 0.642659, 1; 15: 8068, 0.380016, 3; 16: 3424, 0.777612, 1; 17: 3094, 0.741752, 1; 18: 3517, 0.708579, 1; 19: 3673, 0.363598, 2; 20: 6263, 0.969756, 2" },
        { 11, 4, 10, level },
        { 12, 1, 1, "1: 3203, 0.489547, 1; 2: 2271, 0.447188, 1; 3: 2682, 0.048097, 1; 4: 7778, 0.111606, 1; 7: 1827, 0.936949, 2; 8: 4424, 0.838282, 2; 9: 7158, 0.717032, 3; 10: 5066, 0.279183, 2; 11: 5969, 0.004303, 3; 12: 379, 0.589373, 1; 13: 1598, 0.980895, 3; 14: 4852, 0.017792, 1; 15: 5409, 0.380108, 3; 16: 4643, 0.603534, 1; 17: 2456, 0.500046, 1; 18: 3326, 0.545549, 2; 19: 7577, 0.781152, 1; 20: 5254, 0.652638, 2" },
        { 12, 4, 10, level },
        { 13, 1, 1, "1: 0, 1, 3; 2: 8121, 0, 3" },
        { 13, 2, 10, level },
        { 14, 1, 1, "1: 0, 1, 3; 2: 819, 1, 3; 3: 1905, 0, 2; 4: 7747, 0, 2" },
        { 14, 2, 10, level },
    };

    struct Slot { int x; float y; int type; };

    // Parses "slot: x, y, type; ..." into slot -> point.
    std::map<int, Slot> parseSlots (const char* text)
    {
        std::map<int, Slot> slots;
        for (auto& entry : juce::StringArray::fromTokens (text, ";", {}))
        {
            auto fields = juce::StringArray::fromTokens (entry.replace (":", ","), ",", {});
            slots[fields[0].trim().getIntValue()] = { fields[1].trim().getIntValue(), fields[2].trim().getFloatValue(),
                                                      fields[3].trim().getIntValue() };
        }
        return slots;
    }

    using Layout = ParameterLayout;

    int pointIndex (int wave, int slot) // wave and slot from 1
    {
        return Layout::pointParameter (wave - 1, slot - 1, Layout::pointX);
    }

    struct FactoryBankFixture : testing::Test
    {
        AudioProcessor processor;
        const BankRecord& bank = processor.getBank();
    };
}

TEST (FactoryBank, IsStoredAsAFormatTwoBank)
{
    const auto bytes = FactoryBank::formatTwoBytes();
    ASSERT_EQ (bytes.size(), (size_t) FactoryBank::formatTwoSize);
    EXPECT_EQ (bytes[0], 2);
}

TEST_F (FactoryBankFixture, ProgramsHaveTheirNamesAndSettings)
{
    ASSERT_EQ (bank.format, 5);
    for (int p = 0; p < 16; ++p)
    {
        SCOPED_TRACE (p);
        const auto& program = bank.programs[(size_t) p];
        const auto& v = program.values;
        EXPECT_EQ (program.version, 5);
        EXPECT_EQ (program.getName(), named[p].name);
        EXPECT_EQ (ParameterRecord::stepOf (v[Layout::loopLength], Layout::stepsOf (Layout::loopLength)), named[p].loopLength);
        EXPECT_EQ (ParameterRecord::stepOf (v[Layout::speedType], Layout::stepsOf (Layout::speedType)), named[p].speedType);
        EXPECT_EQ (v[Layout::speed], named[p].speed);
        EXPECT_EQ (ParameterRecord::stepOf (v[Layout::usedWave], Layout::stepsOf (Layout::usedWave)), 0);
        EXPECT_EQ (ParameterRecord::stepOf (v[Layout::visibleWave], Layout::stepsOf (Layout::visibleWave)), 0);
        EXPECT_EQ (v[Layout::midiIn], 0.0f);
        EXPECT_EQ (ParameterRecord::stepOf (v[Layout::midiInChannel], Layout::stepsOf (Layout::midiInChannel)), 1);
        EXPECT_EQ (v[Layout::midiInOctave], 0.0f);
        EXPECT_EQ (v[Layout::midiInNote], 0.0f);
        EXPECT_FLOAT_EQ (v[Layout::oscilloscopeZoom], 5.0f / 13.0f);
        EXPECT_EQ (v[Layout::mix], 1.0f);
    }
}

TEST_F (FactoryBankFixture, ProgramsHoldExactlyTheListedPoints)
{
    std::map<std::pair<int, int>, std::map<int, Slot>> expected; // (program, wave) -> slots
    for (auto& entry : listed)
        for (int wave = entry.firstWave; wave <= entry.lastWave; ++wave)
            expected[{ entry.program, wave }] = parseSlots (entry.slots);

    for (int p = 0; p < 16; ++p)
        for (int wave = 1; wave <= 10; ++wave)
            for (int slot = 1; slot <= 40; ++slot)
            {
                SCOPED_TRACE ("program " + std::to_string (p) + " wave " + std::to_string (wave) + " slot " + std::to_string (slot));
                const auto& v = bank.programs[(size_t) p].values;
                const auto i = (size_t) pointIndex (wave, slot);
                const auto& slots = expected[{ p, wave }];
                const auto found = slots.find (slot);

                if (found == slots.end())
                {
                    EXPECT_EQ (ParameterRecord::stepOf (v[i + 2], 4), 0);
                    continue;
                }

                EXPECT_EQ (ParameterRecord::stepOf (v[i], 8192), found->second.x);
                EXPECT_NEAR (v[i + 1], found->second.y, 0.5e-6);
                EXPECT_EQ (ParameterRecord::stepOf (v[i + 2], 4), found->second.type);
            }
}
