#include "BenchCommandLine.h"

#include "RenderCommandLine.h"
#include "ToolError.h"

#include <type_traits>

namespace
{
    constexpr double maxSeconds = 3600.0;
    constexpr int maxInstances = 64;
    constexpr int maxBlockSize = 65536;
    constexpr double minSampleRate = 8000.0;
    constexpr double maxSampleRate = 384000.0;

    juce::File fileArgument (const juce::String& path)
    {
        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }
}

BenchSettings BenchCommandLine::parse (const juce::StringArray& arguments)
{
    BenchSettings settings;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        if (argument == "--help" || argument == "-h")
        {
            settings.showHelp = true;
            return settings;
        }

        if (! argument.startsWith ("--"))
        {
            settings.others.add (fileArgument (argument));
            continue;
        }

        if (i + 1 >= arguments.size())
            throw ToolError ("option " + argument.toStdString() + " needs a value (see --help)");

        const auto value = arguments[++i];

        if (argument == "--seconds")           settings.seconds = RenderCommandLine::parseNumber (value, argument);
        else if (argument == "--rates")        settings.sampleRates = parseList<double> (value, argument);
        else if (argument == "--blocks")       settings.blockSizes = parseList<int> (value, argument);
        else if (argument == "--plugin")       settings.plugin = fileArgument (value);
        else if (argument == "--compare")      settings.others.add (fileArgument (value));
        else if (argument == "--lv2-uri")      settings.lv2Uri = value;
        else if (argument == "--instances")    settings.instances = RenderCommandLine::parseInteger (value, argument);
        else throw ToolError ("unknown option " + argument.toStdString() + " (see --help)");
    }

    if (settings.seconds <= 0.0 || settings.seconds > maxSeconds)
        throw ToolError ("--seconds must be more than 0 and at most 3600");

    if (settings.instances < 1 || settings.instances > maxInstances)
        throw ToolError ("--instances must be 1 ... 64");

    for (const auto rate : settings.sampleRates)
        if (rate < minSampleRate || rate > maxSampleRate)
            throw ToolError ("sample rate " + juce::String (rate).toStdString() + " is out of range 8000 ... 384000 Hz");

    for (const auto blockSize : settings.blockSizes)
        if (blockSize < 1 || blockSize > maxBlockSize)
            throw ToolError ("block size " + std::to_string (blockSize) + " is out of range 1 ... 65536");

    return settings;
}

template <typename Number>
juce::Array<Number> BenchCommandLine::parseList (const juce::String& text, const juce::String& option)
{
    juce::StringArray items;
    items.addTokens (text, ",", {});
    items.removeEmptyStrings();
    juce::Array<Number> values;

    for (const auto& item : items)
        values.add ((Number) (std::is_integral_v<Number> ? RenderCommandLine::parseInteger (item, option)
                                                          : RenderCommandLine::parseNumber (item, option)));

    if (values.isEmpty())
        throw ToolError (option.toStdString() + " needs a comma-separated list");

    return values;
}

juce::String BenchCommandLine::usage()
{
    return R"(orvanta-bench: measures a plug-in's processing cost through JUCE's plug-in hosting.

  orvanta-bench [other-plugin ...] [options]

For the plug-in, a pass-through baseline on the same host path, and every other plug-in file given:
CPU time per second of audio, times faster than real time, the worst single block as a share of
its period, and resident memory per instance; steady playback and playback with a program change
every 0.1 s through all programs in turn. Prints a table and one line per case: BENCH {json}.

  --plugin PATH       the plug-in to measure (default: the built Orvanta2.so)
  --compare PATH      another plug-in file to measure the same way (repeatable)
  --lv2-uri URI       which plug-in of an LV2 bundle
  --seconds S         audio per case (default 10)
  --rates LIST        sample rates (default 44100,48000)
  --blocks LIST       block sizes (default 64,128,512,4096)
  --instances N       instances created together for the memory figure (default 4)
)";
}
