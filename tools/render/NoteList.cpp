#include "NoteList.h"

#include "RenderCommandLine.h"
#include "ToolError.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
    constexpr int highestNote = 127;

    struct TimedNote
    {
        double seconds;
        int note;
    };

    TimedNote parsePair (const juce::String& pair)
    {
        const auto colon = pair.indexOfChar (':');

        if (colon <= 0)
            throw ToolError ("note \"" + pair.toStdString() + "\" is not of the form seconds:note (\"1.5:64\")");

        const double seconds = RenderCommandLine::parseNumber (pair.substring (0, colon), "--notes");
        const int note = RenderCommandLine::parseInteger (pair.substring (colon + 1), "--notes");

        if (seconds < 0.0)
            throw ToolError ("note time " + pair.toStdString() + " is before the start");

        if (note < 0 || note > highestNote)
            throw ToolError ("note number " + std::to_string (note) + " is out of range 0 ... 127");

        return { seconds, note };
    }

    double toSamples (double seconds, double sampleRate) { return std::round (seconds * sampleRate); }
}

juce::MidiMessageSequence NoteList::fromMidiFile (const juce::File& file, double sampleRate)
{
    juce::FileInputStream stream (file);
    juce::MidiFile midiFile;

    if (! stream.openedOk())
        throw ToolError ("cannot read the MIDI file " + file.getFullPathName().toStdString());

    if (! midiFile.readFrom (stream))
        throw ToolError (file.getFullPathName().toStdString() + " is not a standard MIDI file");

    midiFile.convertTimestampTicksToSeconds();
    juce::MidiMessageSequence sequence;

    for (int track = 0; track < midiFile.getNumTracks(); ++track)
        for (const auto* event : *midiFile.getTrack (track))
            if (! event->message.isMetaEvent() && ! event->message.isSysEx())
                sequence.addEvent (juce::MidiMessage (event->message,
                                                      toSamples (event->message.getTimeStamp(), sampleRate)));

    sequence.sort();
    return sequence;
}

juce::MidiMessageSequence NoteList::fromText (const juce::String& list, double sampleRate, juce::int64 endSample)
{
    juce::StringArray pairs;
    pairs.addTokens (list, ", ", {});
    pairs.removeEmptyStrings();

    if (pairs.isEmpty())
        throw ToolError ("--notes has no notes");

    std::vector<TimedNote> notes;
    for (const auto& pair : pairs)
        notes.push_back (parsePair (pair));

    std::stable_sort (notes.begin(), notes.end(), [] (auto& a, auto& b) { return a.seconds < b.seconds; });
    juce::MidiMessageSequence sequence;

    for (size_t i = 0; i < notes.size(); ++i)
    {
        const double on = toSamples (notes[i].seconds, sampleRate);
        const double off = i + 1 < notes.size() ? toSamples (notes[i + 1].seconds, sampleRate) : (double) endSample;

        // The next note's start comes after this one's end at the same sample.
        sequence.addEvent (juce::MidiMessage::noteOff (channel, notes[i].note), off);
        sequence.addEvent (juce::MidiMessage::noteOn (channel, notes[i].note, velocity), on);
    }

    sequence.sort();
    return sequence;
}
