#include "RenderTool.h"

#include "AudioOutput.h"
#include "InputSignal.h"
#include "LevelPicture.h"
#include "NoteList.h"
#include "OfflineRenderer.h"
#include "ParameterAssignment.h"
#include "PendingFile.h"
#include "PluginLoader.h"
#include "PluginState.h"
#include "ProgressBar.h"
#include "ToolError.h"
#include "TransportPlayHead.h"

#include <optional>

namespace
{
    const juce::String productName = "Orvanta2";
    constexpr int noProgramChange = -1;
    constexpr double shortestMeasurableSeconds = 1.0e-9;
}

RenderTool::RenderTool (RenderSettings s) : settings (std::move (s))
{
}

juce::String RenderTool::run()
{
    auto input = openInput();
    const auto sampleRate = chooseSampleRate (input.getSampleRate());
    const auto length = input.getLengthInSamples();

    PluginLoader loader;
    auto plugin = loader.load (settings.plugin == juce::File() ? PluginLoader::defaultPlugin() : settings.plugin,
                               settings.lv2Uri, sampleRate, settings.blockSize);
    const auto program = settings.program.isEmpty() ? noProgramChange : findProgram (*plugin, settings.program);
    const auto assignments = resolveAssignments (*plugin);
    const auto notes = loadNotes (sampleRate, length);

    // Everything named is known good; the files stay pending until all of them are complete.
    AudioOutput output (settings.output, sampleRate, settings.bitsPerSample);
    std::optional<PendingFile> picture, savedState;
    if (settings.writePicture)
        picture.emplace (settings.pictureFile());
    if (settings.stateToSave != juce::File())
        savedState.emplace (settings.stateToSave);

    TransportPlayHead playHead (sampleRate, settings.tempo, settings.timeSigNumerator, settings.timeSigDenominator);
    LevelPicture levels (length, sampleRate);
    ProgressBar progress (length, settings.showProgress && ProgressBar::wanted (input.getLengthInSeconds()));

    OfflineRenderer::Stats stats;
    {
        OfflineRenderer renderer (*plugin, playHead, sampleRate, settings.blockSize);
        applySettings (*plugin, renderer, settings, program, assignments);

        OfflineRenderer::Callbacks callbacks;
        callbacks.readInput = [&] (auto& block, int n) { input.read (block, n); };
        callbacks.writeOutput = [&] (auto& block, int n) { output.write (block, n); levels.add (block, n); };
        callbacks.progress = [&] (juce::int64 done, juce::int64) { progress.update (done); };
        stats = renderer.render (length, notes, callbacks);
    }
    progress.finish();

    if (savedState.has_value())
        savedState->write (PluginState::serialise (*plugin, settings.stateToSave));
    if (picture.has_value())
        picture->write (levels.toPng());

    output.commit();
    if (picture.has_value())
        picture->commit();
    if (savedState.has_value())
        savedState->commit();

    const auto seconds = (double) length / sampleRate;
    return summary (*plugin, seconds, sampleRate, seconds / juce::jmax (shortestMeasurableSeconds, stats.wallSeconds));
}

InputSignal RenderTool::openInput() const
{
    if (settings.usesDemoSignal())
        return InputSignal::demo (chooseSampleRate (RenderSettings::defaultDemoSampleRate), settings.demoSeconds);

    return InputSignal::fromFile (settings.input);
}

std::vector<ParameterAssignment> RenderTool::resolveAssignments (juce::AudioPluginInstance& plugin) const
{
    std::vector<ParameterAssignment> assignments;

    for (const auto& text : settings.parameterAssignments)
        assignments.push_back (ParameterAssignment::resolve (plugin, text, plugin.getName() == productName));

    return assignments;
}

juce::MidiMessageSequence RenderTool::loadNotes (double sampleRate, juce::int64 length) const
{
    if (settings.midiFile != juce::File())
        return NoteList::fromMidiFile (settings.midiFile, sampleRate);

    if (settings.noteList.isNotEmpty())
        return NoteList::fromText (settings.noteList, sampleRate, length);

    return {};
}

void RenderTool::applySettings (juce::AudioPluginInstance& plugin, OfflineRenderer& renderer,
                                const RenderSettings& settings, int program,
                                const std::vector<ParameterAssignment>& assignments)
{
    if (settings.stateToLoad != juce::File())
        PluginState::load (plugin, settings.stateToLoad);

    if (program != noProgramChange)
        plugin.setCurrentProgram (program);

    renderer.applyPendingChanges();

    for (const auto& assignment : assignments)
        assignment.apply();
}

int RenderTool::findProgram (juce::AudioProcessor& processor, const juce::String& program)
{
    const auto numPrograms = processor.getNumPrograms();

    if (numPrograms == 0)
        throw ToolError ("the plug-in has no programs");

    if (program.containsOnly ("0123456789"))
    {
        const auto index = program.getIntValue();

        if (index >= numPrograms)
            throw ToolError ("program " + program.toStdString() + " is out of range: the plug-in has programs 0 ... "
                             + std::to_string (numPrograms - 1));
        return index;
    }

    juce::StringArray names;
    for (int i = 0; i < numPrograms; ++i)
        names.add (processor.getProgramName (i));

    const auto index = names.indexOf (program.trim(), true);

    if (index < 0)
        throw ToolError ("unknown program \"" + program.toStdString() + "\" (programs: "
                         + names.joinIntoString (", ").toStdString() + ")");

    return index;
}

double RenderTool::chooseSampleRate (double inputRate) const
{
    if (settings.sampleRate == 0.0)
        return inputRate;

    if (! settings.usesDemoSignal() && settings.sampleRate != inputRate)
        throw ToolError (settings.input.getFileName().toStdString() + " is at " + std::to_string ((int) inputRate)
                         + " Hz and the render does not resample: leave out --rate");

    return settings.sampleRate;
}

juce::String RenderTool::summary (juce::AudioPluginInstance& plugin, double seconds, double sampleRate,
                                  double realTimeFactor) const
{
    auto text = settings.output.getFileName() + ": " + juce::String (seconds, 2) + " s at "
                + juce::String ((int) sampleRate) + " Hz through " + plugin.getName() + " ("
                + plugin.getPluginDescription().pluginFormatName + ")";

    if (plugin.getNumPrograms() > 0)
        text << ", program " << plugin.getCurrentProgram() << " \"" << plugin.getProgramName (plugin.getCurrentProgram()) << "\"";

    text << ", " << juce::String (settings.tempo, 2).trimCharactersAtEnd ("0").trimCharactersAtEnd (".") << " bpm "
         << settings.timeSigNumerator << "/" << settings.timeSigDenominator
         << ", " << juce::String (realTimeFactor, 1) << "x faster than real time";

    if (settings.writePicture)
        text << " (picture: " << settings.pictureFile().getFileName() << ")";

    return text;
}
