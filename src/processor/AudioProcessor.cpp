#include "AudioProcessor.h"

#include <juce_audio_devices/juce_audio_devices.h>

AudioProcessor::AudioProcessor()
{
    registerParameters();
    finishConstruction();
}

void AudioProcessor::registerParameters()
{
    auto& s = *state;
    const auto plain = ParameterRecord::plain;

    registerParameter (s.loopLength, "Loop Length", plain);
    registerParameter (s.usedWave, "Used Wave", plain);
    registerParameter (s.visibleWave, "Visible Wave", plain);
    addReservedParameters (1);
    registerParameter (s.speedType, "Speed Type", plain);
    registerParameter (s.speed, "Speed", plain);
    addReservedParameters (2);

    // Step 0 is "no port", then one step per system MIDI input.
    midiInRecord = std::make_unique<ParameterRecord> (juce::MidiInput::getAvailableDevices().size() + 1);
    s.midiIn = midiInRecord.get();
    registerParameter (*s.midiIn, "Midi In", plain);
    registerParameter (s.midiInChannel, "Midi In Channel", plain);
    registerParameter (s.midiInOctave, "Midi In Octave", plain);
    registerParameter (s.midiInNote, "Midi In Note", plain);
    addReservedParameters (2);

    registerParameter (s.oscilloscopeZoom, "Oscilloscope Zoom", plain);
    addReservedParameters (1);
    registerParameter (s.mix, "Mix", plain);
    addReservedParameters (7);

    registerWavePointParameters();
}

void AudioProcessor::registerWavePointParameters()
{
    // Slots 1 ... 20 of every wave come first, then slots 21 ... 40: banks saved when waves had
    // 20 points keep their indices.
    constexpr int slotsPerHalf = WaveTables::numSlots / 2;

    for (int half = 0; half < 2; ++half)
        for (int wave = 0; wave < StateBlock::numWaves; ++wave)
            for (int slot = half * slotsPerHalf; slot < (half + 1) * slotsPerHalf; ++slot)
            {
                auto& tables = state->waves[(size_t) wave];
                const auto prefix = "Wave" + juce::String (wave + 1) + "." + juce::String (slot + 1) + " ";

                for (auto* record : { &tables.x (slot), &tables.y (slot), &tables.type (slot) })
                    record->group = wave;

                registerParameter (tables.x (slot), prefix + "X", ParameterRecord::wavePoint);
                registerParameter (tables.y (slot), prefix + "Y", ParameterRecord::wavePoint);
                registerParameter (tables.type (slot), prefix + "Type", ParameterRecord::wavePoint);
            }
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new AudioProcessor();
}
