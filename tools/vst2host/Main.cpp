// orvanta-vst2-host: loads a VST 2 plug-in the way a host does and prints what the host sees,
// then passes a test signal through it in blocks of several sizes.
//   orvanta-vst2-host <plug-in.so> [--sample-rate R]
//   orvanta-vst2-host <plug-in.so> --show-editor MS    shows the editor in an X11 window for MS
//                                                      milliseconds (for screenshots), then closes it

#include "Vst2Plugin.h"
#include "X11EditorWindow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
    const char* const canDoQueries[] = {
        "receiveVstEvents", "receiveVstMidiEvent", "receiveVstMidiEvents",
        "sendVstEvents", "sendVstMidiEvent", "sendVstMidiEvents",
        "receiveVstTimeInfo", "conformsToWindowRules", "bypass", "openCloseAnyThread",
        "offline", "supportsViewDpiScaling"
    };

    std::string fourCharacterCode (int id)
    {
        std::string code;
        for (int shift = 24; shift >= 0; shift -= 8)
            code += (char) ((id >> shift) & 0xff);
        return code;
    }

    std::string flagNames (int flags)
    {
        const std::pair<int, const char*> names[] = {
            { effFlagsHasEditor, "has-editor" }, { effFlagsCanReplacing, "can-replacing" },
            { effFlagsProgramChunks, "program-chunks" }, { effFlagsIsSynth, "synth" },
            { effFlagsNoSoundInStop, "no-sound-in-stop" }, { effFlagsCanDoubleReplacing, "double-replacing" }
        };
        std::string text;
        for (auto& [flag, name] : names)
            if ((flags & flag) != 0)
                text += (text.empty() ? "" : " ") + std::string (name);
        return text.empty() ? "none" : text;
    }

    void printIdentity (Vst2Plugin& plugin, double sampleRate)
    {
        auto& effect = plugin.effect();
        std::printf ("effect name      %s\n", plugin.getString (effGetEffectName).c_str());
        std::printf ("product          %s\n", plugin.getString (effGetProductString).c_str());
        std::printf ("vendor           %s\n", plugin.getString (effGetVendorString).c_str());
        std::printf ("vendor version   %d\n", (int) plugin.dispatch (effGetVendorVersion));
        std::printf ("version field    %d\n", effect.version);
        std::printf ("unique ID        '%s'\n", fourCharacterCode (effect.uniqueID).c_str());
        std::printf ("VST version      %d\n", (int) plugin.dispatch (effGetVstVersion));
        std::printf ("category         %d\n", (int) plugin.dispatch (effGetPlugCategory));
        std::printf ("inputs/outputs   %d / %d\n", effect.numInputs, effect.numOutputs);

        for (int direction = 0; direction < 2; ++direction)
            for (int i = 0; i < (direction == 0 ? effect.numInputs : effect.numOutputs); ++i)
            {
                std::string label;
                int flags = 0;
                if (plugin.getPinLabel (direction == 0, i, label, flags))
                    std::printf ("%s %d label     \"%s\"%s\n", direction == 0 ? "input " : "output", i,
                                 label.c_str(), (flags & kVstPinIsStereo) != 0 ? " (stereo pair)" : "");
            }

        std::printf ("parameters       %d\n", effect.numParams);
        std::printf ("programs         %d\n", effect.numPrograms);
        std::printf ("flags            %s\n", flagNames (effect.flags).c_str());
        std::printf ("initial delay    %d\n", effect.initialDelay);
        std::printf ("tail at %.0f Hz %d samples\n", sampleRate, (int) plugin.dispatch (effGetTailSize));

        for (auto* query : canDoQueries)
            std::printf ("canDo %-22s %d\n", query, plugin.canDo (query));
    }

    // Passes a stereo test signal through the plug-in; the largest difference from the input.
    float passThroughError (Vst2Plugin& plugin, int blockSize)
    {
        std::vector<float> left ((size_t) blockSize), right ((size_t) blockSize);
        std::vector<float> outLeft ((size_t) blockSize), outRight ((size_t) blockSize);

        for (int i = 0; i < blockSize; ++i)
        {
            left[(size_t) i] = std::sin (0.01f * (float) i);
            right[(size_t) i] = 0.5f * std::cos (0.003f * (float) i);
        }

        plugin.processStereo (left.data(), right.data(), outLeft.data(), outRight.data(), blockSize);

        float worst = 0.0f;
        for (size_t i = 0; i < left.size(); ++i)
            worst = std::max ({ worst, std::abs (outLeft[i] - left[i]), std::abs (outRight[i] - right[i]) });
        return worst;
    }

    // Plays a 440 Hz tone on both channels through the current program and prints the left and
    // right levels every half second: the panning as a host hears it.
    void printPanning (Vst2Plugin& plugin, double sampleRate, double seconds)
    {
        constexpr int blockSize = 512;
        const int blocksPerStep = (int) (0.5 * sampleRate / blockSize);
        std::vector<float> in ((size_t) blockSize), left ((size_t) blockSize), right ((size_t) blockSize);
        double sumLeft = 0.0, sumRight = 0.0;
        long sample = 0;

        for (int block = 0; block < (int) (seconds * sampleRate / blockSize); ++block)
        {
            for (int i = 0; i < blockSize; ++i)
                in[(size_t) i] = 0.5f * (float) std::sin (2.0 * 3.141592653589793 * 440.0 * (double) sample++ / sampleRate);

            plugin.processStereo (in.data(), in.data(), left.data(), right.data(), blockSize);

            for (int i = 0; i < blockSize; ++i)
            {
                sumLeft += (double) left[(size_t) i] * left[(size_t) i];
                sumRight += (double) right[(size_t) i] * right[(size_t) i];
            }

            if ((block + 1) % blocksPerStep == 0)
            {
                const double n = (double) blocksPerStep * blockSize;
                const double l = std::sqrt (sumLeft / n), r = std::sqrt (sumRight / n);
                std::printf ("  %4.1f s   left %5.3f  right %5.3f  %s\n", (double) sample / sampleRate, l, r,
                             std::string ((size_t) (20.0 * l / (l + r + 1e-9)), '<').c_str());
                sumLeft = sumRight = 0.0;
            }
        }
    }
}

