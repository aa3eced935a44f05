#pragma once

// The product's processor with its editor open, for the curve editor's tests: host writes of
// point parameters, processing until the waves are rebuilt, and the curve view the editor shows.

#include "dsp/ScopeTraceSet.h"
#include "dsp/Wave.h"
#include "gui/AudioEditorBase.h"
#include "processor/AudioProcessor.h"
#include "processor/ParameterLayout.h"
#include "waveeditor/WaveControl.h"

#include <memory>

namespace WaveControlTesting
{
    using Field = ParameterLayout::PointField;

    struct Rig
    {
        Rig()
        {
            processor.prepareToPlay (48000.0, 512);
            processor.setNonRealtime (true);   // host writes apply at the next drain, holds or not
            settle();
            editor.reset (static_cast<AudioEditorBase*> (processor.createEditor()));
            view = findView();
            editor->refresh();
        }

        ~Rig()
        {
            editor.reset();
            processor.releaseResources();
        }

        WaveControl* findView() const
        {
            for (auto* child : editor->getBackground().getChildren())
                if (auto* found = dynamic_cast<WaveControl*> (child))
                    return found;

            return nullptr;
        }

        void process (float level = 0.0f)
        {
            juce::AudioBuffer<float> buffer (2, 512);
            buffer.clear();
            juce::FloatVectorOperations::fill (buffer.getWritePointer (0), level, 512);
            juce::MidiBuffer midi;
            processor.processBlock (buffer, midi);
        }

        bool rebuilding()
        {
            for (int w = 0; w < ParameterLayout::numWaves; ++w)
                if (processor.getWaveProcessor()->getWave (w)->isRebuilding())
                    return true;

            return false;
        }

        // Processes until every wave is rebuilt, then lets the editor hear what was applied.
        void settle()
        {
            do
                process();
            while (rebuilding());

            if (editor != nullptr)
                editor->refresh();
        }

        void writePoint (int wave, int slot, Field field, float value)
        {
            processor.setParameter (ParameterLayout::pointParameter (wave, slot, field), value);
        }

        void setPoint (int wave, int slot, int x, float y, int type)
        {
            writePoint (wave, slot, ParameterLayout::pointX, (float) x / (float) ParameterLayout::xSteps);
            writePoint (wave, slot, ParameterLayout::pointY, y);
            writePoint (wave, slot, ParameterLayout::pointType, (float) type / (float) ParameterLayout::typeSteps);
        }

        void clearWave (int wave)
        {
            for (int slot = 0; slot < ParameterLayout::numSlots; ++slot)
                writePoint (wave, slot, ParameterLayout::pointType, 0.0f);
        }

        WaveState& waveState() { return *processor.getWaveProcessor()->getWaveState(); }
        ScopeTraceSet& scope() { return *processor.getOscilloscope()->getScopeTraces (0); }

        juce::Image snapshot() { return view->createComponentSnapshot (view->getLocalBounds()); }

        AudioProcessor processor;
        std::unique_ptr<AudioEditorBase> editor;
        WaveControl* view = nullptr;
    };
}
