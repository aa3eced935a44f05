#include "TransportPlayHead.h"

#include <cmath>

namespace
{
    constexpr double secondsPerMinute = 60.0;
    constexpr double quarterNotesPerWhole = 4.0;
}

TransportPlayHead::TransportPlayHead (double rate, double tempo, int timeSigNumerator, int timeSigDenominator)
    : sampleRate (rate), bpm (tempo), numerator (timeSigNumerator), denominator (timeSigDenominator)
{
}

double TransportPlayHead::quarterNotesPerBar() const noexcept
{
    return (double) numerator * quarterNotesPerWhole / (double) denominator;
}

juce::Optional<juce::AudioPlayHead::PositionInfo> TransportPlayHead::getPosition() const
{
    const double seconds = (double) position / sampleRate;
    const double ppq = seconds * bpm / secondsPerMinute;
    const double barLength = quarterNotesPerBar();
    const auto barsDone = (juce::int64) std::floor (ppq / barLength);

    PositionInfo info;
    info.setTimeInSamples (position);
    info.setTimeInSeconds (seconds);
    info.setBpm (bpm);
    info.setTimeSignature (TimeSignature { numerator, denominator });
    info.setPpqPosition (ppq);
    info.setPpqPositionOfLastBarStart ((double) barsDone * barLength);
    info.setBarCount (barsDone);
    info.setIsPlaying (true);
    info.setIsRecording (false);
    info.setIsLooping (false);
    return info;
}
