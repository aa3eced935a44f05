// The curve view: one paint with the oscilloscope at full scale and the play trail shown, by
// JUCE's software renderer into an image of the editor's size.

#include "dsp/ScopeTraceSet.h"
#include "gui/AudioEditorBase.h"
#include "processor/AudioProcessor.h"
#include "waveeditor/WaveControl.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
    WaveControl* curveViewOf (AudioEditorBase& editor)
    {
        for (auto* child : editor.getBackground().getChildren())
            if (auto* view = dynamic_cast<WaveControl*> (child))
                return view;

        return nullptr;
    }

    // A full-scale tone in every trace, at every column.
    void fillScope (ScopeTraceSet& scope)
    {
        std::vector<float> tone (48000 + 512);

        for (size_t i = 0; i < tone.size(); ++i)
            tone[i] = (float) std::sin (0.1 * (double) i);

        for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
        {
            scope.trace (t).setSpeed (1.0f);
            scope.trace (t).setPosition (0.0);
            scope.trace (t).capture (tone.data(), (int) tone.size());
        }
    }

    void paintCurveView (benchmark::State& state)
    {
        AudioProcessor processor;
        processor.prepareToPlay (48000.0, 512);
        std::unique_ptr<AudioEditorBase> editor (static_cast<AudioEditorBase*> (processor.createEditor()));
        auto* view = curveViewOf (*editor);
        fillScope (*processor.getOscilloscope()->getScopeTraces (0));
        view->setPlayPosition (0.5f, 1.0f);
        juce::Image image (juce::Image::ARGB, editor->getWidth(), editor->getHeight(), true, juce::SoftwareImageType());

        for (auto _ : state)
        {
            juce::Graphics g (image);
            view->paintEntireComponent (g, false);
        }

        editor.reset();
        processor.releaseResources();
    }
}

BENCHMARK (paintCurveView)->Unit (benchmark::kMicrosecond);
