#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// One "Name=Value" of the command line, resolved against a processor's parameters: the value is
// a step name of the parameter's menu or a normalized value 0 ... 1.
class ParameterAssignment
{
public:
    // Throws ToolError for an unknown or ambiguous name, an unknown step or a value out of range.
    // productStepNames: the processor is Orvanta2, whose menus' step names the tool knows.
    static ParameterAssignment resolve (juce::AudioProcessor& processor, const juce::String& text,
                                        bool productStepNames);

    // The parameter called name: exactly (ignoring case), or the only one whose name the host
    // was given cut short (VST 2 hosts see at most 15 characters), or by its index.
    static juce::AudioProcessorParameter* find (juce::AudioProcessor& processor, const juce::String& name);

    void apply() const { parameter->setValue (value); }

    juce::AudioProcessorParameter* getParameter() const noexcept { return parameter; }
    float getValue() const noexcept { return value; }

private:
    ParameterAssignment (juce::AudioProcessorParameter& p, float v) : parameter (&p), value (v) {}

    static float valueFor (juce::AudioProcessorParameter& parameter, const juce::String& name,
                           const juce::String& valueText, bool productStepNames);

    juce::AudioProcessorParameter* parameter;
    float value;
};
