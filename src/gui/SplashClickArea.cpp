#include "SplashClickArea.h"

#include "Splash.h"

SplashClickArea::SplashClickArea (ControlEditor& owner, const void* imageData, int imageSize, Splash& splash)
    : Control (owner), target (splash), image (juce::ImageCache::getFromMemory (imageData, imageSize))
{
    setSize (image.getWidth(), image.getHeight());
    setTip ("Click for additional information.");
}

void SplashClickArea::paint (juce::Graphics& g)
{
    if (hovering && image.isValid())
        g.drawImageAt (image, 0, 0);
}

void SplashClickArea::mouseUp (const juce::MouseEvent&)
{
    target.setVisible (true);
}

void SplashClickArea::setHovering (bool shouldHover)
{
    hovering = shouldHover;
    repaint();
}
