#include "BenchReport.h"

#include <iomanip>
#include <ostream>

namespace
{
    constexpr int pluginColumn = 28;
    constexpr int scenarioColumn = 16;
    constexpr double millisecondsPerSecond = 1000.0;
    constexpr double percent = 100.0;

    // A JSON string with its escapes.
    juce::String quoted (const juce::String& text) { return juce::JSON::toString (juce::var (text)); }
    juce::String field (const juce::String& name, const juce::String& jsonValue) { return quoted (name) + ":" + jsonValue; }
}

void BenchReport::header (const BenchSettings& settings)
{
    out << "orvanta-bench: " << settings.seconds << " s of stereo audio per case, after "
        << BenchRunner::warmUpSeconds << " s of warm-up; CPU time of the processing calls on this thread."
        << "\n\"program-change\" switches to the next program every " << settings.programChangeSeconds
        << " s of audio.\n\n";
}

void BenchReport::caseTableHeader()
{
    out << "\n" << std::left << std::setw (pluginColumn) << "plug-in" << std::setw (scenarioColumn) << "case" << std::right
        << std::setw (7) << "rate" << std::setw (7) << "block" << std::setw (16) << "CPU per s audio"
        << std::setw (14) << "x real time" << std::setw (13) << "worst block" << "\n";
}

void BenchReport::add (const BenchRunner::CaseResult& result)
{
    out << std::left << std::setw (pluginColumn) << result.plugin.toStdString() << std::setw (scenarioColumn)
        << result.scenario.toStdString() << std::right << std::setw (7) << (int) result.sampleRate << std::setw (7)
        << result.blockSize << std::setw (13) << std::fixed << std::setprecision (3)
        << result.cpuPerSecond * millisecondsPerSecond << " ms" << std::setw (13) << std::setprecision (0)
        << result.realTimeFactor << "x" << std::setw (11) << std::setprecision (2)
        << result.worstBlockShare * percent << " %" << "\n"
        << std::defaultfloat << json (result) << "\n";
}

void BenchReport::memoryTableHeader (int instances, bool fromPeak)
{
    out << "Resident memory (" << (fromPeak ? "peak, VmHWM" : "VmRSS") << "), " << instances
        << " instances created together, each prepared at 48000 Hz / 512 and run for one block:\n"
        << std::left << std::setw (pluginColumn) << "plug-in" << std::right << std::setw (18) << "first instance"
        << std::setw (24) << "each further instance" << "\n";
}

void BenchReport::add (const BenchRunner::MemoryResult& result)
{
    out << std::left << std::setw (pluginColumn) << result.plugin.toStdString() << std::right << std::setw (14)
        << result.firstInstanceKib << " KiB" << std::setw (20) << result.perInstanceKib << " KiB\n"
        << json (result) << "\n";
}

juce::String BenchReport::json (const BenchRunner::CaseResult& result)
{
    return "BENCH {" + field ("plugin", quoted (result.plugin)) + "," + field ("case", quoted (result.scenario)) + ","
           + field ("rate", juce::String ((int) result.sampleRate)) + "," + field ("block", juce::String (result.blockSize))
           + "," + field ("seconds", juce::String (result.audioSeconds, 3)) + ","
           + field ("cpu_per_s", juce::String (result.cpuPerSecond, 7)) + ","
           + field ("rtf", juce::String (result.realTimeFactor, 1)) + ","
           + field ("worst_block", juce::String (result.worstBlockShare, 5)) + "}";
}

juce::String BenchReport::json (const BenchRunner::MemoryResult& result)
{
    return "BENCH {" + field ("plugin", quoted (result.plugin)) + "," + field ("case", quoted ("memory")) + ","
           + field ("instances", juce::String (result.instances)) + ","
           + field ("first_instance_kib", juce::String (result.firstInstanceKib)) + ","
           + field ("per_instance_kib", juce::String (result.perInstanceKib)) + ","
           + field ("source", quoted (result.fromPeak ? "VmHWM" : "VmRSS")) + "}";
}
