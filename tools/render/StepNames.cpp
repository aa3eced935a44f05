#include "StepNames.h"

namespace
{
    constexpr int numWaves = 10;
    constexpr int numMidiChannels = 16;
    constexpr int lowestOctave = -2;
    constexpr int highestOctave = 8;

    juce::StringArray numbered (const juce::String& prefix, int first, int last)
    {
        juce::StringArray names;
        for (int i = first; i <= last; ++i)
            names.add (prefix + juce::String (i));
        return names;
    }

    juce::StringArray withFirst (const juce::String& first, juce::StringArray rest)
    {
        rest.insert (0, first);
        return rest;
    }
}

juce::StringArray StepNames::forParameter (const juce::String& parameterName)
{
    if (parameterName == "Loop Length")
        return { "1/128", "1/64", "1/32", "1/16", "1/8", "1/8d (3/16)", "1/4", "1/4d (3/8)", "1/2", "3/4",
                 "1 Bar (4/4)", "1.5 Bars (6/4)", "2 Bars (8/4)", "3 Bars (12/4)", "4 Bars", "8 Bars",
                 "16 Bars", "32 Bars" };

    if (parameterName == "Used Wave" || parameterName == "Visible Wave")
        return numbered ("Wave ", 1, numWaves);

    if (parameterName == "Speed Type")
        return { "Beat Synced", "Beat Retrig.", "Beat 1-Shot", "Hertz Synced", "Hertz Retrig.", "Hertz 1-Shot",
                 "Pitch -> Rate" };

    if (parameterName == "Midi In")
        return { "In From Host" };

    if (parameterName == "Midi In Channel")
        return withFirst ("All", numbered ({}, 1, numMidiChannels));

    if (parameterName == "Midi In Octave")
        return withFirst ("All Notes", numbered ("Octave ", lowestOctave, highestOctave));

    if (parameterName == "Midi In Note")
        return { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

    return {};
}

float StepNames::valueOfStep (int step, int numSteps)
{
    if (step <= 0)
        return 0.0f;

    if (step >= numSteps - 1)
        return 1.0f;

    return (float) step / (float) numSteps;
}
