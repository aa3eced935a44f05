#include "ProgramBank.h"

#include "FactoryBank.h"
#include "ParameterStore.h"

#include <memory>

namespace
{
    void writeWord (uint8_t* bytes, juce::uint32 word) noexcept
    {
        for (int i = 0; i < 4; ++i)
            bytes[i] = (uint8_t) (word >> (8 * i));
    }

    juce::uint32 readWord (const uint8_t* bytes) noexcept
    {
        return (juce::uint32) bytes[0] | ((juce::uint32) bytes[1] << 8) | ((juce::uint32) bytes[2] << 16)
             | ((juce::uint32) bytes[3] << 24);
    }
}

ProgramBank::ProgramBank()
{
    const auto factory = FactoryBank::formatTwoBytes();
    readBank (factory.data(), factory.size());
}

juce::String ProgramBank::nameOf (int index) const
{
    return isValid (index) ? program (index).getName() : juce::String();
}

bool ProgramBank::rename (int index, const juce::String& newName)
{
    if (! isValid (index))
        return false;

    bank.programs[(size_t) index].setName (newName);
    return true;
}

void ProgramBank::storeCurrent (const ParameterStore& store)
{
    auto& values = bank.programs[(size_t) current()].values;

    for (size_t i = 0; i < values.size(); ++i)
        values[i] = store.valueOf ((int) i);
}

void ProgramBank::writeBank (juce::MemoryBlock& block, bool withCurrentProgram) const
{
    block.setSize (BankRecord::currentSize + (withCurrentProgram ? currentProgramBytes : 0), true);
    auto* bytes = static_cast<uint8_t*> (block.getData());
    bank.write (bytes);

    if (withCurrentProgram)
    {
        writeWord (bytes + BankRecord::currentSize, currentProgramMarker);
        writeWord (bytes + BankRecord::currentSize + 4, (juce::uint32) current());
    }
}

void ProgramBank::writeCurrentProgram (juce::MemoryBlock& block) const
{
    block.setSize (ProgramRecord::currentSize, true);
    program (current()).write (static_cast<uint8_t*> (block.getData()));
}

bool ProgramBank::readBank (const void* data, size_t size)
{
    // On the heap: a bank is 78 KB and hosts' threads may have small stacks.
    auto loaded = std::make_unique<BankRecord>();

    if (! BankRecord::read (data, size, *loaded))
        return false;

    const int program = currentProgramAfter (static_cast<const uint8_t*> (data), size, loaded->format);

    if (! bank.loadBankData (*loaded))
        return false;

    if (isValid (program))
        setCurrent (program);

    return true;
}

int ProgramBank::currentProgramAfter (const uint8_t* bytes, size_t size, int format) noexcept
{
    const auto end = (size_t) BankRecord::sizeOf (format);

    if (size < end + currentProgramBytes)
        return -1;

    return readWord (bytes + end) == currentProgramMarker ? (int) readWord (bytes + end + 4) : -1;
}

bool ProgramBank::readCurrentProgram (const void* data, size_t size)
{
    auto loaded = std::make_unique<ProgramRecord>();
    auto migrated = std::make_unique<ProgramRecord>();

    if (! ProgramRecord::read (data, size, *loaded)
        || ! ProgramRecord::loadProgramData (*loaded, *migrated, ProgramRecord::currentVersion))
        return false;

    bank.programs[(size_t) current()] = *migrated;
    return true;
}
