#include "AudioControl.h"

#include "AudioEditorBase.h"

AudioControl::AudioControl (AudioEditorBase& owner, int index)
    : Control (owner), editor (owner), parameterIndex (index)
{
}

void AudioControl::setParameterValue (int index, float value)
{
    editor.setParameterValue (index, value);
}

void AudioControl::setParameterStep (int index, int step)
{
    editor.setParameterStep (index, step);
}

void AudioControl::beginGesture (int index)
{
    editor.beginGesture (index);
}

void AudioControl::endGesture (int index)
{
    editor.endGesture (index);
}
