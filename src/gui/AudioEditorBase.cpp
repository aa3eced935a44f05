#include "AudioEditorBase.h"

#include "AudioControl.h"
#include "DesktopPointer.h"
#include "MessageScreen.h"
#include "../events/EventKinds.h"
#include "../processor/AudioProcessorBase.h"

#include <Resources.h>

AudioEditorBase::AudioEditorBase (AudioProcessorBase& owner)
    : juce::AudioProcessorEditor (owner),
      ControlEditor (owner.getEventDispatcher()),
      processorBase (owner),
      stateBlock (owner.state),
      background (std::make_unique<ImagePanel> (*this, Resources::background_png, Resources::background_pngSize, true)),
      pointer (std::make_unique<DesktopPointer>())
{
    addAndMakeVisible (*background);
    setSize (background->getWidth(), background->getHeight());
    messageScreen = std::make_unique<MessageScreen> (*this, getWidth(), getHeight());
    addChildComponent (*messageScreen);

    processorBase.setParameterChangeReceiver (&changes);
    processorBase.setPlayPositionReceiver (&playPosition);
    processorBase.editorShown (true);
}

AudioEditorBase::~AudioEditorBase()
{
    stopTimer();
    processorBase.editorShown (false);
    processorBase.setParameterChangeReceiver (nullptr);
    processorBase.setPlayPositionReceiver (nullptr);
    messageScreen.reset();
    background.reset();
}

void AudioEditorBase::start (const juce::String& defaultTip)
{
    startTimer (refreshIntervalMs);
    postString (EventKinds::statusText, defaultTip);
}

void AudioEditorBase::registerControl (int index, AudioControl& control)
{
    controlsOf (index).push_back (&control);
}

void AudioEditorBase::registerControl (AudioControl& control)
{
    registerControl (control.getParameterIndex(), control);
}

void AudioEditorBase::setParameterValue (int index, float value)
{
    changes.storeValue (index, value);

    for (auto* control : controlsOf (index))
        control->parameterValueChanged (index, value);

    parameterValueChanged (index, value);
    processorBase.setParameterFromGui (index, value, true);
}

void AudioEditorBase::setParameterStep (int index, int step)
{
    changes.storeStep (index, step);

    for (auto* control : controlsOf (index))
        control->parameterStepChanged (index, step);

    parameterStepChanged (index, step);
    processorBase.setParameterStepFromGui (index, step);
}

void AudioEditorBase::setParameterControlsEnabled (int index, bool enabled)
{
    for (auto* control : controlsOf (index))
        control->getComponent().setEnabled (enabled);
}

void AudioEditorBase::beginGesture (int index)
{
    if (auto* parameter = processorBase.getParameters()[index])
        parameter->beginChangeGesture();
}

void AudioEditorBase::endGesture (int index)
{
    if (auto* parameter = processorBase.getParameters()[index])
        parameter->endChangeGesture();
}

void AudioEditorBase::refresh()
{
    int index = 0;

    while (changes.pop (index))
        deliver (index, changes.entry (index));

    tickTimerSlaves();
}

void AudioEditorBase::deliver (int index, const EditorChangeQueue::Entry& entry)
{
    auto& controls = controlsOf (index);

    if (entry.isStep)
    {
        for (auto* control : controls)
            control->parameterStepChanged (index, entry.step);

        parameterStepChanged (index, entry.step);
    }
    else
    {
        for (auto* control : controls)
            control->parameterValueChanged (index, entry.value);

        parameterValueChanged (index, entry.value);
    }
}
