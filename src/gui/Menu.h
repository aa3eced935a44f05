#pragma once

#include "AudioControl.h"

// A drop-down menu for a stepped parameter, item n + 1 standing for step n, drawn from a strip
// of 2 frames (normal, hovered) or 4 (and disabled, disabled and hovered) by the editor's look
// and feel. Picking an item writes the step; a step that comes back only selects its item.
//
// A strip that does not decode, or whose height is not a whole number of frames, gives a menu
// of no size that draws no frame.
class Menu : public AudioControl, public juce::ComboBox, private juce::ComboBox::Listener
{
public:
    Menu (AudioEditorBase& editor, int parameterIndex, const void* imageData, int imageSize, int frameCount);
    ~Menu() override;

    // Items take the ids 1, 2, 3, ... in the order they are added. The item of the step last
    // received (the first item until then) shows as soon as it exists.
    void addItem (const juce::String& text);

    void stepChanged (int step) override;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void enablementChanged() override;
    void paint (juce::Graphics&) override;

    const juce::Image& getImage() const noexcept { return image; }
    int getFrameOffset() const noexcept { return frameOffset; }
    int getFrameIndex() const noexcept;

private:
    void comboBoxChanged (juce::ComboBox*) override;
    void setHovering (bool shouldHover);
    void update();

    juce::Image image;
    int frameCount;
    int shownStep = 0;
    int frameOffset = 0;
    bool hovering = false;
};
