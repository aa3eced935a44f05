#include "RenderCommandLine.h"

#include "ToolError.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
    constexpr int maxBlockSize = 65536;
    constexpr double minTempo = 1.0;
    constexpr double maxTempo = 999.0;
    constexpr double minSampleRate = 8000.0;
    constexpr double maxSampleRate = 384000.0;
    constexpr double maxDemoSeconds = 3600.0;
    constexpr int maxTimeSigNumerator = 32;
    constexpr int maxTimeSigDenominator = 32;

    const juce::StringArray optionsWithValue { "--plugin", "--lv2-uri", "--program", "--tempo", "--time-sig",
                                               "--rate", "--block", "--bits", "--set", "--notes", "--midi",
                                               "--state", "--save-state", "--seconds" };
}

RenderSettings RenderCommandLine::parse (const juce::StringArray& arguments)
{
    RenderSettings settings;
    juce::StringArray positional;
    bool demoAsked = false;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        if (argument == "--help" || argument == "-h")
        {
            settings.showHelp = true;
            return settings;
        }

        if (argument == "--demo")            { demoAsked = true; continue; }
        if (argument == "--no-picture")      { settings.writePicture = false; continue; }
        if (argument == "--no-progress")     { settings.showProgress = false; continue; }

        if (! argument.startsWith ("--"))
        {
            positional.add (argument);
            continue;
        }

        if (! optionsWithValue.contains (argument))
            throw ToolError ("unknown option " + argument.toStdString() + " (see --help)");

        if (i + 1 >= arguments.size())
            throw ToolError ("option " + argument.toStdString() + " needs a value");

        const auto value = arguments[++i];

        if (argument == "--plugin")          settings.plugin = fileArgument (value);
        else if (argument == "--lv2-uri")    settings.lv2Uri = value;
        else if (argument == "--program")    settings.program = value;
        else if (argument == "--tempo")      settings.tempo = parseNumber (value, argument);
        else if (argument == "--time-sig")   parseTimeSignature (value, settings);
        else if (argument == "--rate")       settings.sampleRate = parseNumber (value, argument);
        else if (argument == "--block")      settings.blockSize = parseInteger (value, argument);
        else if (argument == "--bits")       settings.bitsPerSample = parseInteger (value, argument);
        else if (argument == "--set")        settings.parameterAssignments.add (value);
        else if (argument == "--notes")      settings.noteList = value;
        else if (argument == "--midi")       settings.midiFile = fileArgument (value);
        else if (argument == "--state")      settings.stateToLoad = fileArgument (value);
        else if (argument == "--save-state") settings.stateToSave = fileArgument (value);
        else if (argument == "--seconds")    settings.demoSeconds = parseNumber (value, argument);
    }

    if (positional.isEmpty())
        throw ToolError ("no output file given (usage: orvanta-render [in.wav] out.wav [options], see --help)");

    if (positional.size() > 2 || (demoAsked && positional.size() > 1))
        throw ToolError ("too many files given: " + positional.joinIntoString (" ").toStdString());

    if (positional.size() == 2)
        settings.input = fileArgument (positional[0]);

    settings.output = fileArgument (positional[positional.size() - 1]);

    if (settings.noteList.isNotEmpty() && settings.midiFile != juce::File())
        throw ToolError ("give notes either with --notes or with --midi, not both");

    checkRanges (settings);
    return settings;
}

void RenderCommandLine::checkRanges (const RenderSettings& settings)
{
    if (settings.tempo < minTempo || settings.tempo > maxTempo)
        throw ToolError ("tempo " + juce::String (settings.tempo).toStdString() + " is out of range 1 ... 999 bpm");

    if (settings.sampleRate != 0.0 && (settings.sampleRate < minSampleRate || settings.sampleRate > maxSampleRate))
        throw ToolError ("sample rate " + juce::String (settings.sampleRate).toStdString()
                         + " is out of range 8000 ... 384000 Hz");

    if (settings.blockSize < 1 || settings.blockSize > maxBlockSize)
        throw ToolError ("block size " + std::to_string (settings.blockSize) + " is out of range 1 ... 65536");

    if (settings.bitsPerSample != 16 && settings.bitsPerSample != 24 && settings.bitsPerSample != 32)
        throw ToolError ("--bits must be 16, 24 or 32 (32 writes floating point)");

    if (settings.demoSeconds <= 0.0 || settings.demoSeconds > maxDemoSeconds)
        throw ToolError ("--seconds must be more than 0 and at most 3600");
}

