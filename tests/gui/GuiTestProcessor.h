#pragma once

#include "gui/AudioEditorHelpers.h"
#include "processor/AudioProcessorBase.h"

#include <memory>

// A processor of six parameters for the editor's tests: 0 has 2 steps, 1 has 3, 2 and 4 are
// continuous, 3 is a placeholder, 5 has 10 steps. Its editor is the framework's, started with the tip "tip".
class GuiTestProcessor : public AudioProcessorBase
{
public:
    static constexpr int twoSteps = 0, threeSteps = 1, continuous = 2, placeholder = 3, other = 4, tenSteps = 5;

    GuiTestProcessor()
    {
        registerParameter (twoStepRecord, "Two", ParameterRecord::plain);
        registerParameter (threeStepRecord, "Three", ParameterRecord::plain);
        registerParameter (continuousRecord, "Level", ParameterRecord::plain);
        addReservedParameters (1);
        registerParameter (otherRecord, "Other", ParameterRecord::plain);
        registerParameter (tenStepRecord, "Ten", ParameterRecord::plain);
        finishConstruction();
    }

    const juce::String getName() const override { return "gui test"; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }
    void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int, int) override {}

    // A host value, applied by a drain after the hold of the opening program load has passed.
    void applyFromHost (int index, float value)
    {
        setParameter (index, value);
        drainParameterQueueAt (juce::Time::getApproximateMillisecondCounter() + 2 * guiHoldMs);
    }

    std::unique_ptr<AudioEditorHelpers> openEditor()
    {
        return std::unique_ptr<AudioEditorHelpers> (static_cast<AudioEditorHelpers*> (createEditor()));
    }

protected:
    std::unique_ptr<AudioEditorBase> createProductEditor() override
    {
        auto editor = std::make_unique<AudioEditorHelpers> (*this);
        editor->start ("tip");
        return editor;
    }

private:
    ParameterRecord twoStepRecord { 2 }, threeStepRecord { 3 }, continuousRecord, otherRecord, tenStepRecord { 10 };
};

// A control that logs what it hears, for the registry and refresh tests.
class LoggingControl : public AudioControl, public juce::Component
{
public:
    LoggingControl (AudioEditorBase& owner, int index, std::vector<juce::String>& sharedLog, juce::String controlName)
        : AudioControl (owner, index), log (sharedLog), name (std::move (controlName))
    {
    }

    void parameterValueChanged (int index, float value) override
    {
        log.push_back (name + " " + juce::String (index) + "=" + juce::String (value));
    }

    void parameterStepChanged (int index, int step) override
    {
        log.push_back (name + " " + juce::String (index) + " step " + juce::String (step));
    }

private:
    std::vector<juce::String>& log;
    juce::String name;
};
