#pragma once

#include "AudioProcessorNotesBase.h"

class SignalSmoother;
class ToneOrvanta;

// Orvanta2's processor: creates its signal nodes, registers the product's 1224 parameters in
// their fixed order and renders its one voice, which pans the input under the played wave.
class AudioProcessor : public AudioProcessorNotesBase
{
public:
    static constexpr double tailSeconds = 15.0;
    static constexpr float mixSmoothingSpeed = -0.25f;

    AudioProcessor();
    ~AudioProcessor() override;

    const juce::String getName() const override { return JucePlugin_Name; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return tailSeconds; }

    void steppedParameterChanged (int index, int step) override;
    void renderVoice (ToneBase& voice, juce::AudioBuffer<float>& buffer, int start, int count) override;

    // The note that restarts the LFO for the "Midi In Octave" and "Midi In Note" steps: every note
    // for octave step 0 ("All Notes"), else octave step 1 is the octave of note 0.
    static int triggerNoteFor (int octaveStep, int noteStep) noexcept;

protected:
    std::unique_ptr<AudioEditorBase> createProductEditor() override;

private:
    void registerParameters();
    // Registers a record of the StateBlock at the layout's index, under the layout's name.
    void registerNamed (ParameterRecord& record, int index);
    void addReservedUpTo (int index);
    // The curve editor with the oscilloscope behind it, on the editor's background.
    void addCurveView (AudioEditorBase& editor);

    std::unique_ptr<SignalSmoother> smoother;
    std::unique_ptr<ToneOrvanta> tone;
};
