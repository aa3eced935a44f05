#include "ProgramBank.h"

#include "FactoryBank.h"
#include "ParameterStore.h"

#include <memory>

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

void ProgramBank::writeBank (juce::MemoryBlock& block) const
{
    block.setSize (BankRecord::currentSize);
    bank.write (static_cast<uint8_t*> (block.getData()));
}

void ProgramBank::writeCurrentProgram (juce::MemoryBlock& block) const
{
    block.setSize (ProgramRecord::currentSize);
    program (current()).write (static_cast<uint8_t*> (block.getData()));
}

bool ProgramBank::readBank (const void* data, size_t size)
{
    // On the heap: a bank is 78 KB and hosts' threads may have small stacks.
    auto loaded = std::make_unique<BankRecord>();
    return BankRecord::read (data, size, *loaded) && bank.loadBankData (*loaded);
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
