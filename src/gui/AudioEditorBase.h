#pragma once

#include "ControlEditor.h"
#include "EditorChangeQueue.h"
#include "ImagePanel.h"
#include "Layout.h"
#include "PlayPosition.h"
#include "Pointer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <map>
#include <memory>
#include <vector>

class AudioControl;
class AudioProcessorBase;
class MessageScreen;
struct StateBlock;

// The framework's editor window, 525 × 633 on the product's background. It keeps a mirror of
// every parameter, binds controls to parameters, writes their values to the processor, and
// every 50 ms delivers to the controls what the processor reports it applied. Errors posted by
// anyone appear on its message screen.
//
// Threads: the processor reports changes and play positions from any thread, into the change
// queue and the play position; everything else runs on the message thread. The destructor
// unhooks both reports and waits until none is in flight before anything is freed.
class AudioEditorBase : public juce::AudioProcessorEditor,
                        public ControlEditor,
                        private juce::Timer
{
public:
    static constexpr int refreshIntervalMs = 50;

    explicit AudioEditorBase (AudioProcessorBase& processor);
    ~AudioEditorBase() override;

    // Starts the refresh tick and shows the default tip.
    void start (const juce::String& defaultTip);

    // The control hears every change of the parameter from now on, after those registered earlier.
    void registerControl (int index, AudioControl& control);
    void registerControl (AudioControl& control);

    // The editor's writes: mirror, then every control of the parameter and the editor's hook in
    // this call, then the processor, which tells the host.
    void setParameterValue (int index, float value);
    void setParameterStep (int index, int step);

    // The processor's reports of applied changes, from any thread; delivered at the next tick.
    void queueParameterValue (int index, float value) { changes.queueValue (index, value); }
    void queueParameterStep (int index, int step) { changes.queueStep (index, step); }
    // The values the processor hands over when it creates the editor.
    void seedParameterValue (int index, float value) { changes.seedValue (index, value); }
    void seedParameterStep (int index, int step) { changes.seedStep (index, step); }

    void setParameterControlsEnabled (int index, bool enabled);

    virtual void parameterStepChanged (int /*index*/, int /*step*/) {}
    virtual void parameterValueChanged (int /*index*/, float /*value*/) {}
    virtual void beginGesture (int index);
    virtual void endGesture (int index);

    // The refresh tick: delivers every queued change with the mirror's latest value, then ticks
    // the timer slaves. Message thread.
    void refresh();

    PlayPosition::Values getPlayPosition() const noexcept { return playPosition.get(); }

    EditorChangeQueue::Entry mirrorEntry (int index) const noexcept { return changes.entry (index); }
    AudioProcessorBase& getProcessorBase() const noexcept { return processorBase; }
    StateBlock* getStateBlock() const noexcept { return stateBlock; }
    ImagePanel& getBackground() noexcept { return *background; }
    Layout& getLayout() noexcept { return layout; }

    Pointer& getPointer() noexcept { return *pointer; }
    void setPointer (std::unique_ptr<Pointer> newPointer) { pointer = std::move (newPointer); }

private:
    void timerCallback() override { refresh(); }
    void deliver (int index, const EditorChangeQueue::Entry& entry);
    std::vector<AudioControl*>& controlsOf (int index) { return registry[index]; }

    AudioProcessorBase& processorBase;
    StateBlock* stateBlock;
    std::map<int, std::vector<AudioControl*>> registry;
    Layout layout;   // outlives every child that uses it
    std::unique_ptr<ImagePanel> background;
    std::unique_ptr<MessageScreen> messageScreen;   // hidden until an error is posted
    EditorChangeQueue changes;
    PlayPosition playPosition;
    std::unique_ptr<Pointer> pointer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioEditorBase)
};
