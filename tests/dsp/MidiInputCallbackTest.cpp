#include "MidiDescription.h"
#include "dsp/MidiInputCallback.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
    using MidiDescription::at;
    using MidiDescription::describe;

    const auto noteOnChannel1 = juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100);
    const auto noteOnChannel3 = juce::MidiMessage::noteOn (3, 62, (juce::uint8) 100);
    const auto noteOnChannel4 = juce::MidiMessage::noteOn (4, 64, (juce::uint8) 100);
    const auto noteOnChannel16 = juce::MidiMessage::noteOn (16, 65, (juce::uint8) 100);
    const auto controllerChannel3 = juce::MidiMessage::controllerEvent (3, 7, 90);
    const auto midiClock = juce::MidiMessage::midiClock();
    const auto sysex = juce::MidiMessage::createSysExMessage ("\x01\x02", 2);
}

TEST (MidiInputCallback, LetsThroughOnlyTheChosenChannelAndSystemMessagesOnlyForAll)
{
    struct Case { int channel; juce::MidiMessage message; bool passes; };
    const Case cases[] = {
        { MidiInputCallback::initialChannel, noteOnChannel1, true },
        { MidiInputCallback::initialChannel, noteOnChannel3, false },
        { MidiInputCallback::allChannels, noteOnChannel1, true },
        { MidiInputCallback::allChannels, noteOnChannel16, true },
        { MidiInputCallback::allChannels, midiClock, true },
        { MidiInputCallback::allChannels, sysex, true },
        { 3, noteOnChannel3, true },
        { 3, controllerChannel3, true },
        { 3, noteOnChannel1, false },
        { 3, noteOnChannel4, false },
        { 3, midiClock, false },
        { 3, sysex, false },
        { 16, noteOnChannel16, true },
    };

    EXPECT_EQ (MidiInputCallback().getChannel(), MidiInputCallback::initialChannel);

    for (auto& c : cases)
    {
        SCOPED_TRACE (at (0, c.message) + " on channel " + std::to_string (c.channel));
        MidiInputCallback collector;
        collector.setChannel (c.channel);
        collector.handleIncomingMidiMessage (nullptr, c.message);

        juce::MidiBuffer block;
        collector.takeMessages (block);
        const auto expected = c.passes ? std::vector<std::string> { at (0, c.message) } : std::vector<std::string> {};
        EXPECT_EQ (describe (block), expected);
    }
}

TEST (MidiInputCallback, HandsEachMessageOverOnceAtSampleZeroInArrivalOrder)
{
    MidiInputCallback collector;
    collector.setChannel (MidiInputCallback::allChannels);
    collector.handleIncomingMidiMessage (nullptr, noteOnChannel1);
    collector.handleIncomingMidiMessage (nullptr, noteOnChannel3);

    juce::MidiBuffer first;
    first.addEvent (noteOnChannel4, 0);
    first.addEvent (noteOnChannel16, 20);
    collector.takeMessages (first);
    EXPECT_EQ (describe (first), (std::vector<std::string> { at (0, noteOnChannel4), at (0, noteOnChannel1),
                                                             at (0, noteOnChannel3), at (20, noteOnChannel16) }));

    juce::MidiBuffer second;
    collector.takeMessages (second);
    EXPECT_TRUE (second.isEmpty());

    collector.handleIncomingMidiMessage (nullptr, midiClock);
    juce::MidiBuffer third;
    collector.takeMessages (third);
    EXPECT_EQ (describe (third), std::vector<std::string> { at (0, midiClock) });
}

TEST (MidiInputCallback, DiscardDropsOnlyWhatWasCollectedBeforeIt)
{
    MidiInputCallback collector;
    collector.handleIncomingMidiMessage (nullptr, noteOnChannel1);
    collector.discardMessages();
    collector.handleIncomingMidiMessage (nullptr, controllerChannel3);
    collector.setChannel (3);
    collector.handleIncomingMidiMessage (nullptr, controllerChannel3);

    juce::MidiBuffer block;
    collector.takeMessages (block);
    EXPECT_EQ (describe (block), std::vector<std::string> { at (0, controllerChannel3) });
}

// The driver's thread keeps adding while the audio thread takes blocks: every message must arrive
// exactly once and in order, whatever the interleaving.
TEST (MidiInputCallbackConcurrent, DeliversEveryMessageOnce)
{
    constexpr int numMessages = 16000; // within the 14 bits of a pitch wheel value
    MidiInputCallback collector;
    std::atomic<bool> producerDone { false };

    std::thread driver ([&]
    {
        for (int i = 0; i < numMessages; ++i)
            collector.handleIncomingMidiMessage (nullptr, juce::MidiMessage::pitchWheel (1, i));

        producerDone.store (true);
    });

    std::vector<int> received;
    bool allAtSampleZero = true;
    std::thread audio ([&]
    {
        juce::MidiBuffer block;
        collector.setChannel (1);

        auto takeBlock = [&]
        {
            block.clear();
            collector.takeMessages (block);

            for (const auto metadata : block)
            {
                received.push_back (metadata.getMessage().getPitchWheelValue());
                allAtSampleZero = allAtSampleZero && metadata.samplePosition == 0;
            }
        };

        while (! producerDone.load())
            takeBlock();

        takeBlock(); // the writer has left: one more block holds the rest
    });

    driver.join();
    audio.join();

    ASSERT_EQ (received.size(), (size_t) numMessages);
    for (int i = 0; i < numMessages; ++i)
        ASSERT_EQ (received[(size_t) i], i);
    EXPECT_TRUE (allAtSampleZero);
}