namespace
{
    int showEditor (Vst2Plugin& plugin, double sampleRate, int milliseconds)
    {
        using Clock = std::chrono::steady_clock;
        const auto size = X11EditorWindow::requestedSize (plugin);
        std::printf ("editor size      %d x %d\n", size.width, size.height);

        const auto start = Clock::now();
        std::string error;
        auto window = X11EditorWindow::open (plugin, error);

        if (window == nullptr)
        {
            std::fprintf (stderr, "orvanta-vst2-host: %s\n", error.c_str());
            return 1;
        }

        const auto opened = std::chrono::duration<double, std::milli> (Clock::now() - start).count();
        std::printf ("editor window    0x%lx, effEditOpen and one idle took %.1f ms\n", window->windowId(), opened);
        std::fflush (stdout);

        // A host idles its editors about every 10 ms; a 440 Hz tone plays meanwhile, 10 ms per
        // idle, so the curve view's play position and oscilloscope move.
        const int blockSize = (int) (sampleRate / 100.0);
        std::vector<float> in ((size_t) blockSize), left ((size_t) blockSize), right ((size_t) blockSize);
        long sample = 0;

        for (auto end = Clock::now() + std::chrono::milliseconds (milliseconds); Clock::now() < end;)
        {
            for (auto& v : in)
                v = 0.5f * (float) std::sin (2.0 * 3.141592653589793 * 440.0 * (double) sample++ / sampleRate);

            plugin.processStereo (in.data(), in.data(), left.data(), right.data(), blockSize);
            window->idle();
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }

        const auto shown = window->shownEditorSize();
        std::printf ("editor shown     %d x %d\n", shown.width, shown.height);
        return shown.width == size.width && shown.height == size.height ? 0 : 1;
    }
}

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf (stderr, "usage: orvanta-vst2-host <plug-in.so> [--sample-rate R | --show-editor MS]\n");
        return 2;
    }

    Vst2Plugin::LoadOptions options;
    if (argc >= 4 && std::string (argv[2]) == "--sample-rate")
        options.sampleRate = std::atof (argv[3]);

    std::string error;
    auto plugin = Vst2Plugin::load (argv[1], options, error);

    if (plugin == nullptr)
    {
        std::fprintf (stderr, "orvanta-vst2-host: %s\n", error.c_str());
        return 1;
    }

    plugin->resume();

    if (argc >= 4 && std::string (argv[2]) == "--show-editor")
        return showEditor (*plugin, options.sampleRate, std::atoi (argv[3]));

    printIdentity (*plugin, options.sampleRate);

    std::printf ("program \"%s\", a 440 Hz tone on both channels (no host transport: 120 bpm):\n",
                 plugin->getString (effGetProgramName).c_str());
    printPanning (*plugin, options.sampleRate, 4.0);

    // The last program, "Init", has no points: audio must pass through untouched.
    plugin->dispatch (effSetProgram, 0, plugin->effect().numPrograms - 1);
    std::printf ("program \"%s\":\n", plugin->getString (effGetProgramName).c_str());
    int failures = 0;
    for (int blockSize : { 512, 1, 511, 512, 1000, 4096 })
    {
        const float error = passThroughError (*plugin, blockSize);
        std::printf ("  block of %4d  max difference from input %g\n", blockSize, error);
        failures += error == 0.0f ? 0 : 1;
    }

    return failures == 0 ? 0 : 1;
}
