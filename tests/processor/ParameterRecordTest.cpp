#include "processor/ParameterRecord.h"

#include <gtest/gtest.h>

TEST (ParameterRecord, StepRuleAtTheEdgesOfItsIntervals)
{
    struct Case { float value; int steps; int step; };
    const Case cases[] = {
        { 0.43f, 7, 3 }, { 0.44f, 7, 3 }, { 3.0f / 7.0f, 7, 3 }, { 1.0f, 7, 6 }, { 0.0f, 7, 0 },
        { 1.0f, 8192, 8191 }, { 8191.0f / 8192.0f, 8192, 8191 }, { 0.5f, 8192, 4096 },
        { 0.24999f, 4, 1 },   // the small offset lifts it into step 1
        { 0.2499f, 4, 0 },
        { 0.7499f, 4, 2 }, { 0.75f, 4, 3 },
    };

    for (auto& c : cases)
        EXPECT_EQ (ParameterRecord::stepOf (c.value, c.steps), c.step) << c.value << " in " << c.steps << " steps";
}

TEST (ParameterRecord, AWrittenStepStoresTheBottomOfItsIntervalAndOneAtTheTop)
{
    ParameterRecord speedType (7);
    for (int step = 0; step < 7; ++step)
    {
        speedType.writeStep (step);
        EXPECT_EQ (speedType.currentStep(), step);
        EXPECT_EQ (speedType.storage, step == 6 ? 1.0f : (float) step / 7.0f);
    }

    ParameterRecord x (8192);
    x.writeStep (8191);
    EXPECT_EQ (x.storage, 1.0f);
}

TEST (ParameterRecord, ContinuousWritesAreClamped)
{
    ParameterRecord mix;
    EXPECT_EQ (mix.value, -1.0f);
    mix.writeValue (1.5f);
    EXPECT_EQ (mix.value, 1.0f);
    EXPECT_EQ (mix.storage, 1.0f);
    mix.writeValue (-0.2f);
    EXPECT_EQ (mix.storage, 0.0f);
    mix.writeValue (0.3f);
    EXPECT_EQ (mix.storage, 0.3f);
}
