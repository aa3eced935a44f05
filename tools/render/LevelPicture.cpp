#include "LevelPicture.h"

#include <cmath>
#include <limits>

namespace
{
    constexpr float floorDecibels = -60.0f;
    constexpr float silence = 1.0e-6f;
    constexpr float margin = 24.0f;
    constexpr float panLineThickness = 2.0f;
    constexpr float labelHeight = 14.0f;
    constexpr int labelInset = 4;
    constexpr int sideLabelWidth = 20;
    constexpr int tickLabelWidth = 80;
    constexpr float minimumTickSpacing = 70.0f;
    constexpr double tickChoices[] = { 0.1, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0 };

    const juce::Colour background (0xff1b1d21);
    const juce::Colour gridColour (0xff3a3e45);
    const juce::Colour leftColour (0xffec7811);
    const juce::Colour rightColour (0xff3f9bd8);
    const juce::Colour panColour (0xfff2f2f2);
    const juce::Colour textColour (0xffa0a4ab);

    juce::String secondsLabel (double seconds)
    {
        auto text = juce::String (seconds, 2);
        if (text.containsChar ('.'))
            text = text.trimCharactersAtEnd ("0").trimCharactersAtEnd (".");
        return text + " s";
    }
}

LevelPicture::LevelPicture (juce::int64 total, double rate, int w, int h)
    : totalSamples (juce::jmax ((juce::int64) 1, total)), sampleRate (rate), width (w), height (h),
      columns ((size_t) w)
{
}

void LevelPicture::add (const juce::AudioBuffer<float>& block, int numSamples)
{
    const auto* left = block.getReadPointer (0);
    const auto* right = block.getReadPointer (block.getNumChannels() > 1 ? 1 : 0);

    for (int i = 0; i < numSamples; ++i, ++samplesSeen)
    {
        const auto column = (size_t) juce::jmin ((juce::int64) width - 1, samplesSeen * width / totalSamples);
        auto& c = columns[column];
        c.leftSquares += (double) left[i] * left[i];
        c.rightSquares += (double) right[i] * right[i];
        ++c.count;
    }
}

float LevelPicture::leftLevel (int column) const
{
    const auto& c = columns[(size_t) column];
    return c.count > 0 ? (float) std::sqrt (c.leftSquares / (double) c.count) : 0.0f;
}

float LevelPicture::rightLevel (int column) const
{
    const auto& c = columns[(size_t) column];
    return c.count > 0 ? (float) std::sqrt (c.rightSquares / (double) c.count) : 0.0f;
}

float LevelPicture::panPosition (int column) const
{
    const auto left = leftLevel (column), right = rightLevel (column);

    if (left + right < silence)
        return std::numeric_limits<float>::quiet_NaN();

    return left / (left + right);
}

float LevelPicture::levelHeight (float rms, float halfHeight) const
{
    const auto decibels = juce::Decibels::gainToDecibels (rms, floorDecibels);
    return halfHeight * (decibels - floorDecibels) / -floorDecibels;
}

juce::Image LevelPicture::draw() const
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    g.fillAll (background);

    const auto area = juce::Rectangle<float> (0.0f, margin, (float) width, (float) height - 2.0f * margin);
    drawTimeAxis (g, area);
    drawLevels (g, area);
    drawPanLine (g, area);
    return image;
}

void LevelPicture::drawLevels (juce::Graphics& g, juce::Rectangle<float> area) const
{
    const auto middle = area.getCentreY();
    const auto halfHeight = area.getHeight() / 2.0f;

    g.setColour (gridColour);
    g.drawHorizontalLine ((int) middle, 0.0f, (float) width);

    for (int x = 0; x < width; ++x)
    {
        g.setColour (leftColour);
        g.drawVerticalLine (x, middle - levelHeight (leftLevel (x), halfHeight), middle);
        g.setColour (rightColour);
        g.drawVerticalLine (x, middle, middle + levelHeight (rightLevel (x), halfHeight));
    }

    g.setFont (labelHeight);
    g.setColour (leftColour);
    g.drawText ("L", labelInset, (int) area.getY(), sideLabelWidth, (int) labelHeight, juce::Justification::topLeft);
    g.setColour (rightColour);
    g.drawText ("R", labelInset, (int) (area.getBottom() - labelHeight), sideLabelWidth, (int) labelHeight,
                juce::Justification::topLeft);
    g.setColour (textColour);
    g.drawText ("level (RMS, -60 ... 0 dB) and pan position L / (L + R)", 0, labelInset, width - labelInset,
                (int) labelHeight, juce::Justification::topRight);
}

void LevelPicture::drawPanLine (juce::Graphics& g, juce::Rectangle<float> area) const
{
    juce::Path line;
    bool drawing = false;

    for (int x = 0; x < width; ++x)
    {
        const auto pan = panPosition (x);

        if (std::isnan (pan))
        {
            drawing = false;
            continue;
        }

        const auto y = area.getBottom() - pan * area.getHeight();

        if (drawing)
            line.lineTo ((float) x + 0.5f, y);
        else
            line.startNewSubPath ((float) x + 0.5f, y);

        drawing = true;
    }

    g.setColour (panColour);
    g.strokePath (line, juce::PathStrokeType (panLineThickness));
}

void LevelPicture::drawTimeAxis (juce::Graphics& g, juce::Rectangle<float> area) const
{
    const double seconds = (double) totalSamples / sampleRate;
    double tick = tickChoices[std::size (tickChoices) - 1];

    for (const double choice : tickChoices)
        if (choice / seconds * width >= minimumTickSpacing)
        {
            tick = choice;
            break;
        }

    g.setFont (labelHeight);

    for (double t = tick; t < seconds; t += tick)
    {
        const auto x = (int) std::round (t / seconds * width);
        g.setColour (gridColour);
        g.drawVerticalLine (x, area.getY(), area.getBottom());
        g.setColour (textColour);
        g.drawText (secondsLabel (t), x - tickLabelWidth / 2, (int) area.getBottom() + labelInset, tickLabelWidth,
                    (int) labelHeight, juce::Justification::centred);
    }
}

juce::MemoryBlock LevelPicture::toPng() const
{
    juce::MemoryOutputStream out;
    juce::PNGImageFormat().writeImageToStream (draw(), out);
    return out.getMemoryBlock();
}
