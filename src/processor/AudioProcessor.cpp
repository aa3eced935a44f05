#include "AudioProcessor.h"

#include "../dsp/MidiPortsProcessor.h"
#include "../dsp/OscilloscopeProcessor.h"
#include "../dsp/SignalSmoother.h"
#include "../dsp/ToneOrvanta.h"
#include "../dsp/WaveCubicProcessor.h"
#include "../plugineditor/AudioEditor.h"

AudioProcessor::AudioProcessor()
{
    setWaveProcessor (std::make_unique<WaveCubicProcessor> (*this));
    setOscilloscope (std::make_unique<OscilloscopeProcessor> (*this));
    setMidiPorts (std::make_unique<MidiPortsProcessor> (*this));
    registerParameters();

    // The smoother starts from the first mix value it sees, so playback does not fade in.
    smoother = std::make_unique<SignalSmoother> (*this, state->mixBuffer, mixSmoothingSpeed);
    smoother->setState (SignalSmoother::startFromNextValue);
    tone = std::make_unique<ToneOrvanta> (*this);
    addPermanentVoice (*tone);
    getOscilloscope()->setScopeSource (0, &tone->getLfo());
    state->input.left.varying = true;
    state->input.right.varying = true;

    finishConstruction();
}

AudioProcessor::~AudioProcessor()
{
    stopIdleTick();

    // The voice and the smoother borrow the shared blocks that the base classes free later.
    tone.reset();
    smoother.reset();
}

void AudioProcessor::registerParameters()
{
    using Indices = ParameterLayout;
    auto& s = *state;

    registerNamed (s.loopLength, Indices::loopLength);
    registerNamed (s.usedWave, Indices::usedWave);
    registerNamed (s.visibleWave, Indices::visibleWave);
    addReservedUpTo (Indices::speedType);
    registerNamed (s.speedType, Indices::speedType);
    registerNamed (s.speed, Indices::speed);
    addReservedUpTo (Indices::midiIn);
    getMidiPorts()->registerMidiInputParameters();
    addReservedUpTo (Indices::oscilloscopeZoom);
    getOscilloscope()->registerParameters();
    addReservedUpTo (Indices::mix);
    registerNamed (s.mix, Indices::mix);
    addReservedUpTo (Indices::firstPointParameter);
    getWaveProcessor()->registerParameters();
}

void AudioProcessor::registerNamed (ParameterRecord& record, int index)
{
    jassert (getParameterCount() == index);
    registerParameter (record, ParameterLayout::nameOf (index), ParameterRecord::plain);
}

void AudioProcessor::addReservedUpTo (int index)
{
    addReservedParameters (index - getParameterCount());
}

void AudioProcessor::steppedParameterChanged (int index, int step)
{
    AudioProcessorNotesBase::steppedParameterChanged (index, step);

    if (index == ParameterLayout::usedWave)
        tone->getLfo().setWave (step);
    else if (index == ParameterLayout::midiInOctave || index == ParameterLayout::midiInNote)
        setTriggerNote (triggerNoteFor (state->midiInOctave.currentStep(), state->midiInNote.currentStep()));
}

int AudioProcessor::triggerNoteFor (int octaveStep, int noteStep) noexcept
{
    constexpr int notesPerOctave = (int) ParameterLayout::midiInNoteSteps.size(), highestNote = numNotes - 1;

    if (octaveStep == ParameterLayout::allNotesStep)
        return allNotes;

    return juce::jmin (highestNote, (octaveStep - 1) * notesPerOctave + noteStep);
}

void AudioProcessor::renderVoice (ToneBase& voice, juce::AudioBuffer<float>& buffer, int start, int count)
{
    auto& s = *state;

    if (count > 0)
    {
        std::copy_n (buffer.getReadPointer (0, start), count, s.input.left.data());
        std::copy_n (buffer.getReadPointer (1, start), count, s.input.right.data());
    }

    s.mixBuffer.samples[0] = s.mix.storage;
    s.mixBuffer.varying = false;
    smoother->process (count);
    voice.render (count);

    if (count > 0)
    {
        std::copy_n (s.output.left.data(), count, buffer.getWritePointer (0, start));
        std::copy_n (s.output.right.data(), count, buffer.getWritePointer (1, start));
    }

    const auto& lfo = tone->getLfo();
    reportPlayPosition ((float) lfo.phase(), (float) lfo.rate());
}

std::unique_ptr<AudioEditorBase> AudioProcessor::createProductEditor()
{
    return std::make_unique<AudioEditor> (*this);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new AudioProcessor();
}
