#include "InputSignal.h"

#include "DemoSignal.h"
#include "ToolError.h"

namespace
{
    constexpr int maxInputChannels = 2;
}

InputSignal InputSignal::fromFile (const juce::File& file)
{
    const auto path = file.getFullPathName().toStdString();

    if (! file.existsAsFile())
        throw ToolError ("input file not found: " + path);

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();

    InputSignal signal;
    signal.reader.reset (formats.createReaderFor (file));

    if (signal.reader == nullptr)
        throw ToolError ("cannot read " + path + ": not a WAV or AIFF file, or unreadable");

    if (signal.reader->numChannels < 1 || signal.reader->numChannels > maxInputChannels)
        throw ToolError (path + " has " + std::to_string (signal.reader->numChannels)
                         + " channels; give a mono or stereo file");

    if (signal.reader->lengthInSamples <= 0 || signal.reader->sampleRate <= 0.0)
        throw ToolError (path + " holds no audio");

    signal.sampleRate = signal.reader->sampleRate;
    signal.length = signal.reader->lengthInSamples;
    signal.source = std::make_unique<juce::AudioFormatReaderSource> (signal.reader.get(), false);
    return signal;
}

InputSignal InputSignal::demo (double sampleRate, double seconds)
{
    auto buffer = DemoSignal::make (sampleRate, seconds);

    InputSignal signal;
    signal.sampleRate = sampleRate;
    signal.length = buffer.getNumSamples();
    signal.source = std::make_unique<juce::MemoryAudioSource> (buffer, true, false);
    return signal;
}

void InputSignal::read (juce::AudioBuffer<float>& buffer, int numSamples)
{
    source->getNextAudioBlock (juce::AudioSourceChannelInfo (&buffer, 0, numSamples));
}
