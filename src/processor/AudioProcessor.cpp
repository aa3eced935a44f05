#include "AudioProcessor.h"

#include "../dsp/MidiPortsProcessor.h"
#include "../dsp/WaveCubicProcessor.h"

AudioProcessor::AudioProcessor()
{
    setWaveProcessor (std::make_unique<WaveCubicProcessor> (*this));
    setMidiPorts (std::make_unique<MidiPortsProcessor> (*this));
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

    getMidiPorts()->registerMidiInputParameters();
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
