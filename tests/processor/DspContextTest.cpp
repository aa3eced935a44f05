#include "processor/DspContext.h"

#include <gtest/gtest.h>

namespace
{
    // A play head that answers with a fixed position, or with none.
    struct FixedPlayHead : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return position; }
        juce::Optional<PositionInfo> position;
    };

    juce::AudioPlayHead::PositionInfo hostPosition (bool playing, double bpm, double ppq, double seconds)
    {
        juce::AudioPlayHead::PositionInfo info;
        info.setIsPlaying (playing);
        info.setBpm (bpm);
        info.setPpqPosition (ppq);
        info.setTimeInSeconds (seconds);
        return info;
    }
}

TEST (DspContext, StartsAt44100HzPlayingAt120Bpm)
{
    DspContext context;
    EXPECT_EQ (context.sampleRate, 44100.0f);
    EXPECT_EQ (context.sampleRateDouble, 44100.0);
    EXPECT_EQ (context.playing, 1.0);
    EXPECT_EQ (context.tempo, 120.0);
    EXPECT_EQ (context.ppqPosition, 0.0);
    EXPECT_EQ (context.timeInSeconds, 0.0);
}

TEST (DspContext, NoteTableIsEqualTemperedAroundA440)
{
    DspContext context;
    EXPECT_FLOAT_EQ (context.noteFrequencies[69], 440.0f);
    EXPECT_FLOAT_EQ (context.noteFrequencies[57], 220.0f);
    EXPECT_FLOAT_EQ (context.noteFrequencies[60], 261.625565f);
    EXPECT_FLOAT_EQ (context.noteFrequencies[0], 8.175799f);
    EXPECT_FLOAT_EQ (context.noteFrequencies[127], 12543.854f);
}

TEST (DspContext, LevelLayoutHalvesEachLevelAndPacksThemInOrder)
{
    DspContext context;
    struct Row { int level, size, interpolationSize, offset, interpolationOffset; };
    const Row rows[] = {
        { 0, 8192, 262144, 0, 0 },
        { 1, 4096, 131072, 8192, 262144 },
        { 2, 2048, 65536, 12288, 393216 },
        { 11, 4, 128, 16376, 524032 },
    };

    for (auto& row : rows)
    {
        SCOPED_TRACE (row.level);
        EXPECT_EQ (context.levelSizes[(size_t) row.level], row.size);
        EXPECT_EQ (context.interpolationSizes[(size_t) row.level], row.interpolationSize);
        EXPECT_EQ (context.levelOffsets[(size_t) row.level], row.offset);
        EXPECT_EQ (context.interpolationOffsets[(size_t) row.level], row.interpolationOffset);
    }
}

TEST (DspContext, AdvanceMovesPositionAndTimeAtTheTempoBothWays)
{
    DspContext context;
    context.setSampleRate (48000.0);
    context.tempo = 150.0;

    context.advanceTransport (48000); // one second at 150 bpm is 2.5 beats
    EXPECT_DOUBLE_EQ (context.ppqPosition, 2.5);
    EXPECT_DOUBLE_EQ (context.timeInSeconds, 1.0);

    context.advanceTransport (-12000);
    EXPECT_DOUBLE_EQ (context.ppqPosition, 1.875);
    EXPECT_DOUBLE_EQ (context.timeInSeconds, 0.75);
}

TEST (DspContext, ReadsTheHostOnlyWhilePlayingAndFreeRunsOtherwise)
{
    DspContext context;
    FixedPlayHead head;

    head.position = hostPosition (true, 90.0, 16.0, 8.0);
    context.readHostPosition (&head);
    EXPECT_EQ (context.playing, 1.0);
    EXPECT_EQ (context.tempo, 90.0);
    EXPECT_EQ (context.ppqPosition, 16.0);
    EXPECT_EQ (context.timeInSeconds, 8.0);

    context.advanceTransport (100);
    const double ppqAfterAdvance = context.ppqPosition;
    head.position = hostPosition (false, 140.0, 0.0, 0.0);
    context.readHostPosition (&head);
    EXPECT_EQ (context.playing, 0.0);
    EXPECT_EQ (context.tempo, 140.0);                 // tempo follows the stopped host
    EXPECT_EQ (context.ppqPosition, ppqAfterAdvance); // position keeps running from here

    head.position = {};                               // the host cannot say where it is
    context.readHostPosition (&head);
    EXPECT_EQ (context.playing, 0.0);
    EXPECT_EQ (context.tempo, 120.0);
    EXPECT_EQ (context.ppqPosition, ppqAfterAdvance);

    context.tempo = 60.0;
    context.readHostPosition (nullptr);
    EXPECT_EQ (context.playing, 0.0);
    EXPECT_EQ (context.tempo, 120.0);
}

TEST (DspContext, PlayingHostWithATimeButNoBeatPositionGetsTheBeatOfThatTime)
{
    struct Case { const char* what; bool hasTime, hasPpq; double expectedPpq, expectedSeconds; };
    const Case cases[] = {
        { "time, no ppq: 8 s at 90 bpm is beat 12", true, false, 12.0, 8.0 },
        { "both: the host's ppq", true, true, 3.0, 8.0 },
        { "neither: the running position", false, false, 5.0, 2.0 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        DspContext context;
        context.ppqPosition = 5.0;
        context.timeInSeconds = 2.0;

        juce::AudioPlayHead::PositionInfo info;
        info.setIsPlaying (true);
        info.setBpm (90.0);
        if (c.hasTime)
            info.setTimeInSeconds (8.0);
        if (c.hasPpq)
            info.setPpqPosition (3.0);

        FixedPlayHead head;
        head.position = info;
        context.readHostPosition (&head);
        EXPECT_EQ (context.playing, 1.0);
        EXPECT_DOUBLE_EQ (context.ppqPosition, c.expectedPpq);
        EXPECT_DOUBLE_EQ (context.timeInSeconds, c.expectedSeconds);
    }
}
