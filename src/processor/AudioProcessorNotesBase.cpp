#include "AudioProcessorNotesBase.h"

namespace
{
    constexpr int noteOffStatus = 0x80;
    constexpr int noteOnStatus = 0x90;
    constexpr int controllerStatus = 0xb0;
    constexpr int allNotesOffController = 123;
    constexpr int dataMask = 0x7f;

    // What the permanent voice is told: a note starting a voice of its own, for any note.
    constexpr int newVoiceFlag = 1;
    constexpr int noVoiceValue = -1;
    constexpr int anyNote = -1;
}

AudioProcessorNotesBase::AudioProcessorNotesBase()
{
    pending.reserve ((size_t) maxPendingEvents);
    freedVoices.reserve ((size_t) numNotes);
}

AudioProcessorNotesBase::~AudioProcessorNotesBase()
{
    // The voices belong to the product; only the oscilloscope node is ours.
    activeVoices.fill (nullptr);
    freedVoices.clear();
    oscilloscope.reset();
}

void AudioProcessorNotesBase::addPermanentVoice (ToneBase& voice) noexcept
{
    activeVoices[(size_t) permanentVoiceNote] = &voice;
}

//==============================================================================
void AudioProcessorNotesBase::processMidi (juce::MidiBuffer& midi)
{
    // Events left over from the last block lie beyond its end; they stay first in line.
    pending.erase (pending.begin(), pending.begin() + firstPending);
    firstPending = 0;

    for (const auto metadata : midi)
    {
        // Notes and controllers are three bytes long; everything else is ignored.
        if (metadata.numBytes < 3)
            continue;

        const auto* m = metadata.data;
        const int status = m[0] & 0xf0;
        const int data1 = m[1] & dataMask;
        const int data2 = m[2] & dataMask;
        const int time = metadata.samplePosition;

        if (status == noteOffStatus || (status == noteOnStatus && data2 == 0))
        {
            if (passesTrigger (data1))
                queue (time, data1, NoteEvent::noteOff, 0);
        }
        else if (status == noteOnStatus)
        {
            if (passesTrigger (data1))
                queue (time, data1, NoteEvent::noteOn, data2);
        }
        else if (status == controllerStatus && data1 == allNotesOffController)
        {
            queue (time, 0, NoteEvent::allNotesOff, 0);
        }
    }
}

bool AudioProcessorNotesBase::passesTrigger (int note) const noexcept
{
    const int trigger = getTriggerNote();
    return trigger == allNotes || trigger == note;
}

void AudioProcessorNotesBase::queue (int time, int note, int kind, int velocity) noexcept
{
    if (pending.size() < (size_t) maxPendingEvents)
        pending.push_back ({ time, note, kind, velocity });
}

//==============================================================================
void AudioProcessorNotesBase::renderRange (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count)
{
    // The transport is put back exactly as it was rather than moved back by the same amount,
    // which would leave rounding behind at every split.
    const double ppqAtStart = context->ppqPosition;
    const double secondsAtStart = context->timeInSeconds;
    int pos = 0;

    while (getNumPendingEvents() > 0 && pending[(size_t) firstPending].time < count)
    {
        // An event placed before what is already rendered (a host's stray position) is handled now.
        const int time = juce::jmax (pos, pending[(size_t) firstPending].time);
        renderVoices (buffer, midi, start + pos, time - pos);
        handleEventsAt (time);
        context->advanceTransport (time - pos);
        pos = time;
    }

    renderVoices (buffer, midi, start + pos, count - pos);

    if (pos > 0)
    {
        context->ppqPosition = ppqAtStart;
        context->timeInSeconds = secondsAtStart;
    }

    rebasePending (count);
}

void AudioProcessorNotesBase::handleEventsAt (int time) noexcept
{
    while (getNumPendingEvents() > 0 && pending[(size_t) firstPending].time <= time)
        handle (pending[(size_t) firstPending++]);
}

void AudioProcessorNotesBase::rebasePending (int count) noexcept
{
    for (size_t i = (size_t) firstPending; i < pending.size(); ++i)
        pending[i].time -= count;
}

void AudioProcessorNotesBase::handle (const NoteEvent& event) noexcept
{
    auto* voice = activeVoices[(size_t) permanentVoiceNote];

    if (event.kind == NoteEvent::noteOn)
    {
        if (oscilloscope != nullptr)
            oscilloscope->noteStarted();

        if (voice != nullptr)
            voice->noteOn (event.note, event.velocity, newVoiceFlag, noVoiceValue);
    }
    else if (voice != nullptr)
    {
        voice->noteOff (anyNote, 0);
    }
}

void AudioProcessorNotesBase::renderVoices (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count)
{
    if (oscilloscope != nullptr)
        oscilloscope->captureInput (buffer, start, count);

    for (size_t note = 0; note < activeVoices.size(); ++note)
    {
        auto* voice = activeVoices[note];

        if (voice == nullptr)
            continue;

        renderVoice (*voice, buffer, start, count);

        if (voice->isFinished())
        {
            activeVoices[note] = nullptr;

            if (freedVoices.size() < freedVoices.capacity())
                freedVoices.push_back (voice);

            voice->voiceFreed();
        }
    }

    if (oscilloscope != nullptr)
        oscilloscope->captureOutput (buffer, midi, start, count);
}
