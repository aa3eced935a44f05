#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <string>
#include <vector>

// MIDI events as "sample:bytes" strings, so tests can compare buffers with readable failures.
namespace MidiDescription
{
    // Every event of a buffer, in buffer order.
    inline std::vector<std::string> describe (const juce::MidiBuffer& midi)
    {
        std::vector<std::string> events;

        for (const auto metadata : midi)
            events.push_back (std::to_string (metadata.samplePosition) + ":"
                              + juce::String::toHexString (metadata.data, metadata.numBytes).toStdString());

        return events;
    }

    // One message at one sample.
    inline std::string at (int sample, const juce::MidiMessage& message)
    {
        juce::MidiBuffer one;
        one.addEvent (message, sample);
        return describe (one).front();
    }
}
