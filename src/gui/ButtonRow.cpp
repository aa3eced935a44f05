#include "ButtonRow.h"

ButtonRow::ButtonRow (ControlEditor& editor, int rowOrientation)
    : owner (editor), orientation (rowOrientation)
{
}

ButtonRow::~ButtonRow() = default;

Button& ButtonRow::addButton (bool startGroup, const void* imageData, int imageSize, const juce::String& tip, int style)
{
    auto button = std::make_unique<Button> (owner, imageData, imageSize, style);
    button->setTip (tip);
    addAndMakeVisible (*button);

    if (startGroup && ! entries.empty())
        ++currentGroup;

    entries.push_back ({ std::move (button), currentGroup });
    layOut();
    return *entries.back().button;
}

void ButtonRow::layOut()
{
    const bool vertical = orientation == topToBottom;
    int along = 0, across = 0;

    for (size_t i = 0; i < entries.size(); ++i)
    {
        auto& button = *entries[i].button;

        if (i > 0)
            along += entries[i].group > entries[i - 1].group ? groupSpacing : spacing;

        button.setTopLeftPosition (vertical ? juce::Point<int> (0, along) : juce::Point<int> (along, 0));
        along += vertical ? button.getHeight() : button.getWidth();
        across = juce::jmax (across, vertical ? button.getWidth() : button.getHeight());
    }

    const int width = vertical ? across : along;
    const int x = orientation == leftToRightKeepingRight ? getRight() - width : getX();
    setBounds (x, getY(), width, vertical ? along : across);
}
