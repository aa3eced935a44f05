#pragma once

#include "BenchSettings.h"

// Turns orvanta-bench's arguments into BenchSettings; a malformed argument is a ToolError.
class BenchCommandLine
{
public:
    static BenchSettings parse (const juce::StringArray& arguments);
    static juce::String usage();

private:
    template <typename Number>
    static juce::Array<Number> parseList (const juce::String& text, const juce::String& option);
};
