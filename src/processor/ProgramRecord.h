#pragma once

#include "ParameterLayout.h"

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>

// One program (preset): a version word, a 24-byte name and the normalized value of every
// parameter in index order, held as the little-endian record hosts save: 2524 bytes in versions
// 0 ... 3 (624 values), 4924 bytes in versions 4 and 5 (1224 values).
class ProgramRecord
{
public:
    static constexpr int currentVersion = 5;
    static constexpr int nameBytes = 24;
    static constexpr int oldValueCount = ParameterLayout::numFirstHalfParameters;   // before waves had 40 points
    static constexpr int valueCount = ParameterLayout::numParameters;
    static constexpr int oldSize = 4 + nameBytes + 4 * oldValueCount;
    static constexpr int currentSize = 4 + nameBytes + 4 * valueCount;

    static constexpr bool isKnownVersion (int version) noexcept { return version >= 0 && version <= currentVersion; }
    static constexpr int valueCountOf (int version) noexcept { return version >= 4 ? valueCount : oldValueCount; }
    static constexpr int sizeOf (int version) noexcept { return version >= 4 ? currentSize : oldSize; }

    // Reads a record whose version word says how long it is; false when that version is unknown
    // or the data end before the record does.
    static bool read (const void* data, size_t size, ProgramRecord& record);

    // Reads numValues values after the header, whatever the version word says (records inside a
    // bank have the bank's layout).
    static ProgramRecord readWithLayout (const uint8_t* bytes, int numValues);

    // Writes sizeOf (version) bytes.
    void write (uint8_t* destination) const;

    // Brings a copy of source to the target version, one version at a time, into destination.
    // False when source has a version that cannot be migrated; destination is then untouched.
    static bool loadProgramData (const ProgramRecord& source, ProgramRecord& destination, int targetVersion);

    // At most 24 characters, up to the first zero byte. Bytes above 127 are read as Latin-1.
    juce::String getName() const;
    // Stores at most 23 ASCII characters and a zero byte; other characters become '?'.
    void setName (const juce::String& newName);

    int version = currentVersion;
    std::array<char, nameBytes> name {};
    std::array<float, valueCount> values {};

private:
    static ProgramRecord nextVersion (const ProgramRecord& source);
    static void migrateNamedParameters (ProgramRecord& record);
};
