#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The curve editor's popup menu, built from the state of the visible wave and shown in the
// editor's look and feel. It is shown asynchronously: a plug-in must not run a modal loop inside
// its host.
class WaveControlPopup
{
public:
    enum ItemId
    {
        none = 0,
        selectAllPoints = 1,
        stepsDrawing = 2,
        flipChannels = 4,
        showTriplets = 5,
        copy = 7,
        paste = 8
    };

    struct State
    {
        int usedPoints = 0;
        bool stepsDrawing = false;
        bool showTriplets = false;
        bool fixedGrid = false;
        bool copyBufferValid = false;
    };

    explicit WaveControlPopup (juce::LookAndFeel& editorLook) noexcept;

    juce::PopupMenu createMenu (const State&) const;

    // Opens the menu below and to the right of a screen position; the chosen ItemId (none when the
    // menu is dismissed) goes to the callback, unless the owner has been deleted by then.
    void show (const State&, juce::Point<int> screenPosition, juce::Component& owner,
               std::function<void (int)> chosen) const;

private:
    juce::LookAndFeel& look;
};
