#pragma once

#include "MouseMovable.h"
#include "ValueFormatters.h"

class Label;

// A film-strip knob: square frames stacked from value 0 at the top to 1 at the bottom, with an
// optional name under the frame and the value text under the name. Drags on the labels move the
// knob too. When disabled it draws its grey strip and dims its texts.
//
// A strip that does not decode, or whose height is not a whole number of square frames, gives
// a knob of no size that draws nothing.
class Knob : public MouseMovable
{
public:
    Knob (AudioEditorBase& editor, int parameterIndex, const void* stripData, int stripSize,
          const void* disabledStripData, int disabledStripSize, float defaultValue);
    ~Knob() override;

    void setNameLabel (const juce::String& text);
    void setValueLabel (ValueFormatter formatter);

    void valueChanged (float value) override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void enablementChanged() override;
    void paintOverChildren (juce::Graphics&) override;

    int getFrameSize() const noexcept { return frameSize; }
    int getFrameCount() const noexcept { return frameCount; }
    int getFrameIndex() const noexcept { return frameSize > 0 ? frameOffset / frameSize : 0; }
    bool isHovering() const noexcept { return hovering; }
    Label* getNameLabel() const noexcept { return nameLabel.get(); }
    Label* getValueLabel() const noexcept { return valueLabel.get(); }

private:
    std::unique_ptr<Label> makeLabel (int fontType, int y, int height);
    void recolour();

    int frameSize = 0;
    int frameCount = 0;
    int frameOffset = 0;
    juce::Image strip, disabledStrip;
    std::unique_ptr<Label> nameLabel, valueLabel;
    ValueFormatter formatter = nullptr;
    bool hovering = false;
};
