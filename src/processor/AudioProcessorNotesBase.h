#pragma once

#include "../dsp/ToneBase.h"
#include "AudioProcessorBase.h"
#include "NoteEvent.h"

#include <array>
#include <atomic>
#include <memory>
#include <vector>

// The processor with note tracking: turns the block's MIDI notes into sample-accurate note
// events and renders its voices in ranges split at those events, so a note restarts the
// modulation exactly on its sample. One permanent voice (under note 64) receives every note; it
// is never released.
class AudioProcessorNotesBase : public AudioProcessorBase
{
public:
    static constexpr int numNotes = DspContext::numNotes;
    static constexpr int permanentVoiceNote = 64;
    static constexpr int allNotes = -1;
    // Note events one block can carry; more are dropped, so the queue never grows on the audio thread.
    static constexpr int maxPendingEvents = 2048;

    AudioProcessorNotesBase();
    ~AudioProcessorNotesBase() override;

    void processMidi (juce::MidiBuffer& midi) override;
    void renderRange (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count) override;

    // Captures the input, renders every active voice in note order and captures the output.
    void renderVoices (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count);

    // Renders one voice for samples start ... start + count - 1 of the block (count at most 512).
    virtual void renderVoice (ToneBase& voice, juce::AudioBuffer<float>& buffer, int start, int count) = 0;

    // Enters the voice that hears every note; it stays active for the processor's life and is
    // owned by the caller.
    void addPermanentVoice (ToneBase& voice) noexcept;

    // Only note events of this note number are queued (all notes when -1); all-notes-off always.
    void setTriggerNote (int note) noexcept { triggerNote.store (note, std::memory_order_relaxed); }
    int getTriggerNote() const noexcept { return triggerNote.load (std::memory_order_relaxed); }

    // Setting the node replaces, and deletes, the previous one.
    void setOscilloscope (std::unique_ptr<AudioProcessorMixin> node) { oscilloscope = std::move (node); }
    // The oscilloscope captures only while an editor shows it; its picture refills within one LFO
    // cycle of the editor opening.
    void editorShown (bool shown) override
    {
        if (oscilloscope != nullptr)
            oscilloscope->setScopeCaptureEnabled (shown);
    }
    AudioProcessorMixin* getOscilloscope() const noexcept { return oscilloscope.get(); }

    int getNumPendingEvents() const noexcept { return (int) pending.size() - firstPending; }

private:
    bool passesTrigger (int note) const noexcept;
    void queue (int time, int note, int kind, int velocity) noexcept;
    void handle (const NoteEvent& event) noexcept;
    void handleEventsAt (int time) noexcept;
    void rebasePending (int count) noexcept;

    std::unique_ptr<AudioProcessorMixin> oscilloscope;

    // First in, first out: pending[firstPending ...]. The storage is reserved once and reused.
    std::vector<NoteEvent> pending;
    int firstPending = 0;

    // Indexed by note number, so iteration runs in note order; voices are not owned.
    std::array<ToneBase*, numNotes> activeVoices {};
    std::vector<ToneBase*> freedVoices;

    std::atomic<int> triggerNote { allNotes };
};
