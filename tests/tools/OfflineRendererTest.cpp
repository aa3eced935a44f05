// Renders through the built VST 2 plug-in in 64-sample blocks: a program change plays the new
// program once its waves are rebuilt, and the same calls give the same output bit for bit.

#include "DemoSignal.h"
#include "OfflineRenderer.h"
#include "PluginLoader.h"
#include "ReferenceHost.h"
#include "TransportPlayHead.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 64;
    constexpr double seconds = 1.5;
    constexpr int swoosh = 5;   // "Beat Synced", like program 0: the curve alone sets the output

    // One fresh instance of the plug-in, prepared by its renderer as a host prepares it.
    struct Instance
    {
        explicit Instance (bool offline, int programBeforePrepare = -1)
            : plugin (PluginLoader().load (juce::File (ReferenceHost::vst2.path), {}, sampleRate, blockSize))
        {
            if (programBeforePrepare >= 0)
                plugin->setCurrentProgram (programBeforePrepare);

            renderer = std::make_unique<OfflineRenderer> (*plugin, playHead, sampleRate, blockSize, offline);
        }

        ~Instance() { renderer.reset(); }

        // The demo signal from the start of the transport; beforeBlock may change the program.
        juce::AudioBuffer<float> play (const std::function<void (juce::int64)>& beforeBlock = {})
        {
            const auto input = DemoSignal::make (sampleRate, seconds);
            juce::AudioBuffer<float> output (2, input.getNumSamples());
            int read = 0, written = 0;

            OfflineRenderer::Callbacks callbacks;
            callbacks.readInput = [&] (juce::AudioBuffer<float>& block, int n)
            {
                for (int channel = 0; channel < 2; ++channel)
                    block.copyFrom (channel, 0, input, channel, read, n);
                read += n;
            };
            callbacks.writeOutput = [&] (const juce::AudioBuffer<float>& block, int n)
            {
                for (int channel = 0; channel < 2; ++channel)
                    output.copyFrom (channel, written, block, channel, 0, n);
                written += n;
            };
            callbacks.beforeBlock = beforeBlock;
            renderer->render (input.getNumSamples(), {}, callbacks);
            return output;
        }

        std::unique_ptr<juce::AudioPluginInstance> plugin;
        TransportPlayHead playHead { sampleRate, 120.0, 4, 4 };
        std::unique_ptr<OfflineRenderer> renderer;
    };

    // The first sample from `from` on where the two differ, or -1.
    int firstDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int from = 0)
    {
        for (int i = from; i < a.getNumSamples(); ++i)
            for (int channel = 0; channel < 2; ++channel)
                if (a.getSample (channel, i) != b.getSample (channel, i))
                    return i;

        return -1;
    }
}

TEST (OfflineRenderer, ProgramChangeMidRenderPlaysTheNewProgramOnceItsWavesAreRebuilt)
{
    // Ten waves rebuilt in slices of one per 64-sample block take well under a quarter second.
    const int change = (int) (0.5 * sampleRate);
    const int rebuilt = (int) (0.75 * sampleRate);

    Instance switching (false), fromStart (false, swoosh);
    const auto switched = switching.play ([&] (juce::int64 blockStart)
    {
        if (blockStart == change)
            switching.plugin->setCurrentProgram (swoosh);
    });
    const auto expected = fromStart.play();

    const int first = firstDifference (switched, expected);
    EXPECT_GE (first, 0) << "program 0 and Swoosh pan differently";
    EXPECT_LT (first, change);
    EXPECT_EQ (firstDifference (switched, expected, rebuilt), -1);
}

TEST (OfflineRenderer, SameCallsGiveTheSameOutputBitForBit)
{
    // Every program in turn, one every 0.1 s, so rebuilds overlap and are cut short.
    const auto changeEvery = (juce::int64) (0.1 * sampleRate);
    const auto render = [&]
    {
        Instance instance (true);
        return instance.play ([&] (juce::int64 blockStart)
        {
            if (blockStart > 0 && blockStart % changeEvery < blockSize)
                instance.plugin->setCurrentProgram ((instance.plugin->getCurrentProgram() + 1) % instance.plugin->getNumPrograms());
        });
    };

    const auto first = render();
    EXPECT_EQ (firstDifference (first, render()), -1);
    EXPECT_GT (first.getRMSLevel (0, 0, first.getNumSamples()), 0.01f);
}
