#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class AudioProcessorBase;

// What a host sees of one parameter: a view that hands every read and write to the processor's
// parameter store, so VST 2, VST 3 and LV2 hosts all see the same values and texts.
class HostParameter : public juce::AudioProcessorParameterWithID
{
public:
    // VST 2 hosts get at most this many bytes of a name.
    static constexpr int vst2NameBytes = 15;

    HostParameter (AudioProcessorBase& store, int indexInStore, const juce::String& parameterId,
                   const juce::String& parameterName);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override { return defaultValue; }
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override { return {}; }
    juce::String getText (float value, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;

    // The value a host resets the parameter to: what it held when the processor was ready.
    void setDefaultValue (float value) noexcept { defaultValue = value; }

    // Two decimals, rounded half up: "0.00", "0.43", "1.00".
    static juce::String formatValue (float value);

    // A name as VST 2 hosts see it: its first 16 characters, cut to 15 bytes of UTF-8.
    static juce::String vst2Name (const juce::String& name);

private:
    AudioProcessorBase& store;
    int index;
    float defaultValue = 0.0f;
};
