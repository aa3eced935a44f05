#pragma once

// The product's processor with its editor open, for the curve editor's tests: host writes of
// point parameters, processing until the waves are rebuilt, and the curve view the editor shows.

#include "dsp/ScopeTraceSet.h"
#include "gui/Pointer.h"
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

    // Records where drags put the pointer instead of moving the desktop's.
    struct RecordingPointer : Pointer
    {
        void moveTo (juce::Point<int> screenPosition) override { moves.push_back (screenPosition); }
        int displayHeightAt (juce::Point<int>) const override { return 1080; }
        std::vector<juce::Point<int>> moves;
    };

    // A mouse over one component: each press starts a drag that the next moves and releases refer
    // to, as JUCE's own events do.
    struct Mouse
    {
        static constexpr auto left = juce::ModifierKeys::leftButtonModifier;
        static constexpr auto right = juce::ModifierKeys::rightButtonModifier;
        static constexpr auto shift = juce::ModifierKeys::shiftModifier;
        static constexpr auto ctrl = juce::ModifierKeys::ctrlModifier;
        static constexpr auto alt = juce::ModifierKeys::altModifier;

        explicit Mouse (juce::Component& target) : component (target) {}

        juce::MouseEvent event (juce::Point<int> at, int mods) const
        {
            const auto now = juce::Time::getCurrentTime();
            return { juce::Desktop::getInstance().getMainMouseSource(), at.toFloat(), juce::ModifierKeys (mods),
                     juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &component, &component, now,
                     downAt.toFloat(), now, clicks, at != downAt };
        }

        void press (juce::Point<int> at, int mods = left, int numberOfClicks = 1)
        {
            downAt = at;
            clicks = numberOfClicks;
            component.mouseDown (event (at, mods));
        }

        void drag (juce::Point<int> at, int mods = left) { component.mouseDrag (event (at, mods)); }
        void release (juce::Point<int> at, int mods = left) { component.mouseUp (event (at, mods)); }
        void move (juce::Point<int> at, int mods = 0) { component.mouseMove (event (at, mods)); }

        void click (juce::Point<int> at, int mods = left)
        {
            press (at, mods);
            release (at, mods);
        }

        // Two clicks as JUCE delivers them: the second press counts 2, then the double-click.
        void doubleClick (juce::Point<int> at)
        {
            click (at);
            press (at, left, 2);
            component.mouseDoubleClick (event (at, left));
            release (at);
        }

        juce::Component& component;
        juce::Point<int> downAt;
        int clicks = 1;
    };
}
