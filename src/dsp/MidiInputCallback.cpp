#include "MidiInputCallback.h"

namespace
{
    constexpr juce::uint8 firstSystemStatus = 0xf0;
    constexpr juce::uint8 channelBits = 0x0f;
}

MidiInputCallback::MidiInputCallback()
{
    for (auto& buffer : buffers)
        buffer.ensureSize (preallocatedBytes);
}

int MidiInputCallback::channelOf (const juce::MidiMessage& message) noexcept
{
    if (message.getRawDataSize() < 1)
        return allChannels;

    const auto status = message.getRawData()[0];
    return status >= firstSystemStatus ? allChannels : (status & channelBits) + 1;
}

bool MidiInputCallback::passes (const juce::MidiMessage& message) const noexcept
{
    const int wanted = channel.load();
    return wanted == allChannels || channelOf (message) == wanted;
}

void MidiInputCallback::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    if (! passes (message))
        return;

    const int index = enterWriteBuffer();
    buffers[(size_t) index].addEvent (message, 0);
    writersInside[(size_t) index].fetch_sub (1);
}

int MidiInputCallback::enterWriteBuffer() noexcept
{
    // Raising the counter before checking the designation again means a flip in between is
    // always noticed by one side or the other.
    for (;;)
    {
        const int index = writeIndex.load();
        writersInside[(size_t) index].fetch_add (1);

        if (writeIndex.load() == index)
            return index;

        writersInside[(size_t) index].fetch_sub (1);
    }
}

void MidiInputCallback::takeMessages (juce::MidiBuffer& destination)
{
    collect (&destination);
}

void MidiInputCallback::discardMessages()
{
    collect (nullptr);
}

void MidiInputCallback::collect (juce::MidiBuffer* destination)
{
    // An older buffer still waiting for its writer must be read before the newer one.
    if (retired != noBuffer && ! readRetired (destination))
        return;

    retired = writeIndex.load();
    writeIndex.store (1 - retired);
    readRetired (destination);
}

bool MidiInputCallback::readRetired (juce::MidiBuffer* destination)
{
    if (writersInside[(size_t) retired].load() != 0)
        return false;

    auto& buffer = buffers[(size_t) retired];

    if (destination != nullptr)
        destination->addEvents (buffer, 0, -1, 0);

    buffer.clear();
    retired = noBuffer;
    return true;
}
