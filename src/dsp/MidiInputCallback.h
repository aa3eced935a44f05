#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <array>
#include <atomic>

// Collects the messages of an open MIDI input on the MIDI driver's thread and hands them to the
// audio thread once per block. Messages pass a channel filter and all land at sample 0.
//
// Two buffers: the driver's thread adds to the one designated for writing; the audio thread
// retires it by flipping the designation and reads it once no writer is inside. A writer
// announces itself in the buffer's counter before it checks the designation again, so after a
// flip the audio thread either sees the counter raised or the writer sees the flip and moves to
// the other buffer. The audio thread never waits: a buffer whose writer is still inside is read
// at the next block, before anything newer. Only the driver's thread ever grows a buffer.
// One port delivers at a time, so there is a single writer.
class MidiInputCallback : public juce::MidiInputCallback
{
public:
    static constexpr int allChannels = 0;
    static constexpr int initialChannel = 1;
    // Enough for a few hundred short messages per block before the driver's thread has to grow one.
    static constexpr size_t preallocatedBytes = 4096;

    MidiInputCallback();
    ~MidiInputCallback() override = default;

    // MIDI driver's thread.
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}

    // 0 lets every message through; 1 ... 16 only messages of that channel. Any thread.
    void setChannel (int newChannel) noexcept { channel.store (newChannel); }
    int getChannel() const noexcept { return channel.load(); }

    // Audio thread: adds every message collected since the last call to destination at sample 0,
    // after the events already there. Never waits.
    void takeMessages (juce::MidiBuffer& destination);
    // Audio thread: drops every message collected since the last call.
    void discardMessages();

    // 0 for system messages, 1 ... 16 for channel messages.
    static int channelOf (const juce::MidiMessage& message) noexcept;

private:
    static constexpr int noBuffer = -1;

    bool passes (const juce::MidiMessage& message) const noexcept;
    int enterWriteBuffer() noexcept;
    void collect (juce::MidiBuffer* destination);
    bool readRetired (juce::MidiBuffer* destination);

    std::array<juce::MidiBuffer, 2> buffers;
    std::atomic<int> writeIndex { 0 };
    std::array<std::atomic<int>, 2> writersInside {};
    int retired = noBuffer; // audio thread only: the buffer flipped away from but not yet read
    std::atomic<int> channel { initialChannel };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiInputCallback)
};
