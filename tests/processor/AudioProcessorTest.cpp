#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
    // The index of point slot p (1 ... 40) of wave w (1 ... 10), part k (0 X, 1 Y, 2 Type).
    int pointIndex (int w, int p, int k)
    {
        const int b = p > 20 ? 1 : 0;
        return 24 + 3 * (20 * (10 * b + w - 1) + (p - 1 - 20 * b)) + k;
    }
}

TEST (AudioProcessor, RegistersThe1224ParametersInTheirFixedOrder)
{
    AudioProcessor processor;
    ASSERT_EQ (processor.getParameterCount(), 1224);
    EXPECT_EQ (processor.getParameters().size(), 1224);

    const char* const named[24] = {
        "Loop Length", "Used Wave", "Visible Wave", "X (Reserved)", "Speed Type", "Speed",
        "X (Reserved)", "X (Reserved)", "Midi In", "Midi In Channel", "Midi In Octave", "Midi In Note",
        "X (Reserved)", "X (Reserved)", "Oscilloscope Zoom", "X (Reserved)", "Mix",
        "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)"
    };
    const int steps[24] = { 18, 10, 10, 0, 7, 0, 0, 0, -1, 17, 12, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };

    for (int i = 0; i < 24; ++i)
    {
        SCOPED_TRACE (i);
        auto* record = processor.getParameterRecord (i);
        EXPECT_EQ (processor.getParameterName (i), named[i]);
        EXPECT_EQ (record->index, i);
        EXPECT_EQ (record->kind, juce::String (named[i]) == "X (Reserved)" ? ParameterRecord::placeholder
                                                                          : ParameterRecord::plain);
        if (steps[i] >= 0)
        {
            EXPECT_EQ (record->steps, steps[i]);
        }
    }

    // "Midi In" has one step for "no port" and one per system MIDI input.
    EXPECT_GE (processor.getParameterRecord (8)->steps, 1);
}

TEST (AudioProcessor, PointParametersFollowTheIndexFormula)
{
    AudioProcessor processor;
    struct Case { int wave, slot; };
    const Case cases[] = { { 1, 1 }, { 1, 20 }, { 2, 1 }, { 10, 20 }, { 1, 21 }, { 3, 17 }, { 10, 40 } };
    const char* const parts[] = { "X", "Y", "Type" };
    const int partSteps[] = { 8192, 0, 4 };

    for (auto& c : cases)
        for (int k = 0; k < 3; ++k)
        {
            const int index = pointIndex (c.wave, c.slot, k);
            SCOPED_TRACE (index);
            auto* record = processor.getParameterRecord (index);
            EXPECT_EQ (record->name, "Wave" + juce::String (c.wave) + "." + juce::String (c.slot) + " " + parts[k]);
            EXPECT_EQ (record->kind, ParameterRecord::wavePoint);
            EXPECT_EQ (record->group, c.wave - 1);
            EXPECT_EQ (record->steps, partSteps[k]);
        }

    EXPECT_EQ (pointIndex (1, 21, 0), 624);
    EXPECT_EQ (pointIndex (10, 40, 2), 1223);
    EXPECT_EQ (processor.getParameterRecord (pointIndex (3, 17, 1)), &processor.state->waves[2].y (16));
}

TEST (AudioProcessor, EveryHostParameterHasAUniqueStableId)
{
    AudioProcessor processor;
    std::set<juce::String> ids;

    for (auto* parameter : processor.getParameters())
        ids.insert (dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID);

    EXPECT_EQ (ids.size(), 1224u);
    EXPECT_EQ (*ids.begin(), "p0000_loop_length");
    EXPECT_EQ (ids.count ("p0014_oscilloscope_zoom"), 1u);
    EXPECT_EQ (ids.count ("p0003_reserved"), 1u);
    EXPECT_EQ (*ids.rbegin(), "p1223_wave10_40_type");
}
