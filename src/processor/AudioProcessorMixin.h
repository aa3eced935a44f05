#pragma once

#include "../events/EventHandler.h"
#include "AudioNode.h"

#include <juce_audio_basics/juce_audio_basics.h>

class AudioProcessorBase;
class ScopeTraceSet;
class Wave;
class WaveLfo;
struct WaveState;

// The base of the processor's signal nodes: the processing loop calls these hooks at fixed points
// of every block. Every hook does nothing by default; each node overrides the ones it needs.
class AudioProcessorMixin : public EventHandler, public AudioNode
{
public:
    explicit AudioProcessorMixin (AudioProcessorBase& owner);
    ~AudioProcessorMixin() override = default;

    // Once per block, before the block's MIDI is handled.
    virtual void mergeMidiInput (juce::MidiBuffer&) {}
    // For every render range, before and after the voices run.
    virtual void captureInput (juce::AudioBuffer<float>&, int /*start*/, int /*count*/) {}
    // Once per block before rendering, and from the idle tick.
    virtual void beginBlock (juce::AudioBuffer<float>&) {}
    // From prepareToPlay, off the audio thread: completes what beginBlock spreads over blocks.
    virtual void finishPendingWork() {}
    virtual void captureOutput (juce::AudioBuffer<float>&, juce::MidiBuffer&, int /*start*/, int /*count*/) {}
    // Once per block after rendering.
    virtual void endBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

    virtual void steppedParameterChanged (int /*index*/, int /*step*/) {}
    virtual void registerParameters() {}
    virtual void pointParameterChanged (int /*index*/) {}

    virtual Wave* getWave (int /*waveIndex*/) { return nullptr; }
    virtual WaveState* getWaveState() { return nullptr; }

    virtual void setScopeSource (int /*slot*/, WaveLfo* /*source*/) {}
    virtual ScopeTraceSet* getScopeTraces (int /*slot*/) { return nullptr; }
    virtual void noteStarted() {}
    // Whether the scope records at all; the editor turns it on while it is open.
    virtual void setScopeCaptureEnabled (bool /*enabled*/) {}

    virtual void registerMidiInputParameters() {}
    virtual juce::StringArray getMidiInputNames() { return {}; }
    virtual bool isMidiInputClosed() { return true; }

protected:
    AudioProcessorBase* processor;
};
