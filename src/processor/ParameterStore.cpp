#include "ParameterStore.h"

#include <cmath>

ParameterStore::ParameterStore (Listener& storeListener)
    : listener (storeListener)
{
}

int ParameterStore::add (ParameterRecord& record, const juce::String& name, int kind)
{
    jassert (count < numParameters);
    const int index = count++;
    record.name = name;
    record.kind = kind;
    record.index = index;
    records[(size_t) index] = &record;
    return index;
}

ParameterRecord& ParameterStore::createPlaceholder()
{
    placeholders.push_back (std::make_unique<ParameterRecord>());
    return *placeholders.back();
}

const ParameterRecord* ParameterStore::recordAt (int index) const noexcept
{
    return isValidIndex (index) ? records[(size_t) index] : nullptr;
}

float ParameterStore::valueOf (int index) const noexcept
{
    return isValidIndex (index) ? currentValues[(size_t) index].load (std::memory_order_relaxed) : 0.0f;
}

float ParameterStore::normalized (float value) noexcept
{
    return std::isnan (value) ? 0.0f : juce::jlimit (0.0f, 1.0f, value);
}

//==============================================================================
void ParameterStore::writeFromHost (int index, float value)
{
    if (! isValidIndex (index))
        return;

    value = normalized (value);
    auto& current = currentValues[(size_t) index];

    if (ready && value == current.load (std::memory_order_relaxed))
        return;

    current.store (value, std::memory_order_relaxed);
    countWrite (index);

    if (! changeQueue.push ({ index, ParameterChange::fromHost, 0.0f, 0 }))
        keepOverflowedValue (index);
}

void ParameterStore::writeFromGui (int index, float value)
{
    if (! isValidIndex (index))
        return;

    value = normalized (value);
    holds[(size_t) index].store (juce::Time::getApproximateMillisecondCounter() + guiHoldMs);
    currentValues[(size_t) index].store (value, std::memory_order_relaxed);
    const auto serial = countWrite (index);

    if (! changeQueue.push ({ index, ParameterChange::fromGui, value, serial }))
        keepOverflowedValue (index);
}

bool ParameterStore::isHeld (int index, juce::uint32 now) const noexcept
{
    // Time since the hold started, in unsigned arithmetic so the counter's wrap does not matter.
    const auto holdStart = holds[(size_t) index].load() - guiHoldMs;
    return now - holdStart <= guiHoldMs;
}

//==============================================================================
void ParameterStore::drain (juce::uint32 now, bool honourHolds)
{
    if (changeQueue.isEmpty() && ! hasOverflowed.load())
        return;

    deferred.reset();
    ParameterChange change;

    // At most one queue's worth, so writers that keep pushing cannot hold the drain forever.
    for (int taken = 0; taken < changeQueueCapacity; ++taken)
    {
        const auto position = changeQueue.popCount();

        if (! changeQueue.pop (change))
            break;

        if (position < discardBefore.load())
            continue;

        const auto index = (size_t) change.index;

        if (change.kind == ParameterChange::fromGui)
        {
            applyEditorChange (change);
        }
        else if (honourHolds && isHeld (change.index, now))
        {
            deferred.set (index);
        }
        else
        {
            apply (change.index, currentValues[index].load (std::memory_order_relaxed));
        }
    }

    // Written when the queue was full, so newer than anything queued for their index.
    applyOverflowedValues();
    requeueDeferred();
}

void ParameterStore::applyEditorChange (const ParameterChange& change)
{
    // The record takes the editor's value either way. When nothing was written since, it is the
    // parameter's latest value and ends a host retry still waiting; when a host value came later,
    // that one stays the current value and applies after the hold.
    if (writeCounts[(size_t) change.index].load() == change.serial)
        deferred.reset ((size_t) change.index);

    apply (change.index, change.value);
}

void ParameterStore::keepOverflowedValue (int index) noexcept
{
    overflowed[(size_t) index / 64].fetch_or (juce::uint64 (1) << (index % 64));
    hasOverflowed.store (true);
}

void ParameterStore::applyOverflowedValues()
{
    if (! hasOverflowed.exchange (false))
        return;

    for (size_t word = 0; word < overflowed.size(); ++word)
    {
        auto bits = overflowed[word].exchange (0);

        for (int bit = 0; bits != 0; ++bit, bits >>= 1)
        {
            if ((bits & 1) == 0)
                continue;

            const auto index = (int) word * 64 + bit;
            deferred.reset ((size_t) index);
            apply (index, currentValues[(size_t) index].load (std::memory_order_relaxed));
        }
    }
}

void ParameterStore::requeueDeferred()
{
    if (deferred.none())
        return;

    for (int index = 0; index < count; ++index)
        if (deferred.test ((size_t) index))
            if (! changeQueue.push ({ index, ParameterChange::fromHost, 0.0f, 0 }))
                keepOverflowedValue (index);
}

void ParameterStore::discardPending() noexcept
{
    discardBefore = changeQueue.pushCount();

    for (auto& word : overflowed)
        word = 0;
}

//==============================================================================
void ParameterStore::apply (int index, float value)
{
    auto* record = records[(size_t) index];

    if (record == nullptr || record->kind == ParameterRecord::placeholder)
        return;

    if (record->isStepped())
    {
        const int step = ParameterRecord::stepOf (value, record->steps);

        if (ready && step == record->currentStep())
            return;

        record->writeStep (step);
        listener.parameterStepApplied (index, *record, step);
        changeReceiver.with ([=] (ParameterChangeReceiver& receiver) { receiver.queueParameterStep (index, step); });
    }
    else
    {
        if (ready && value == record->value)
            return;

        record->writeValue (value);
        const float written = record->value;
        listener.parameterValueApplied (index, *record, written);
        changeReceiver.with ([=] (ParameterChangeReceiver& receiver) { receiver.queueParameterValue (index, written); });
    }
}

void ParameterStore::setChangeReceiver (ParameterChangeReceiver* receiver)
{
    if (receiver == nullptr)
        changeReceiver.clearAndWait();
    else
        changeReceiver.set (receiver);
}
