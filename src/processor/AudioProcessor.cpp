#include "AudioProcessor.h"

#include "../dsp/WaveCubicProcessor.h"

#include <juce_audio_devices/juce_audio_devices.h>

AudioProcessor::AudioProcessor()
{
    setWaveProcessor (std::make_unique<WaveCubicProcessor> (*this));
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

    getWaveProcessor()->registerParameters();
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new AudioProcessor();
}
