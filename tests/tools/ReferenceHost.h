#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <ostream>
#include <vector>

// The plug-in's own processing, for comparison with the tools: loads a built plug-in straight
// through JUCE's hosting and plays a signal through it in a plain host loop of its own.
class ReferenceHost
{
public:
    struct Plugin
    {
        const char* format;     // JUCE's format name: "VST", "VST3", "LV2"
        const char* path;       // the file, or the LV2 bundle
        const char* identifier; // what the format finds it by: the path, or the LV2 URI
    };

    struct Note
    {
        juce::int64 sample;
        int noteNumber;
        bool on;
    };

    struct Render
    {
        juce::String program;                               // by name; empty keeps the current one
        std::vector<std::pair<juce::String, float>> values; // parameter name, normalized value
        std::vector<Note> notes;
        double bpm = 120.0;
        int blockSize = 512;
    };

    static const Plugin vst2, vst3, lv2;

    static std::unique_ptr<juce::AudioPluginInstance> load (const Plugin& plugin, double sampleRate, int blockSize);
    static juce::AudioProcessorParameter* parameterNamed (juce::AudioProcessor& processor, const juce::String& name);

    // Offline, playing from the start at the tempo: prepared, the program, one empty block that
    // applies it, the parameter values, then the signal block by block with the notes.
    static juce::AudioBuffer<float> render (const Plugin& plugin, const juce::AudioBuffer<float>& input,
                                            double sampleRate, const Render& settings);
};

inline void PrintTo (const ReferenceHost::Plugin& plugin, std::ostream* out) { *out << plugin.format; }
