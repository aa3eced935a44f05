#pragma once

#include "RenderSettings.h"

// Turns orvanta-render's arguments into RenderSettings; a malformed argument is a ToolError.
class RenderCommandLine
{
public:
    static RenderSettings parse (const juce::StringArray& arguments);
    static juce::String usage();

    // A whole argument as a number, or a ToolError naming the option it was given for.
    static double parseNumber (const juce::String& text, const juce::String& option);
    static int parseInteger (const juce::String& text, const juce::String& option);

private:
    static void checkRanges (const RenderSettings& settings);
    static void parseTimeSignature (const juce::String& text, RenderSettings& settings);
    static juce::File fileArgument (const juce::String& path);
};
