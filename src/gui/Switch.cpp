#include "Switch.h"

#include "AudioEditorBase.h"

#include <Resources.h>

namespace
{
    bool isWholeStrip (const juce::Image& image)
    {
        return image.isValid() && image.getWidth() % Switch::positionCount == 0 && image.getHeight() >= Switch::positionCount;
    }
}

Switch::Switch (AudioEditorBase& owner, int index)
    : Switch (owner, index, Resources::switch_png, Resources::switch_pngSize)
{
}

Switch::Switch (AudioEditorBase& owner, int index, const void* stripData, int stripSize)
    : AudioControl (owner, index), image (juce::ImageCache::getFromMemory (stripData, stripSize))
{
    jassert (isWholeStrip (image)); // ten frames side by side

    if (! isWholeStrip (image))
    {
        image = {};
        return;
    }

    const int step = image.getHeight() / positionCount;

    for (int i = 0; i < positionCount; ++i)
        boundaries[(size_t) i] = (i + 1) * step;

    setSize (image.getWidth() / positionCount, image.getHeight());
}

void Switch::pick (const juce::MouseEvent& e)
{
    const auto p = e.getEventRelativeTo (this).getPosition();

    if (p.x < 0 || p.y < 0 || p.x >= getWidth() || p.y >= getHeight())
        return;

    const int position = positionAt (p.y);

    if (position != currentPosition)
        getEditor().setParameterStep (getParameterIndex(), position);
}

int Switch::positionAt (int y) const noexcept
{
    for (int i = 0; i < positionCount; ++i)
        if (y < boundaries[(size_t) i])
            return i;

    return positionCount - 1;
}

void Switch::stepChanged (int step)
{
    if (step == currentPosition)
        return;

    currentPosition = step;
    repaint();
}

void Switch::paint (juce::Graphics& g)
{
    if (image.isValid())
        g.drawImageAt (image, -(image.getWidth() * currentPosition / positionCount), 0);
}
