// orvanta-render end to end: what it refuses, what it writes, and that its audio is the plug-in's
// own processing sample for sample.

#include "DemoSignal.h"
#include "ReferenceHost.h"
#include "RenderTool.h"
#include "processor/ParameterLayout.h"
#include "TestFolder.h"
#include "ToolError.h"

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <functional>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr double demoSeconds = 3.0;
    constexpr int floatBits = 32;
    constexpr int speedTypeSteps = ParameterLayout::stepsOf (ParameterLayout::speedType);
    constexpr int beatRetrig = ParameterLayout::beatRetrig;
    constexpr int hertzRetrig = ParameterLayout::hertzRetrig;

    RenderSettings demoSettings (const TestFolder& folder)
    {
        RenderSettings settings;
        settings.output = folder.file ("out.wav");
        settings.demoSeconds = demoSeconds;
        settings.sampleRate = sampleRate;
        settings.bitsPerSample = floatBits; // exact samples
        settings.showProgress = false;
        return settings;
    }

    juce::AudioBuffer<float> readAudio (const juce::File& file)
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));

        if (reader == nullptr)
            return {};

        juce::AudioBuffer<float> buffer ((int) reader->numChannels, (int) reader->lengthInSamples);
        reader->read (&buffer, 0, buffer.getNumSamples(), 0, true, true);
        return buffer;
    }

    // The first sample where the two differ, or -1.
    int firstDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
    {
        for (int i = 0; i < juce::jmin (a.getNumSamples(), b.getNumSamples()); ++i)
            for (int channel = 0; channel < 2; ++channel)
                if (a.getSample (channel, i) != b.getSample (channel, i))
                    return i;

        return a.getNumSamples() == b.getNumSamples() ? -1 : juce::jmin (a.getNumSamples(), b.getNumSamples());
    }

    juce::String runExecutable (const juce::StringArray& arguments, int& exitCode)
    {
        juce::ChildProcess process;
        juce::StringArray command (ORVANTA_RENDER_EXECUTABLE);
        command.addArray (arguments);
        process.start (command);
        const auto output = process.readAllProcessOutput();
        process.waitForProcessToFinish (-1);
        exitCode = (int) process.getExitCode();
        return output;
    }

    //==============================================================================
    struct ErrorCase
    {
        const char* name;
        std::function<void (RenderSettings&, const TestFolder&)> change;
        const char* message;
    };

    void PrintTo (const ErrorCase& errorCase, std::ostream* out) { *out << errorCase.name; }

    class RenderToolErrors : public testing::TestWithParam<ErrorCase> {};
}

TEST_P (RenderToolErrors, FailWithAClearMessageAndLeaveNoOutputBehind)
{
    TestFolder folder;
    auto settings = demoSettings (folder);
    settings.stateToSave = folder.file ("state.fxb");
    GetParam().change (settings, folder);
    const auto filesBefore = folder.fileNames();

    try
    {
        RenderTool (settings).run();
        FAIL() << "no error";
    }
    catch (const ToolError& error)
    {
        EXPECT_NE (std::string (error.what()).find (GetParam().message), std::string::npos) << error.what();
        EXPECT_EQ (std::string (error.what()).find ('\n'), std::string::npos) << "one line";
    }

    EXPECT_EQ (folder.fileNames(), filesBefore) << "written: " << folder.fileNames().joinIntoString (", ");
}

