#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The MIDI a render plays, with time stamps in samples from the start of the render.
class NoteList
{
public:
    // Every channel message of every track of a standard MIDI file, timed by the file's own tempo.
    static juce::MidiMessageSequence fromMidiFile (const juce::File& file, double sampleRate);

    // "seconds:note" pairs separated by commas or spaces, "0:60, 1.5:64". Each note sounds until
    // the next one starts, the last until endSample.
    static juce::MidiMessageSequence fromText (const juce::String& list, double sampleRate, juce::int64 endSample);

    static constexpr int channel = 1;
    static constexpr juce::uint8 velocity = 100;
};
