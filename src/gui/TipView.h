#pragma once

#include "ScrollableText.h"

// The tip area: shows the last status text posted by anyone (the tip of the control under the
// mouse, or a message such as "Loaded preset."), scrolling it when it does not fit.
class TipView : public ScrollableText
{
public:
    TipView (ControlEditor& owner, const juce::String& initialText);

    void respond (const Event&) override;
};
