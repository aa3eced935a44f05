#pragma once

#include "ImagePanel.h"

// The about screen: the whole window's picture, shown by a click on a logo and hidden again by
// a click on itself.
class Splash : public ImagePanel
{
public:
    explicit Splash (ControlEditor& owner);

    void mouseUp (const juce::MouseEvent&) override { setVisible (false); }
};