void RenderCommandLine::parseTimeSignature (const juce::String& text, RenderSettings& settings)
{
    const auto slash = text.indexOfChar ('/');

    if (slash <= 0)
        throw ToolError ("time signature \"" + text.toStdString() + "\" is not of the form 3/4");

    const int numerator = parseInteger (text.substring (0, slash), "--time-sig");
    const int denominator = parseInteger (text.substring (slash + 1), "--time-sig");
    const bool powerOfTwo = denominator > 0 && (denominator & (denominator - 1)) == 0;

    if (numerator < 1 || numerator > maxTimeSigNumerator || ! powerOfTwo || denominator > maxTimeSigDenominator)
        throw ToolError ("time signature " + text.toStdString() + " is out of range (1 ... 32 over 1, 2, 4, ... 32)");

    settings.timeSigNumerator = numerator;
    settings.timeSigDenominator = denominator;
}

double RenderCommandLine::parseNumber (const juce::String& text, const juce::String& option)
{
    const auto trimmed = text.trim().toStdString();
    char* end = nullptr;
    const double value = std::strtod (trimmed.c_str(), &end);

    if (trimmed.empty() || end != trimmed.c_str() + trimmed.size() || ! std::isfinite (value))
        throw ToolError ("\"" + text.toStdString() + "\" is not a number (" + option.toStdString() + ")");

    return value;
}

int RenderCommandLine::parseInteger (const juce::String& text, const juce::String& option)
{
    const double value = parseNumber (text, option);

    if (value != std::floor (value) || std::abs (value) > (double) std::numeric_limits<int>::max())
        throw ToolError ("\"" + text.toStdString() + "\" is not a whole number (" + option.toStdString() + ")");

    return (int) value;
}

juce::File RenderCommandLine::fileArgument (const juce::String& path)
{
    if (path.isEmpty())
        throw ToolError ("an empty file name was given");

    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

juce::String RenderCommandLine::usage()
{
    return R"(orvanta-render: renders audio through a plug-in offline, as a host would.

  orvanta-render [in.wav] out.wav [options]
  orvanta-render --demo out.wav [options]     (no input: a built-in stereo tone and noise)

Writes out.wav and a picture of the left and right levels and the pan position, out.png.

  --plugin PATH        plug-in: a VST 2 .so, a .vst3 or an .lv2 bundle (default: the built Orvanta2.so)
  --lv2-uri URI        which plug-in of an LV2 bundle (default: the bundle's only one)
  --program P          program by index (0, 1, ...) or name ("Swoosh")
  --tempo BPM          tempo of the transport, playing from bar 1 (default 120)
  --time-sig N/D       time signature (default 4/4)
  --rate HZ            sample rate of the demo signal (default 48000); an input file keeps its own
  --block N            samples per processing call (default 512)
  --set NAME=VALUE     a parameter, by a step name of its menu ("Speed Type=Hertz Retrig.")
                       or a normalized value 0 ... 1 ("Mix=0.5"); repeat for more
  --notes LIST         notes to play: seconds:note pairs, "0:60, 1.5:64"; each lasts until the next
  --midi FILE          notes from a standard MIDI file
  --state FILE         state to load first: a .fxb/.fxp preset or a bank chunk saved with --save-state
  --save-state FILE    saves the plug-in's state after the render (.fxb, .fxp, or else the bare bank chunk)
  --seconds S          length of the demo signal (default 6)
  --bits B             16, 24 (default) or 32 (floating point)
  --no-picture         no out.png
  --no-progress        no progress bar
)";
}
