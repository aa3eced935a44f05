// The editor: opening it up to its first paint, and one refresh tick that delivers a change of
// every parameter.

#include "gui/AudioControl.h"
#include "gui/AudioEditorBase.h"
#include "processor/AudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int numParameters = AudioProcessorBase::numParameters;

    // Counts what it hears, as cheaply as a control can.
    class CountingControl : public AudioControl, public juce::Component
    {
    public:
        using AudioControl::AudioControl;
        void valueChanged (float) override { ++heard; }
        void stepChanged (int) override { ++heard; }
        long heard = 0;
    };

    std::unique_ptr<AudioEditorBase> openEditor (AudioProcessor& processor)
    {
        return std::unique_ptr<AudioEditorBase> (static_cast<AudioEditorBase*> (processor.createEditor()));
    }

    // Construction with the seeding of every parameter, then the first paint of the whole window;
    // with cold images (the first editor of a session decodes its PNG data) or cached ones.
    void openEditorToFirstPaint (benchmark::State& state)
    {
        AudioProcessor processor;
        const bool coldImages = state.range (0) != 0;

        for (auto _ : state)
        {
            auto editor = openEditor (processor);
            benchmark::DoNotOptimize (editor->createComponentSnapshot (editor->getLocalBounds()));
            state.PauseTiming();
            editor.reset();
            if (coldImages)
                juce::ImageCache::releaseUnusedImages();
            state.ResumeTiming();
        }
    }

    // One tick delivering all 1224 queued changes, each to one bound control.
    void refreshDeliversEveryParameter (benchmark::State& state)
    {
        AudioProcessor processor;
        auto editor = openEditor (processor);
        std::vector<std::unique_ptr<CountingControl>> controls;

        for (int i = 0; i < numParameters; ++i)
        {
            controls.push_back (std::make_unique<CountingControl> (*editor, i));
            editor->registerControl (*controls.back());
        }

        for (auto _ : state)
        {
            state.PauseTiming();
            for (int i = 0; i < numParameters; ++i)
                editor->queueParameterValue (i, 0.5f);
            state.ResumeTiming();

            editor->refresh();
        }

        state.SetItemsProcessed (state.iterations() * numParameters);
        editor.reset();
    }
}

BENCHMARK (openEditorToFirstPaint)->ArgName ("coldImages")->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond);
BENCHMARK (refreshDeliversEveryParameter)->Unit (benchmark::kMicrosecond);
