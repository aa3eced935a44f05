#pragma once

#include "Control.h"

class Splash;

// A logo that lights up under the mouse (its picture is drawn only while hovered) and shows
// the about screen when clicked.
class SplashClickArea : public Control, public juce::Component
{
public:
    SplashClickArea (ControlEditor& owner, const void* imageData, int imageSize, Splash& target);

    void paint (juce::Graphics&) override;
    void mouseEnter (const juce::MouseEvent&) override { setHovering (true); }
    void mouseExit (const juce::MouseEvent&) override { setHovering (false); }
    void mouseUp (const juce::MouseEvent&) override;

    bool isHovering() const noexcept { return hovering; }

private:
    void setHovering (bool shouldHover);

    Splash& target;
    juce::Image image;
    bool hovering = false;
};
