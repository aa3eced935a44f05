#include "TransportPlayHead.h"

#include <gtest/gtest.h>

namespace
{
    struct Position
    {
        double bpm;
        int numerator, denominator;
        juce::int64 sample;
        double ppq, barStart;
        juce::int64 bars;
    };

    void PrintTo (const Position& p, std::ostream* out)
    {
        *out << p.bpm << " bpm " << p.numerator << "/" << p.denominator << " at sample " << p.sample;
    }

    class TransportPositions : public testing::TestWithParam<Position> {};
}

TEST_P (TransportPositions, PlayFromTheStartOfBarOne)
{
    const auto& p = GetParam();
    TransportPlayHead playHead (48000.0, p.bpm, p.numerator, p.denominator);
    playHead.setSamplePosition (p.sample);
    const auto info = *playHead.getPosition();

    EXPECT_TRUE (info.getIsPlaying());
    EXPECT_EQ (*info.getTimeInSamples(), p.sample);
    EXPECT_DOUBLE_EQ (*info.getTimeInSeconds(), (double) p.sample / 48000.0);
    EXPECT_DOUBLE_EQ (*info.getBpm(), p.bpm);
    EXPECT_DOUBLE_EQ (*info.getPpqPosition(), p.ppq);
    EXPECT_DOUBLE_EQ (*info.getPpqPositionOfLastBarStart(), p.barStart);
    EXPECT_EQ (*info.getBarCount(), p.bars);
    EXPECT_EQ (info.getTimeSignature()->numerator, p.numerator);
    EXPECT_EQ (info.getTimeSignature()->denominator, p.denominator);
}

INSTANTIATE_TEST_SUITE_P (Cases, TransportPositions,
                          testing::Values (Position { 120.0, 4, 4, 0, 0.0, 0.0, 0 },
                                           Position { 120.0, 4, 4, 240000, 10.0, 8.0, 2 },   // 5 s
                                           Position { 90.0, 3, 4, 224000, 7.0, 6.0, 2 },     // 3 beats a bar
                                           Position { 60.0, 6, 8, 144000, 3.0, 3.0, 1 }));   // 3 quarter notes a bar
