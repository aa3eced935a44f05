#pragma once

#include "InputSignal.h"
#include "RenderSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

class OfflineRenderer;
class ParameterAssignment;

// orvanta-render's work: plays the input through the plug-in offline and writes the output, its
// picture and the saved state. Everything the user named is checked before any file is written.
class RenderTool
{
public:
    explicit RenderTool (RenderSettings settings);

    // Renders and returns the one-line summary. Throws ToolError; then no output file exists.
    juce::String run();

    // The index of a program given by index or by name.
    static int findProgram (juce::AudioProcessor& processor, const juce::String& program);

    // Steps a host takes before playing: the state, then the program, then the queued values
    // arrive, then the parameter writes.
    static void applySettings (juce::AudioPluginInstance& plugin, OfflineRenderer& renderer,
                               const RenderSettings& settings, int program,
                               const std::vector<ParameterAssignment>& assignments);

private:
    InputSignal openInput() const;
    std::vector<ParameterAssignment> resolveAssignments (juce::AudioPluginInstance& plugin) const;
    juce::MidiMessageSequence loadNotes (double sampleRate, juce::int64 length) const;
    double chooseSampleRate (double inputRate) const;
    juce::String summary (juce::AudioPluginInstance& plugin, double seconds, double sampleRate,
                          double realTimeFactor) const;

    RenderSettings settings;
};
