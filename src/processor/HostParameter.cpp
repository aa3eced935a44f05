#include "HostParameter.h"

#include "AudioProcessorBase.h"

#include <cmath>

HostParameter::HostParameter (AudioProcessorBase& parameterStore, int indexInStore,
                              const juce::String& parameterId, const juce::String& parameterName)
    : juce::AudioProcessorParameterWithID (juce::ParameterID (parameterId, 1), parameterName),
      store (parameterStore),
      index (indexInStore)
{
}

float HostParameter::getValue() const
{
    return store.getParameter (index);
}

void HostParameter::setValue (float newValue)
{
    store.setParameter (index, newValue);
}

juce::String HostParameter::getName (int maximumStringLength) const
{
    const auto fullName = store.getParameterName (index);

    if (store.wrapperType == juce::AudioProcessor::wrapperType_VST)
        return vst2Name (fullName);

    return fullName.substring (0, maximumStringLength);
}

juce::String HostParameter::getText (float value, int maximumStringLength) const
{
    return formatValue (value).substring (0, maximumStringLength);
}

float HostParameter::getValueForText (const juce::String& text) const
{
    return juce::jlimit (0.0f, 1.0f, text.getFloatValue());
}

juce::String HostParameter::formatValue (float value)
{
    const auto hundredths = (int) std::floor ((double) juce::jlimit (0.0f, 1.0f, value) * 100.0 + 0.5);
    return juce::String::formatted ("%d.%02d", hundredths / 100, hundredths % 100);
}

juce::String HostParameter::vst2Name (const juce::String& name)
{
    constexpr int vst2NameCharacters = 16;
    auto cut = name.substring (0, vst2NameCharacters);

    while ((int) cut.getNumBytesAsUTF8() > vst2NameBytes)
        cut = cut.dropLastCharacters (1);

    return cut;
}
