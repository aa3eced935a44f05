#include "BankRecord.h"

#include <memory>

bool BankRecord::read (const void* data, size_t size, BankRecord& bank)
{
    const auto* bytes = static_cast<const uint8_t*> (data);

    if (bytes == nullptr || size < 4)
        return false;

    const int format = (int) ((uint32_t) bytes[0] | ((uint32_t) bytes[1] << 8) | ((uint32_t) bytes[2] << 16)
                              | ((uint32_t) bytes[3] << 24));

    if (! isKnownFormat (format) || size < (size_t) sizeOf (format))
        return false;

    bank.format = format;

    for (int i = 0; i < numPrograms; ++i)
        bank.programs[(size_t) i] = i < programsIn (format)
                                        ? ProgramRecord::readWithLayout (bytes + 4 + i * programSizeIn (format),
                                                                         ProgramRecord::valueCountOf (format))
                                        : ProgramRecord {};

    return true;
}

void BankRecord::write (uint8_t* destination) const
{
    for (int i = 0; i < 4; ++i)
        destination[i] = (uint8_t) ((uint32_t) format >> (8 * i));

    for (int i = 0; i < programsIn (format); ++i)
        programs[(size_t) i].write (destination + 4 + i * programSizeIn (format));
}

bool BankRecord::loadBankData (const BankRecord& source)
{
    if (! isKnownFormat (source.format))
        return false;

    // Migrated on the heap: a bank is 78 KB and hosts' threads may have small stacks.
    auto bank = std::make_unique<BankRecord> (source);

    while (bank->format != currentFormat)
        *bank = nextFormat (*bank);

    // Programs inside a bank have the bank's layout; one whose own version word says otherwise
    // (only a damaged chunk has that) cannot be read and stays empty.
    for (auto& program : bank->programs)
        if (program.version != currentFormat)
            program = ProgramRecord {};

    *this = *bank;
    return true;
}

BankRecord BankRecord::nextFormat (const BankRecord& source)
{
    BankRecord next;
    next.format = source.format + 1;
    const int sourcePrograms = programsIn (source.format);

    // Formats 0 and 1 held 8 programs; format 2 doubled them, repeating the first 8.
    for (int i = 0; i < programsIn (next.format); ++i)
    {
        auto& program = next.programs[(size_t) i];
        program.version = next.format; // stays empty when its source cannot be migrated
        ProgramRecord::loadProgramData (source.programs[(size_t) (i % sourcePrograms)], program, next.format);
    }

    return next;
}
