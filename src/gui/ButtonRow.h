#pragma once

#include "Button.h"

#include <memory>
#include <vector>

// A row or column of buttons, 4 pixels apart and 16 between groups. It owns its buttons.
class ButtonRow : public juce::Component
{
public:
    enum Orientation
    {
        leftToRightKeepingRight = 1,  // grows to the left: the right edge stays where it was
        topToBottom = 2,
        leftToRight = 3               // any other value also keeps the left edge
    };

    static constexpr int spacing = 4;
    static constexpr int groupSpacing = 16;

    explicit ButtonRow (ControlEditor& owner, int orientation = topToBottom);
    ~ButtonRow() override;

    // Appends a button, starting a new group first when asked (never before the first button).
    Button& addButton (bool startGroup, const void* imageData, int imageSize, const juce::String& tip, int style);

private:
    struct Entry
    {
        std::unique_ptr<Button> button;
        int group;
    };

    void layOut();

    ControlEditor& owner;
    int orientation;
    std::vector<Entry> entries;
    int currentGroup = 0;
};
