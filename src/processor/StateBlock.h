#pragma once

#include "../dsp/WaveTables.h"
#include "ParameterRecord.h"
#include "SignalBuffer.h"

#include <array>

// The one block of state that a plug-in instance shares between all its nodes (about 23 MB,
// most of it wave tables). The processor allocates it once; every node borrows it and reads the
// parameter records directly.
struct StateBlock
{
    static constexpr int numWaves = 10;

    SignalPair input;
    SignalPair output;

    // The LFO group
    ParameterRecord usedWave { 10 };
    ParameterRecord speedType { 7 };
    ParameterRecord loopLength { 18 };
    ParameterRecord speed;
    SignalBuffer lfoOutput;

    // Never a host parameter.
    ParameterRecord interpolationQuality { 5 };

    std::array<WaveTables, numWaves> waves;

    // The MIDI group. The "Midi In" record's steps depend on the system's MIDI inputs, so it is
    // created at registration and lives outside this block.
    ParameterRecord* midiIn = nullptr;
    ParameterRecord midiInChannel { 17 };
    ParameterRecord midiInOctave { 12 };
    ParameterRecord midiInNote { 12 };

    ParameterRecord visibleWave { 10 };
    ParameterRecord oscilloscopeZoom;
    ParameterRecord mix;
    SignalBuffer mixBuffer;
};
