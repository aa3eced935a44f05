#include "processor/ProgramBank.h"

#include <gtest/gtest.h>

#include <cstring>

TEST (ProgramBank, AStateWithItsCurrentProgramBringsThatProgramBack)
{
    ProgramBank saved;
    saved.setCurrent (7);
    saved.rename (7, "Edited");

    juce::MemoryBlock plain, withProgram;
    saved.writeBank (plain, false);
    saved.writeBank (withProgram, true);
    ASSERT_EQ (plain.getSize(), (size_t) BankRecord::currentSize);
    ASSERT_EQ (withProgram.getSize(), (size_t) BankRecord::currentSize + ProgramBank::currentProgramBytes);
    // The bank part is the same record, so a reader that stops at its end loads it unchanged.
    EXPECT_EQ (std::memcmp (plain.getData(), withProgram.getData(), plain.getSize()), 0);

    ProgramBank restored;
    restored.setCurrent (3);
    ASSERT_TRUE (restored.readBank (withProgram.getData(), withProgram.getSize()));
    EXPECT_EQ (restored.current(), 7);
    EXPECT_EQ (restored.nameOf (7), "Edited");

    // A state without it (older, or from a VST 2 host) leaves the current program alone.
    ASSERT_TRUE (restored.readBank (plain.getData(), plain.getSize()));
    EXPECT_EQ (restored.current(), 7);
}

TEST (ProgramBank, ATrailerThatIsNotACurrentProgramIsIgnored)
{
    ProgramBank saved;
    saved.setCurrent (2);
    juce::MemoryBlock block;
    saved.writeBank (block, true);

    struct Case { int byte; uint8_t value; };
    for (auto c : { Case { 4, 16 }, Case { 7, 0x80 }, Case { 0, 0 } })   // index 16, negative index, marker
    {
        juce::MemoryBlock changed (block);
        static_cast<uint8_t*> (changed.getData())[BankRecord::currentSize + c.byte] = c.value;
        ProgramBank restored;
        restored.setCurrent (5);
        ASSERT_TRUE (restored.readBank (changed.getData(), changed.getSize()));
        EXPECT_EQ (restored.current(), 5) << "byte " << c.byte;
    }

    // Cut inside the trailer: the bank loads, the current program stays.
    ProgramBank restored;
    ASSERT_TRUE (restored.readBank (block.getData(), block.getSize() - 1));
    EXPECT_EQ (restored.current(), 0);
}
