#include "ParameterAssignment.h"

#include "RenderCommandLine.h"
#include "processor/ParameterLayout.h"
#include "ToolError.h"

namespace
{
    constexpr int nameLengthAsked = 64;
    // VST 2 hosts see a name cut to this many characters; a shorter one is complete.
    constexpr int shortenedNameLength = 15;

    std::string quoted (const juce::String& text) { return "\"" + text.toStdString() + "\""; }
}

ParameterAssignment ParameterAssignment::resolve (juce::AudioProcessor& processor, const juce::String& text,
                                                  bool productStepNames)
{
    const auto equals = text.indexOfChar ('=');

    if (equals <= 0)
        throw ToolError ("--set " + quoted (text) + " is not of the form Name=Value");

    const auto name = text.substring (0, equals).trim();
    const auto valueText = text.substring (equals + 1).trim();
    auto* parameter = find (processor, name);

    if (parameter == nullptr)
        throw ToolError ("the plug-in has no parameter " + quoted (name));

    return { *parameter, valueFor (*parameter, name, valueText, productStepNames) };
}

juce::AudioProcessorParameter* ParameterAssignment::find (juce::AudioProcessor& processor, const juce::String& name)
{
    const auto& parameters = processor.getParameters();
    juce::Array<juce::AudioProcessorParameter*> exact, shortened;

    for (auto* parameter : parameters)
    {
        const auto shown = parameter->getName (nameLengthAsked);

        if (shown.equalsIgnoreCase (name))
            exact.add (parameter);
        else if (shown.length() >= shortenedNameLength && name.startsWithIgnoreCase (shown))
            shortened.add (parameter);
    }

    const auto& matches = exact.isEmpty() ? shortened : exact;

    if (matches.size() > 1)
        throw ToolError ("the parameter name " + quoted (name) + " is not unique; give its index instead");

    if (matches.size() == 1)
        return matches.getFirst();

    if (name.containsOnly ("0123456789"))
        return parameters[name.getIntValue()];

    return nullptr;
}

float ParameterAssignment::valueFor (juce::AudioProcessorParameter& parameter, const juce::String& name,
                                     const juce::String& valueText, bool productStepNames)
{
    const auto fullName = name.containsOnly ("0123456789") ? parameter.getName (nameLengthAsked) : name;
    const auto productSteps = productStepNames ? ParameterLayout::stepNamesOf (ParameterLayout::indexOf (fullName))
                                               : juce::StringArray();
    const auto steps = productSteps.isEmpty() ? parameter.getAllValueStrings() : productSteps;
    const auto step = steps.indexOf (valueText, true);

    // Step 0 is 0 whatever the step count: "Midi In" names only that step, its others being the
    // system's MIDI inputs, which the tool does not know.
    if (step >= 0 && ! productSteps.isEmpty())
        return step == 0 ? 0.0f : ParameterLayout::valueOfStep (step, productSteps.size());

    // Other plug-ins' discrete parameters spread their steps over 0 ... 1, the last one at 1.
    if (step >= 0)
        return steps.size() > 1 ? (float) step / (float) (steps.size() - 1) : 0.0f;

    const auto looksNumeric = valueText.containsOnly ("0123456789.-+eE") && valueText.isNotEmpty();

    if (! looksNumeric)
        throw ToolError (quoted (valueText) + " is not a step of " + quoted (fullName)
                         + (steps.isEmpty() ? " (it takes a value 0 ... 1)"
                                            : " (steps: " + steps.joinIntoString (", ").toStdString() + ")"));

    const double value = RenderCommandLine::parseNumber (valueText, "--set " + fullName);

    if (value < 0.0 || value > 1.0)
        throw ToolError ("the value " + valueText.toStdString() + " for " + quoted (fullName)
                         + " is out of range 0 ... 1");

    return (float) value;
}
