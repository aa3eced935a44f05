#pragma once

#include "../dsp/WaveTables.h"
#include "ParameterLayout.h"
#include "ParameterRecord.h"
#include "SignalBuffer.h"

#include <array>

// The one block of state that a plug-in instance shares between all its nodes (about 23 MB,
// most of it wave tables). The processor allocates it once; every node borrows it and reads the
// parameter records directly.
struct StateBlock
{
    static constexpr int numWaves = ParameterLayout::numWaves;

    SignalPair input;
    SignalPair output;

    // The LFO group
    ParameterRecord usedWave { ParameterLayout::stepsOf (ParameterLayout::usedWave) };
    ParameterRecord speedType { ParameterLayout::stepsOf (ParameterLayout::speedType) };
    ParameterRecord loopLength { ParameterLayout::stepsOf (ParameterLayout::loopLength) };
    ParameterRecord speed;
    SignalBuffer lfoOutput;

    // Never a host parameter.
    ParameterRecord interpolationQuality { 5 };

    std::array<WaveTables, numWaves> waves;

    // The MIDI group. The "Midi In" record's steps depend on the system's MIDI inputs, so it is
    // created at registration and lives outside this block.
    ParameterRecord* midiIn = nullptr;
    ParameterRecord midiInChannel { ParameterLayout::stepsOf (ParameterLayout::midiInChannel) };
    ParameterRecord midiInOctave { ParameterLayout::stepsOf (ParameterLayout::midiInOctave) };
    ParameterRecord midiInNote { ParameterLayout::stepsOf (ParameterLayout::midiInNote) };

    ParameterRecord visibleWave { ParameterLayout::stepsOf (ParameterLayout::visibleWave) };
    ParameterRecord oscilloscopeZoom;
    ParameterRecord mix;
    SignalBuffer mixBuffer;
};
