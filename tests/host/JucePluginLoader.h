#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <ostream>
#include <vector>

// A built plug-in of one format, as JUCE's plug-in hosting finds it.
struct PluginFormatUnderTest
{
    const char* name;
    const char* path; // for LV2, the bundle
    const char* identifier;
    bool describesItselfFully; // LV2 carries no version, tail or value texts
};

inline void PrintTo (const PluginFormatUnderTest& format, std::ostream* out) { *out << format.name; }

// Loads the plug-in at 48 kHz with blocks of up to 512; null with a message in error.
std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const PluginFormatUnderTest& format, juce::String& error);

// The project's built VST 2, VST 3 and LV2 plug-ins.
std::vector<PluginFormatUnderTest> builtPluginFormats();
