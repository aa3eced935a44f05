#pragma once

#include "PendingFile.h"

#include <juce_audio_formats/juce_audio_formats.h>

// The rendered stereo audio, written block by block to a pending WAV or AIFF file.
class AudioOutput
{
public:
    // Throws ToolError for an unknown file type or a folder that cannot be written.
    AudioOutput (const juce::File& target, double sampleRate, int bitsPerSample);

    void write (const juce::AudioBuffer<float>& block, int numSamples);

    // Completes the file and renames it into place.
    void commit();

private:
    static std::unique_ptr<juce::AudioFormat> formatFor (const juce::File& target);

    PendingFile file;
    std::unique_ptr<juce::AudioFormatWriter> writer;
};
