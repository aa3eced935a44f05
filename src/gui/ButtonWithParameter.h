#pragma once

#include "Button.h"
#include "MouseMovable.h"

// An icon that works like a knob: drag it up and down to change its parameter (finely with
// SHIFT), use the wheel, double-click or CTRL-click to reset. It draws nothing but the icon.
class ButtonWithParameter : public MouseMovable
{
public:
    // The product's 19 × 19 zoom icon.
    ButtonWithParameter (AudioEditorBase& editor, int parameterIndex, float defaultValue);
    ~ButtonWithParameter() override;

    Button& getFace() noexcept { return face; }

private:
    Button face;
};
