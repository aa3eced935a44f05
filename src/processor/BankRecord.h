#pragma once

#include "ProgramRecord.h"

#include <array>

// The bank: a format word and its programs, held as the little-endian record hosts save. Formats
// 0 and 1 have 8 programs of 2524 bytes, 2 and 3 have 16 of 2524, 4 and 5 have 16 of 4924.
class BankRecord
{
public:
    static constexpr int currentFormat = 5;
    static constexpr int numPrograms = 16;
    static constexpr int currentSize = 4 + numPrograms * ProgramRecord::currentSize;

    static constexpr bool isKnownFormat (int format) noexcept { return format >= 0 && format <= currentFormat; }
    static constexpr int programsIn (int format) noexcept { return format <= 1 ? 8 : numPrograms; }
    static constexpr int programSizeIn (int format) noexcept { return ProgramRecord::sizeOf (format); }
    static constexpr int sizeOf (int format) noexcept { return 4 + programsIn (format) * programSizeIn (format); }

    // Reads a bank whose format word says how long it is; false when that format is unknown or
    // the data end before the bank does.
    static bool read (const void* data, size_t size, BankRecord& bank);

    // Writes sizeOf (format) bytes.
    void write (uint8_t* destination) const;

    // Brings source to the current format, one format at a time, into this bank. False, leaving
    // this bank untouched, when the source's format is unknown. A program that cannot be migrated,
    // or whose version is not its bank's, stays empty.
    bool loadBankData (const BankRecord& source);

    int format = currentFormat;
    std::array<ProgramRecord, numPrograms> programs {};

private:
    static BankRecord nextFormat (const BankRecord& source);
};
