#include "RenderCommandLine.h"
#include "ToolError.h"

#include <gtest/gtest.h>

TEST (RenderCommandLine, ReadsEveryOption)
{
    const auto s = RenderCommandLine::parse ({ "in.wav", "out.wav", "--program", "Swoosh", "--tempo", "128", "--time-sig",
                                               "6/8", "--block", "64", "--bits", "16", "--set", "Mix=0.5", "--set",
                                               "Speed=0.2", "--notes", "0:60", "--state", "a.fxb", "--save-state",
                                               "b.fxp", "--no-picture", "--plugin", "x.vst3", "--lv2-uri", "urn:x" });

    EXPECT_EQ (s.input.getFileName(), "in.wav");
    EXPECT_EQ (s.output, juce::File::getCurrentWorkingDirectory().getChildFile ("out.wav"));
    EXPECT_EQ (s.program, "Swoosh");
    EXPECT_EQ (s.tempo, 128.0);
    EXPECT_EQ (s.timeSigNumerator, 6);
    EXPECT_EQ (s.timeSigDenominator, 8);
    EXPECT_EQ (s.blockSize, 64);
    EXPECT_EQ (s.bitsPerSample, 16);
    EXPECT_EQ (s.parameterAssignments, juce::StringArray ({ "Mix=0.5", "Speed=0.2" }));
    EXPECT_EQ (s.noteList, "0:60");
    EXPECT_EQ (s.stateToLoad.getFileName(), "a.fxb");
    EXPECT_EQ (s.stateToSave.getFileName(), "b.fxp");
    EXPECT_FALSE (s.writePicture);
    EXPECT_EQ (s.plugin.getFileName(), "x.vst3");
    EXPECT_EQ (s.lv2Uri, "urn:x");
    EXPECT_EQ (s.pictureFile().getFileName(), "out.png");
}

TEST (RenderCommandLine, OneFileIsTheOutputOfTheDemo)
{
    for (const auto& arguments : { juce::StringArray { "out.wav" }, juce::StringArray { "--demo", "out.wav" } })
    {
        const auto s = RenderCommandLine::parse (arguments);
        EXPECT_TRUE (s.usesDemoSignal());
        EXPECT_EQ (s.output.getFileName(), "out.wav");
    }
}

TEST (RenderCommandLine, RefusesMalformedArguments)
{
    const std::pair<juce::StringArray, const char*> cases[] = {
        { {}, "no output file" },
        { { "a.wav", "b.wav", "c.wav" }, "too many files" },
        { { "--demo", "a.wav", "b.wav" }, "too many files" },
        { { "out.wav", "--tempo" }, "needs a value" },
        { { "out.wav", "--loud" }, "unknown option --loud" },
        { { "out.wav", "--tempo", "fast" }, "not a number (--tempo)" },
        { { "out.wav", "--tempo", "0" }, "out of range" },
        { { "out.wav", "--time-sig", "4" }, "not of the form" },
        { { "out.wav", "--time-sig", "4/3" }, "out of range" },
        { { "out.wav", "--block", "0" }, "out of range" },
        { { "out.wav", "--block", "1.5" }, "not a whole number" },
        { { "out.wav", "--bits", "20" }, "16, 24 or 32" },
        { { "out.wav", "--rate", "100" }, "out of range" },
        { { "out.wav", "--seconds", "0" }, "more than 0" },
        { { "out.wav", "--notes", "0:60", "--midi", "a.mid" }, "not both" },
    };

    for (const auto& [arguments, message] : cases)
    {
        try
        {
            RenderCommandLine::parse (arguments);
            ADD_FAILURE() << "accepted: " << arguments.joinIntoString (" ");
        }
        catch (const ToolError& error)
        {
            EXPECT_NE (std::string (error.what()).find (message), std::string::npos) << error.what();
        }
    }
}
