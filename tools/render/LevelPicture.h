#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_graphics/juce_graphics.h>

#include <vector>

// A picture of a render at a glance: per column, the RMS level of the left channel drawn up from
// the middle and of the right channel drawn down, and the pan position L / (L + R) as a line
// from the top (all left) to the bottom (all right). Collected block by block while rendering.
class LevelPicture
{
public:
    static constexpr int defaultWidth = 1200;
    static constexpr int defaultHeight = 400;

    LevelPicture (juce::int64 totalSamples, double sampleRate, int width = defaultWidth, int height = defaultHeight);

    // The next numSamples samples of channels 0 and 1.
    void add (const juce::AudioBuffer<float>& block, int numSamples);

    juce::Image draw() const;
    juce::MemoryBlock toPng() const;

    // Column results: RMS levels and the pan position, NaN where both sides are silent.
    float leftLevel (int column) const;
    float rightLevel (int column) const;
    float panPosition (int column) const;
    int getWidth() const noexcept { return width; }

private:
    struct Column
    {
        double leftSquares = 0.0;
        double rightSquares = 0.0;
        juce::int64 count = 0;
    };

    void drawLevels (juce::Graphics& g, juce::Rectangle<float> area) const;
    void drawPanLine (juce::Graphics& g, juce::Rectangle<float> area) const;
    void drawTimeAxis (juce::Graphics& g, juce::Rectangle<float> area) const;
    float levelHeight (float rms, float halfHeight) const;

    juce::int64 totalSamples;
    double sampleRate;
    int width, height;
    juce::int64 samplesSeen = 0;
    std::vector<Column> columns;
};
