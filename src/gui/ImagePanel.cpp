#include "ImagePanel.h"

ImagePanel::ImagePanel (ControlEditor& owner, const void* imageData, int imageSize, bool opaque)
    : Control (owner), image (juce::ImageCache::getFromMemory (imageData, imageSize))
{
    setSize (image.getWidth(), image.getHeight());
    setOpaque (opaque);
}

ImagePanel::~ImagePanel()
{
    // Children go first, newest first, while the panel is still a whole component.
    while (! ownedChildren.empty())
        ownedChildren.pop_back();
}

void ImagePanel::paint (juce::Graphics& g)
{
    if (image.isValid())
        g.drawImageAt (image, 0, 0);
}
