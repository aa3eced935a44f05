#include "DemoSignal.h"

#include <cmath>

namespace
{
    constexpr double toneFrequencies[] = { 220.0, 277.18, 329.63 }; // an A major triad
    constexpr float toneLevel = 0.12f;
    constexpr float noiseLevel = 0.05f;
    constexpr double fadeSeconds = 0.01; // no click at either end
    constexpr juce::int64 noiseSeed = 0x0a7a2;
}

juce::AudioBuffer<float> DemoSignal::make (double sampleRate, double seconds)
{
    const auto length = (int) std::llround (seconds * sampleRate);
    const auto fadeLength = juce::jmax (1, (int) (fadeSeconds * sampleRate));
    juce::AudioBuffer<float> buffer (numChannels, length);
    juce::Random noise (noiseSeed);

    for (int i = 0; i < length; ++i)
    {
        double tone = 0.0;
        for (const double frequency : toneFrequencies)
            tone += std::sin (juce::MathConstants<double>::twoPi * frequency * (double) i / sampleRate);

        const auto fade = (float) juce::jmin (1.0, (double) juce::jmin (i, length - 1 - i) / (double) fadeLength);
        const auto sample = fade * (toneLevel * (float) tone + noiseLevel * (noise.nextFloat() * 2.0f - 1.0f));

        for (int channel = 0; channel < numChannels; ++channel)
            buffer.setSample (channel, i, sample);
    }

    return buffer;
}
