#include "AudioOutput.h"

#include "ToolError.h"

namespace
{
    constexpr int stereo = 2;
}

AudioOutput::AudioOutput (const juce::File& target, double sampleRate, int bitsPerSample)
    : file (target)
{
    auto format = formatFor (target);
    auto stream = file.createStream();
    writer.reset (format->createWriterFor (stream.get(), sampleRate, stereo, bitsPerSample, {}, 0));

    if (writer == nullptr)
        throw ToolError ("cannot write " + std::to_string (bitsPerSample) + "-bit audio at "
                         + std::to_string ((int) sampleRate) + " Hz to " + target.getFileName().toStdString());

    stream.release(); // the writer owns it now
}

std::unique_ptr<juce::AudioFormat> AudioOutput::formatFor (const juce::File& target)
{
    if (target.hasFileExtension ("wav"))
        return std::make_unique<juce::WavAudioFormat>();

    if (target.hasFileExtension ("aif;aiff"))
        return std::make_unique<juce::AiffAudioFormat>();

    throw ToolError ("the output must be a .wav or .aiff file: " + target.getFullPathName().toStdString());
}

void AudioOutput::write (const juce::AudioBuffer<float>& block, int numSamples)
{
    if (! writer->writeFromAudioSampleBuffer (block, 0, numSamples))
        throw ToolError ("cannot write " + file.getTarget().getFullPathName().toStdString() + " (disk full?)");
}

void AudioOutput::commit()
{
    if (! writer->flush())
        throw ToolError ("cannot write " + file.getTarget().getFullPathName().toStdString() + " (disk full?)");

    writer.reset();
    file.commit();
}
