#include "LevelPicture.h"

#include <gtest/gtest.h>

#include <cmath>

// Four columns of 100 samples: hard left, hard right, centre, silence.
TEST (LevelPicture, ShowsLevelsAndPanPositionPerColumn)
{
    constexpr int columnSamples = 100;
    const float left[] = { 0.5f, 0.0f, 0.5f, 0.0f };
    const float right[] = { 0.0f, 0.5f, 0.5f, 0.0f };

    LevelPicture picture (4 * columnSamples, 48000.0, 4, 50);
    juce::AudioBuffer<float> block (2, columnSamples);

    for (int column = 0; column < 4; ++column)
    {
        for (int i = 0; i < columnSamples; ++i)
        {
            const float sign = i % 2 == 0 ? 1.0f : -1.0f;
            block.setSample (0, i, sign * left[column]);
            block.setSample (1, i, sign * right[column]);
        }
        picture.add (block, columnSamples);
    }

    EXPECT_FLOAT_EQ (picture.leftLevel (0), 0.5f);
    EXPECT_FLOAT_EQ (picture.rightLevel (1), 0.5f);
    EXPECT_FLOAT_EQ (picture.panPosition (0), 1.0f);
    EXPECT_FLOAT_EQ (picture.panPosition (1), 0.0f);
    EXPECT_FLOAT_EQ (picture.panPosition (2), 0.5f);
    EXPECT_TRUE (std::isnan (picture.panPosition (3)));
}

TEST (LevelPicture, WritesAPngOfItsSize)
{
    LevelPicture picture (48000, 48000.0);
    juce::AudioBuffer<float> block (2, 48000);
    block.clear();
    picture.add (block, 48000);

    const auto png = picture.toPng();
    juce::MemoryInputStream in (png, false);
    const auto image = juce::PNGImageFormat().decodeImage (in);

    EXPECT_EQ (image.getWidth(), LevelPicture::defaultWidth);
    EXPECT_EQ (image.getHeight(), LevelPicture::defaultHeight);
}
