#pragma once

#include "../events/HandOverPointer.h"
#include "../events/MpscRing.h"
#include "ParameterChange.h"
#include "ParameterChangeReceiver.h"
#include "ParameterLayout.h"
#include "ParameterRecord.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <bitset>
#include <memory>
#include <vector>

// The processor's parameters: the records by index, the latest value written to each, and the
// queue that carries changes to the drain, with the hold that keeps host automation off a value
// the user (or a program load) just wrote.
//
// Threads:
// - add, createPlaceholder, markReady: the processor's constructor, before anything else.
// - writeFromHost, writeFromGui, valueOf, holdUntil, discardPending: any thread. They store atomics
//   and push the lock-free queue; none of them waits, and none of them touches a record.
// - drain and apply: only under the processor's callback lock (the audio thread, the idle tick,
//   construction), so one thread at a time writes records and never while processing runs.
// - setChangeReceiver: the message thread; clearing waits until no report is in flight.
class ParameterStore
{
public:
    static constexpr int numParameters = ParameterLayout::numParameters;
    static constexpr int changeQueueCapacity = 3448;
    // How long a value written from the editor or a program holds off the host's automation.
    static constexpr juce::uint32 guiHoldMs = 1200;

    // Hears every value the store applies to a record, on the thread that applies it.
    struct Listener
    {
        virtual ~Listener() = default;
        virtual void parameterStepApplied (int index, const ParameterRecord& record, int step) = 0;
        virtual void parameterValueApplied (int index, const ParameterRecord& record, float value) = 0;
    };

    explicit ParameterStore (Listener& listener);

    // Puts a record at the next index and returns that index; at most numParameters records.
    int add (ParameterRecord& record, const juce::String& name, int kind);
    // A new placeholder record, owned by the store, to be added: saved with programs, never applied.
    ParameterRecord& createPlaceholder();

    // From now on a value equal to the current one is not written again, and a step that does not
    // change is not applied again.
    void markReady() noexcept { ready = true; }
    bool isReady() const noexcept { return ready; }

    int size() const noexcept { return count; }
    bool isValidIndex (int index) const noexcept { return index >= 0 && index < count; }
    const ParameterRecord* recordAt (int index) const noexcept;

    // The latest value written, from any side; 0 for an index out of range.
    float valueOf (int index) const noexcept;
    juce::uint32 holdUntil (int index) const noexcept { return holds[(size_t) index].load(); }

    // A host value, applied by the next drain (after the hold of an editor value, unless holds are
    // ignored). The latest write of a parameter, from either side, is the value it ends with.
    void writeFromHost (int index, float value);
    // An editor or program value, holding off host automation of the parameter for 1.2 s.
    void writeFromGui (int index, float value);

    // Applies every queued change; with honourHolds false (offline) holds are ignored.
    void drain (juce::uint32 now, bool honourHolds);
    // Writes a value into the parameter's record and tells the listener and the receiver.
    void apply (int index, float value);

    // Drops every change still waiting, without waiting for the drain.
    void discardPending() noexcept;

    void setChangeReceiver (ParameterChangeReceiver* receiver);

    // A value that is not a number (a corrupt chunk, a careless host) is 0; others are clamped.
    static float normalized (float value) noexcept;

private:
    bool isHeld (int index, juce::uint32 now) const noexcept;
    void requeueDeferred();
    void keepOverflowedValue (int index) noexcept;
    void applyOverflowedValues();
    void applyEditorChange (const ParameterChange& change);
    unsigned int countWrite (int index) noexcept { return writeCounts[(size_t) index].fetch_add (1) + 1; }

    Listener& listener;
    bool ready = false;
    int count = 0;

    std::array<ParameterRecord*, numParameters> records {};
    std::vector<std::unique_ptr<ParameterRecord>> placeholders;
    std::array<std::atomic<float>, numParameters> currentValues {};
    std::array<std::atomic<juce::uint32>, numParameters> holds {};
    // Every write of a parameter counts here, so the drain can tell whether a queued editor value
    // is still the latest one or a newer host value has come since.
    std::array<std::atomic<unsigned int>, numParameters> writeCounts {};
    MpscRing<ParameterChange, changeQueueCapacity> changeQueue;
    std::bitset<numParameters> deferred; // host changes held back during one drain
    // Changes that found the queue full: kept as bits, applied by the next drain from
    // currentValues, so a burst of program loads or automation never loses a value.
    std::array<std::atomic<juce::uint64>, (numParameters + 63) / 64> overflowed {};
    std::atomic<bool> hasOverflowed { false };
    // Queue entries at positions below this were pending when a program was loaded: the drain
    // skips them, so a program load never has to wait for the audio thread.
    std::atomic<size_t> discardBefore { 0 };
    HandOverPointer<ParameterChangeReceiver> changeReceiver;

    JUCE_DECLARE_NON_COPYABLE (ParameterStore)
};
