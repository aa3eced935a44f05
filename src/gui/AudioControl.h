#pragma once

#include "Control.h"

class AudioEditorBase;

// A control bound to one parameter. It writes through the editor, which notifies every control
// of the parameter in the same call and passes the value on to the processor; it hears every
// change of the parameter, whoever made it.
class AudioControl : public Control
{
public:
    AudioControl (AudioEditorBase& editor, int parameterIndex);

    virtual void parameterStepChanged (int /*index*/, int step) { stepChanged (step); }
    virtual void stepChanged (int /*step*/) {}
    virtual void parameterValueChanged (int /*index*/, float value) { valueChanged (value); }
    virtual void valueChanged (float /*value*/) {}

    void setValue (float value) { setParameterValue (parameterIndex, value); }
    void setParameterValue (int index, float value);
    void setStep (int step) { setParameterStep (parameterIndex, step); }
    void setParameterStep (int index, int step);

    // Host automation gestures, of the own parameter or another one.
    void beginGesture() { beginGesture (parameterIndex); }
    void beginGesture (int index);
    void endGesture() { endGesture (parameterIndex); }
    void endGesture (int index);

    int getParameterIndex() const noexcept { return parameterIndex; }
    AudioEditorBase& getEditor() const noexcept { return editor; }

private:
    AudioEditorBase& editor;
    int parameterIndex;
};