INSTANTIATE_TEST_SUITE_P (
    Cases, RenderToolErrors,
    testing::Values (
        ErrorCase { "UnknownProgram", [] (auto& s, auto&) { s.program = "No Such Program"; }, "unknown program \"No Such Program\"" },
        ErrorCase { "ProgramOutOfRange", [] (auto& s, auto&) { s.program = "16"; }, "programs 0 ... 15" },
        ErrorCase { "UnknownParameter", [] (auto& s, auto&) { s.parameterAssignments.add ("Mixx=1"); }, "no parameter \"Mixx\"" },
        ErrorCase { "UnknownStep", [] (auto& s, auto&) { s.parameterAssignments.add ("Speed Type=Fast"); }, "not a step of \"Speed Type\"" },
        ErrorCase { "ValueOutOfRange", [] (auto& s, auto&) { s.parameterAssignments.add ("Mix=1.5"); }, "out of range 0 ... 1" },
        ErrorCase { "MissingInput", [] (auto& s, auto& f) { s.input = f.file ("missing.wav"); }, "input file not found" },
        ErrorCase { "UnreadableInput",
                    [] (auto& s, auto& f) { s.input = f.file ("text.wav"); s.input.replaceWithText ("not audio"); },
                    "cannot read" },
        ErrorCase { "RateOfInputFile",
                    [] (auto& s, auto& f)
                    {
                        s.input = f.file ("in.wav");
                        auto render = demoSettings (f);
                        render.output = s.input;
                        render.writePicture = false;
                        render.sampleRate = 44100.0;
                        RenderTool (render).run();
                    },
                    "does not resample" },
        ErrorCase { "MissingPlugin", [] (auto& s, auto& f) { s.plugin = f.file ("none.so"); }, "plug-in not found" },
        ErrorCase { "NotAPlugin",
                    [] (auto& s, auto& f) { s.plugin = f.file ("fake.so"); s.plugin.replaceWithText ("not a library"); },
                    "no VST plug-in loads" },
        ErrorCase { "RefusedState",
                    [] (auto& s, auto& f) { s.stateToLoad = f.file ("state.bin"); s.stateToLoad.replaceWithText ("garbage"); },
                    "refused the state" },
        ErrorCase { "TruncatedPreset",
                    [] (auto& s, auto& f) { s.stateToLoad = f.file ("cut.fxb"); s.stateToLoad.replaceWithText ("CcnK\1\1\1\1FBCh"); },
                    "cut short" },
        ErrorCase { "NoteOutOfRange", [] (auto& s, auto&) { s.noteList = "0.5:128"; }, "out of range 0 ... 127" },
        ErrorCase { "MissingMidiFile", [] (auto& s, auto& f) { s.midiFile = f.file ("none.mid"); }, "cannot read the MIDI file" },
        ErrorCase { "OutputType", [] (auto& s, auto& f) { s.output = f.file ("out.mp3"); }, ".wav or .aiff" },
        ErrorCase { "StateFolderMissing", [] (auto& s, auto& f) { s.stateToSave = f.file ("no/state.fxb"); }, "does not exist" },
        // Found out only after the audio is rendered: the pending output must go too.
        ErrorCase { "ProgramChunkAfterRender",
                    [] (auto& s, auto& f)
                    {
                        s.plugin = juce::File (ORVANTA_VST3_PLUGIN);
                        s.stateToSave = f.file ("program.fxp");
                    },
                    "only available from a VST 2 plug-in" }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
class RenderToolMatch : public testing::TestWithParam<ReferenceHost::Plugin> {};

TEST_P (RenderToolMatch, RendersTheDemoExactlyAsThePluginProcessesIt)
{
    TestFolder folder;
    auto settings = demoSettings (folder);
    settings.plugin = juce::File (GetParam().path);
    settings.program = "Swoosh";
    settings.tempo = 128.0;
    settings.parameterAssignments = { "Mix=0.5", "Speed Type=Hertz Retrig.", "Speed=0.4" };

    const auto summary = RenderTool (settings).run();
    EXPECT_TRUE (summary.contains ("\"Swoosh\"")) << summary;
    EXPECT_TRUE (summary.contains ("128 bpm 4/4")) << summary;
    EXPECT_TRUE (folder.file ("out.png").existsAsFile());

    ReferenceHost::Render reference;
    reference.program = "Swoosh";
    reference.bpm = 128.0;
    reference.values = { { "Mix", 0.5f },
                         { "Speed Type", (float) hertzRetrig / (float) speedTypeSteps },
                         { "Speed", 0.4f } };
    const auto input = DemoSignal::make (sampleRate, demoSeconds);
    const auto expected = ReferenceHost::render (GetParam(), input, sampleRate, reference);
    const auto rendered = readAudio (settings.output);

    ASSERT_EQ (expected.getNumSamples(), input.getNumSamples());
    ASSERT_EQ (rendered.getNumChannels(), 2);
    ASSERT_EQ (rendered.getNumSamples(), input.getNumSamples());
    EXPECT_GT (rendered.getRMSLevel (0, 0, rendered.getNumSamples()), 0.01f);
    EXPECT_EQ (firstDifference (rendered, expected), -1);
}

INSTANTIATE_TEST_SUITE_P (Formats, RenderToolMatch,
                          testing::Values (ReferenceHost::vst2, ReferenceHost::vst3, ReferenceHost::lv2),
                          [] (const auto& info) { return std::string (info.param.format); });

//==============================================================================
TEST (RenderTool, NotesFromAMidiFileRestartTheLfoInBeatRetrig)
{
    TestFolder folder;
    const auto midiFile = folder.file ("notes.mid");

    // 960 ticks per quarter note at the default 120 bpm: 1920 ticks a second.
    constexpr int ticksPerQuarter = 960;
    constexpr double ticksPerSecond = 1920.0;
    // Off the LFO's cycle (a quarter note, 0.5 s), so that a restart shows: 1.2 s and 2.3 s.
    const std::vector<ReferenceHost::Note> notes { { 57600, 60, true }, { 72000, 60, false },
                                                   { 110400, 67, true }, { 124800, 67, false } };
    {
        juce::MidiMessageSequence track;
        for (const auto& note : notes)
        {
            const auto ticks = (double) note.sample / sampleRate * ticksPerSecond;
            track.addEvent (note.on ? juce::MidiMessage::noteOn (1, note.noteNumber, (juce::uint8) 100)
                                    : juce::MidiMessage::noteOff (1, note.noteNumber),
                            ticks);
        }
        juce::MidiFile file;
        file.setTicksPerQuarterNote (ticksPerQuarter);
        file.addTrack (track);
        juce::FileOutputStream out (midiFile);
        ASSERT_TRUE (file.writeTo (out));
    }

    auto settings = demoSettings (folder);
    settings.parameterAssignments = { "Speed Type=Beat Retrig.", "Loop Length=1/4" };
    settings.midiFile = midiFile;
    RenderTool (settings).run();
    const auto withNotes = readAudio (settings.output);

    ReferenceHost::Render reference;
    reference.values = { { "Speed Type", (float) beatRetrig / (float) speedTypeSteps },
                         { "Loop Length", ParameterLayout::valueOfStep (6, 18) } };
    reference.notes = notes;
    const auto input = DemoSignal::make (sampleRate, demoSeconds);
    EXPECT_EQ (firstDifference (withNotes, ReferenceHost::render (ReferenceHost::vst2, input, sampleRate, reference)), -1);

    settings.midiFile = juce::File();
    RenderTool (settings).run();
    const auto withoutNotes = readAudio (settings.output);

    if (firstDifference (withoutNotes, input) == -1)
        GTEST_SKIP() << "the panning is not in the build yet: the plug-in passes audio through unchanged, so a "
                        "restarted LFO cannot show in its output";

    // The same until the first note restarts the LFO, different after it.
    const auto difference = firstDifference (withNotes, withoutNotes);
    EXPECT_GE (difference, notes[0].sample);
    EXPECT_NE (difference, -1);
}

//==============================================================================
TEST (RenderToolExecutable, RejectsBadInputWithOneLineAndNoFile)
{
    TestFolder folder;
    int exitCode = 0;
    const auto output = runExecutable ({ "--demo", folder.file ("out.wav").getFullPathName(), "--program", "Nope" },
                                       exitCode);

    EXPECT_EQ (exitCode, 1);
    EXPECT_TRUE (output.startsWith ("orvanta-render: unknown program \"Nope\"")) << output;
    EXPECT_EQ (output.trimEnd().indexOfChar ('\n'), -1) << output;
    EXPECT_TRUE (folder.fileNames().isEmpty());
}

TEST (RenderToolExecutable, RendersTheDemoWithNothingToSupply)
{
    TestFolder folder;
    int exitCode = 1;
    const auto output = runExecutable ({ folder.file ("out.wav").getFullPathName(), "--seconds", "2" }, exitCode);

    EXPECT_EQ (exitCode, 0) << output;
    EXPECT_TRUE (output.startsWith ("out.wav: 2.00 s at 48000 Hz through Orvanta2 (VST), program 0")) << output;
    EXPECT_EQ (folder.fileNames(), juce::StringArray ({ "out.png", "out.wav" }));
}
