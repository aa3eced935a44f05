#pragma once

#include "BankRecord.h"

#include <juce_core/juce_core.h>

#include <atomic>

class ParameterStore;

// The bank of 16 programs the host sees, which of them is current, and the chunks hosts save: the
// whole bank (78788 bytes) and the current program (4924 bytes). A fresh bank holds the factory
// programs, migrated from the layout they were made in.
//
// Threads: the host's program and chunk calls, from host threads or the message thread, one at a
// time as hosts make them; the current index is atomic because other threads read it.
class ProgramBank
{
public:
    static constexpr int numPrograms = BankRecord::numPrograms;

    ProgramBank();

    static bool isValid (int index) noexcept { return index >= 0 && index < numPrograms; }

    int current() const noexcept { return currentIndex.load(); }
    void setCurrent (int index) noexcept { currentIndex = index; }

    const ProgramRecord& program (int index) const noexcept { return bank.programs[(size_t) index]; }
    const BankRecord& record() const noexcept { return bank; }

    // Empty for an index out of range.
    juce::String nameOf (int index) const;
    // False for an index out of range.
    bool rename (int index, const juce::String& newName);

    // Copies the store's current values into the current program.
    void storeCurrent (const ParameterStore& store);

    // The bank record; withCurrentProgram appends which program is current (8 bytes: a marker and
    // the index), for hosts that restore a state without choosing a program afterwards.
    void writeBank (juce::MemoryBlock& block, bool withCurrentProgram) const;
    void writeCurrentProgram (juce::MemoryBlock& block) const;

    // Replaces the whole bank, or the current program, with a chunk of any known format or
    // version, migrated. False, changing nothing, for a chunk that is unknown or too short. A bank
    // followed by its current program makes that program current.
    bool readBank (const void* data, size_t size);
    bool readCurrentProgram (const void* data, size_t size);

    static constexpr juce::uint32 currentProgramMarker = 0x50727643;   // "CvrP" in the file
    static constexpr int currentProgramBytes = 8;

private:
    // The program index after a bank of the given format, or -1 when none follows.
    static int currentProgramAfter (const uint8_t* bytes, size_t size, int format) noexcept;

    BankRecord bank;
    std::atomic<int> currentIndex { 0 };

    JUCE_DECLARE_NON_COPYABLE (ProgramBank)
};
