// orvanta-bench: the processing cost of the plug-in, of a pass-through baseline on the same host
// path and of any other plug-in file given, at 44.1 and 48 kHz in blocks of 64 ... 4096 samples.
//   orvanta-bench [other-plugin ...] [--seconds S] [--plugin PATH] (see --help)

#include "BenchCommandLine.h"
#include "BenchReport.h"
#include "BenchRunner.h"
#include "PluginLoader.h"
#include "ToolError.h"

#include <iostream>

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juce;
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    try
    {
        const auto settings = BenchCommandLine::parse (arguments);

        if (settings.showHelp)
        {
            std::cout << BenchCommandLine::usage();
            return 0;
        }

        PluginLoader loader;
        BenchRunner runner (settings, loader);
        BenchReport report (std::cout);
        const auto subjects = runner.subjects();

        report.header (settings);

        // Memory first, so the first instance of each plug-in also loads its library.
        for (size_t i = 0; i < subjects.size(); ++i)
        {
            const auto result = runner.measureMemory (subjects[i]);

            if (i == 0)
                report.memoryTableHeader (result.instances, result.fromPeak);

            report.add (result);
        }

        report.caseTableHeader();

        for (const bool changePrograms : { false, true })
            for (const auto& subject : subjects)
                for (const auto rate : settings.sampleRates)
                    for (const auto blockSize : settings.blockSizes)
                        report.add (runner.measure (subject, rate, blockSize, changePrograms));

        return 0;
    }
    catch (const ToolError& error)
    {
        std::cerr << "orvanta-bench: " << error.what() << std::endl;
        return 1;
    }
}
