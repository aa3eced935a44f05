#include "ProgramRecord.h"

#include "ParameterRecord.h"

#include <cstring>

namespace
{
    int32_t readInt (const uint8_t* bytes) noexcept
    {
        return (int32_t) ((uint32_t) bytes[0] | ((uint32_t) bytes[1] << 8) | ((uint32_t) bytes[2] << 16)
                          | ((uint32_t) bytes[3] << 24));
    }

    void writeInt (uint8_t* bytes, int32_t value) noexcept
    {
        const auto bits = (uint32_t) value;
        for (int i = 0; i < 4; ++i)
            bytes[i] = (uint8_t) (bits >> (8 * i));
    }

    float readFloat (const uint8_t* bytes) noexcept
    {
        const auto bits = (uint32_t) readInt (bytes);
        float value;
        std::memcpy (&value, &bits, sizeof (value));
        return value;
    }

    void writeFloat (uint8_t* bytes, float value) noexcept
    {
        uint32_t bits;
        std::memcpy (&bits, &value, sizeof (bits));
        writeInt (bytes, (int32_t) bits);
    }

    constexpr int headerSize = 4 + ProgramRecord::nameBytes;

    using Layout = ParameterLayout;

    // Step counts of earlier versions.
    constexpr double oldSpeedTypes = 2.0;          // beats or hertz, both synced
    constexpr double oldStepsAtReserved = 3.0;

    constexpr double stepsOf (int index) noexcept { return (double) Layout::stepsOf (index); }
}

bool ProgramRecord::read (const void* data, size_t size, ProgramRecord& record)
{
    const auto* bytes = static_cast<const uint8_t*> (data);

    if (bytes == nullptr || size < 4)
        return false;

    const int version = readInt (bytes);

    if (! isKnownVersion (version) || size < (size_t) sizeOf (version))
        return false;

    record = readWithLayout (bytes, valueCountOf (version));
    return true;
}

ProgramRecord ProgramRecord::readWithLayout (const uint8_t* bytes, int numValues)
{
    ProgramRecord record;
    record.version = readInt (bytes);
    std::memcpy (record.name.data(), bytes + 4, nameBytes);

    for (int i = 0; i < numValues; ++i)
        record.values[(size_t) i] = readFloat (bytes + headerSize + 4 * i);

    return record;
}

void ProgramRecord::write (uint8_t* destination) const
{
    writeInt (destination, version);
    std::memcpy (destination + 4, name.data(), nameBytes);

    for (int i = 0; i < valueCountOf (version); ++i)
        writeFloat (destination + headerSize + 4 * i, values[(size_t) i]);
}

bool ProgramRecord::loadProgramData (const ProgramRecord& source, ProgramRecord& destination, int targetVersion)
{
    if (source.version == targetVersion)
    {
        destination = source;
        return true;
    }

    if (source.version < 0 || source.version >= currentVersion)
        return false;

    // Each step succeeds; where the chain ends is the next call's business.
    loadProgramData (nextVersion (source), destination, targetVersion);
    return true;
}

ProgramRecord ProgramRecord::nextVersion (const ProgramRecord& source)
{
    ProgramRecord next;
    next.version = source.version + 1;

    // The name up to its zero byte; what followed it was never significant.
    const auto nameLength = std::find (source.name.begin(), source.name.end(), '\0') - source.name.begin();
    std::copy_n (source.name.begin(), nameLength, next.name.begin());

    const int count = valueCountOf (source.version);
    std::copy_n (source.values.begin(), count, next.values.begin());
    auto& v = next.values;

    switch (source.version)
    {
        case 1:
            v[Layout::speedType] = 0.0f;
            v[Layout::speed] = 0.0f;
            break;

        case 2: // the first five parameters went from step numbers to normalized values
            for (int index : { Layout::loopLength, Layout::usedWave, Layout::visibleWave })
                v[(size_t) index] = (float) ((double) v[(size_t) index] / stepsOf (index));

            v[Layout::reservedAfterVisibleWave] = (float) ((double) v[Layout::reservedAfterVisibleWave] / oldStepsAtReserved);
            v[Layout::speedType] = (float) ((double) v[Layout::speedType] / oldSpeedTypes);
            break;

        case 4:
            migrateNamedParameters (next);
            break;

        default: // 0 -> 1 changes nothing; 3 -> 4 adds points 21 ... 40 as empty slots
            break;
    }

    return next;
}

void ProgramRecord::migrateNamedParameters (ProgramRecord& record)
{
    // "Speed Type" grew from two choices (beats or hertz, both synced) to seven.
    auto& v = record.values;

    v[Layout::reservedAfterVisibleWave] = 1.0f;
    v[Layout::speedType] = ParameterRecord::stepOf (v[Layout::speedType], (int) oldSpeedTypes) == 1
                               ? (float) ((double) Layout::hertzSynced / stepsOf (Layout::speedType))
                               : 0.0f;
    v[Layout::midiIn] = 0.0f;
    v[Layout::midiInChannel] = (float) (1.0 / stepsOf (Layout::midiInChannel));   // channel 1
    v[Layout::midiInOctave] = 0.0f;
    v[Layout::midiInNote] = 0.0f;
    v[Layout::oscilloscopeZoom] = (float) Layout::defaultOscilloscopeZoom;
    v[Layout::mix] = 1.0f;
}

juce::String ProgramRecord::getName() const
{
    juce::String result;

    for (auto c : name)
    {
        if (c == '\0')
            break;

        result += juce::String::charToString ((juce::juce_wchar) (uint8_t) c);
    }

    return result;
}

void ProgramRecord::setName (const juce::String& newName)
{
    name.fill ('\0');
    auto characters = newName.getCharPointer();

    for (int i = 0; i < nameBytes - 1 && ! characters.isEmpty(); ++i)
    {
        const auto c = characters.getAndAdvance();
        name[(size_t) i] = c < 128 ? (char) c : '?';
    }
}
