// orvanta-render: renders an audio file, or the built-in demo signal, through a plug-in offline
// and writes the result with a picture of its levels and pan position.
//   orvanta-render [in.wav] out.wav [--program NAME] [--tempo BPM] [--set NAME=VALUE] ... (see --help)

#include "RenderCommandLine.h"
#include "RenderTool.h"
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
        const auto settings = RenderCommandLine::parse (arguments);

        if (settings.showHelp)
        {
            std::cout << RenderCommandLine::usage();
            return 0;
        }

        std::cout << RenderTool (settings).run() << std::endl;
        return 0;
    }
    catch (const ToolError& error)
    {
        std::cerr << "orvanta-render: " << error.what() << std::endl;
        return 1;
    }
}
