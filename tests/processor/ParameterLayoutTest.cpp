#include "processor/AudioProcessor.h"
#include "processor/ParameterLayout.h"

#include <gtest/gtest.h>

#include <limits>

using Layout = ParameterLayout;

TEST (ParameterLayout, DescribesEveryParameterTheProcessorRegisters)
{
    AudioProcessor processor;
    ASSERT_EQ (processor.getParameterCount(), Layout::numParameters);

    for (int index = 0; index < Layout::numParameters; ++index)
    {
        SCOPED_TRACE (index);
        const auto* record = processor.getParameterRecord (index);
        ASSERT_NE (record, nullptr);
        EXPECT_EQ (record->name, Layout::nameOf (index));
        EXPECT_EQ (record->kind == ParameterRecord::placeholder, Layout::isPlaceholder (index));

        // "Midi In" has its first step and one per system MIDI input.
        if (index == Layout::midiIn)
            EXPECT_GE (record->steps, Layout::stepsOf (index));
        else
            EXPECT_EQ (record->steps, Layout::stepsOf (index));
    }
}

TEST (ParameterLayout, PointIndicesGoBothWays)
{
    for (int index = Layout::firstPointParameter; index < Layout::numParameters; ++index)
    {
        const auto point = Layout::pointAt (index);
        ASSERT_EQ (Layout::pointParameter (point.wave, point.slot, point.field), index);
    }

    // Slots 1 ... 20 of all waves first, then slots 21 ... 40.
    EXPECT_EQ (Layout::nameOf (Layout::pointParameter (0, 19, Layout::pointType)), "Wave1.20 Type");
    EXPECT_EQ (Layout::nameOf (Layout::pointParameter (0, 19, Layout::pointType) + 1), "Wave2.1 X");
    EXPECT_EQ (Layout::nameOf (Layout::numFirstHalfParameters), "Wave1.21 X");
    EXPECT_EQ (Layout::nameOf (Layout::numParameters - 1), "Wave10.40 Type");
    EXPECT_EQ (Layout::nameOf (Layout::numParameters), "");
}

TEST (ParameterLayout, MenusNameEveryStepAndEveryStepValueFallsOnItsStep)
{
    for (int index = 0; index < Layout::numPluginParameters; ++index)
    {
        SCOPED_TRACE (Layout::nameOf (index));
        const int steps = Layout::stepsOf (index);
        EXPECT_EQ (Layout::stepNamesOf (index).size(), steps);

        for (int step = 0; step < steps; ++step)
            EXPECT_EQ (Layout::stepOf (Layout::valueOfStep (step, steps), steps), step);
    }

    EXPECT_EQ (Layout::stepNamesOf (Layout::speedType)[Layout::pitchToRate], "Pitch -> Rate");
    EXPECT_EQ (Layout::stepNamesOf (Layout::midiInOctave)[1], "Octave -2");
    EXPECT_EQ (Layout::indexOf ("Midi In Note"), Layout::midiInNote);
    EXPECT_EQ (Layout::indexOf ("Wave3.12 Y"), Layout::pointParameter (2, 11, Layout::pointY));
    EXPECT_EQ (Layout::indexOf ("Nothing"), -1);
}

TEST (ParameterLayout, TheTopStepIsExactlyOneAndStepsOutsideTheRangeTakeTheNearestEnd)
{
    struct Case { int step, steps; float value; };
    const Case cases[] = { { 0, 18, 0.0f }, { 6, 18, 6.0f / 18.0f }, { 17, 18, 1.0f }, { 1, 2, 1.0f },
                           { -3, 7, 0.0f }, { 9, 7, 1.0f }, { 0, 1, 1.0f } };

    for (auto& c : cases)
        EXPECT_EQ (Layout::valueOfStep (c.step, c.steps), c.value) << c.step << " of " << c.steps;
}

TEST (ParameterLayout, ValuesFarOutsideTheRangeFallOnTheNearestStep)
{
    struct Case { float value; int steps, step; };
    const Case cases[] = { { 0.5f, 7, 3 }, { 1.0f, 7, 6 }, { 0.99999f, 2, 1 }, { -0.5f, 7, 0 }, { -1.3e17f, 2, 0 },
                           { 1.0e30f, 18, 17 }, { std::numeric_limits<float>::quiet_NaN(), 4, 0 },
                           { std::numeric_limits<float>::infinity(), 4, 3 } };

    for (auto& c : cases)
        EXPECT_EQ (Layout::stepOf (c.value, c.steps), c.step) << c.value << " of " << c.steps;
}
