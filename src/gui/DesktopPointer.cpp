#include "DesktopPointer.h"

#include <juce_gui_basics/juce_gui_basics.h>

void DesktopPointer::moveTo (juce::Point<int> screenPosition)
{
    juce::Desktop::getInstance().getMainMouseSource().setScreenPosition (screenPosition.toFloat());
}

int DesktopPointer::displayHeightAt (juce::Point<int> screenPosition) const
{
    if (const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (screenPosition))
        return display->totalArea.getHeight();

    return 0;
}
