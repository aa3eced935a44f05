#include "DspContext.h"

#include <cmath>

DspContext::DspContext()
{
    fillNoteFrequencies();
    fillLevelLayout();
    setSampleRate (defaultSampleRate);
}

void DspContext::fillNoteFrequencies()
{
    // Note 0 is 6.875 Hz · 2^(1/4), five octaves and a minor third below A 440; every next note
    // is one equal-tempered semitone higher. Built by repeated multiplication in double precision.
    const double semitone = std::pow (2.0, 1.0 / 12.0);
    double frequency = 6.875 * std::pow (2.0, 0.25);

    for (auto& entry : noteFrequencies)
    {
        entry = (float) frequency;
        frequency *= semitone;
    }
}

void DspContext::fillLevelLayout()
{
    // Level k starts where the halving series 8192 + 4096 + ... has reached 16384 - (16384 >> k).
    for (int k = 0; k < numLevels; ++k)
    {
        levelSizes[(size_t) k] = levelSizeOf (k);
        interpolationSizes[(size_t) k] = interpolationFactor * levelSizeOf (k);
        levelOffsets[(size_t) k] = levelOffsetOf (k);
        interpolationOffsets[(size_t) k] = interpolationOffsetOf (k);
    }
}

void DspContext::setSampleRate (double newRate)
{
    sampleRateDouble = newRate;
    sampleRate = (float) newRate;
}

void DspContext::readHostPosition (juce::AudioPlayHead* playHead)
{
    juce::Optional<juce::AudioPlayHead::PositionInfo> position;

    if (playHead != nullptr)
        position = playHead->getPosition();

    if (! position.hasValue())
    {
        // No host transport: stopped at 120 bpm, and the position runs on from where it is.
        playing = 0.0;
        tempo = defaultTempo;
        return;
    }

    const bool hostPlays = position->getIsPlaying();
    playing = hostPlays ? 1.0 : 0.0;
    tempo = position->getBpm().orFallback (defaultTempo);

    if (hostPlays)
        takePlayingPosition (*position);
}

void DspContext::takePlayingPosition (const juce::AudioPlayHead::PositionInfo& position)
{
    // Some hosts give a playing position with a time and no beat position (Ardour's LV2 builds
    // on MIDI tracks): the beat position then follows from the time at the current tempo. What
    // the host leaves out entirely keeps running.
    const auto seconds = position.getTimeInSeconds();
    const auto ppq = position.getPpqPosition();

    if (seconds.hasValue())
        timeInSeconds = *seconds;

    if (ppq.hasValue())
        ppqPosition = *ppq;
    else if (seconds.hasValue())
        ppqPosition = *seconds * tempo / secondsPerMinute;
}

void DspContext::advanceTransport (int n)
{
    ppqPosition += (double) n * tempo / (sampleRateDouble * secondsPerMinute);
    timeInSeconds += (double) n / sampleRateDouble;
}
