#pragma once

#include "Control.h"

#include <functional>
#include <vector>

// A picture button. Its faces come from a strip of frames stacked vertically: either the frames
// themselves (pictures) or their shapes tinted grey, lighter under the mouse (icons). A click
// runs the actions in order; a SHIFT-click runs the shift actions.
//
// Styles (frames in the strip: faces):
//   0 (1: icon), 1 (1: icon, orange when on; toggles), 2 (2: icon off, icon on; toggles),
//   3 (2: normal, over), 4 (3: normal, over, down), 5 (2: off, on; toggles),
//   6 (4: normal, over, normal on, over on; toggles).
// A strip that does not decode, or is not a whole number of frames, gives a button of no size
// that draws nothing. A toggling button can also show a state that others switch, announced by
// a pair of action events.
class Button : public juce::DrawableButton, public Control
{
public:
    using Action = std::function<void()>;

    Button (ControlEditor& owner, const void* imageData, int imageSize, int buttonStyle);
    ~Button() override;

    static int frameCountOf (int buttonStyle) noexcept;
    static bool togglesOf (int buttonStyle) noexcept { return buttonStyle == 1 || buttonStyle == 2 || buttonStyle == 5 || buttonStyle == 6; }

    // The shift action defaults to the action itself; an empty action is left out.
    void addAction (Action action, Action shiftAction = {});

    // From now on the action event onKind turns the button on and offKind turns it off, without a click.
    void followState (int onKind, int offKind);
    void respond (const Event&) override;

protected:
    using juce::DrawableButton::clicked;
    void clicked (const juce::ModifierKeys&) override;

private:
    void buildFaces (const juce::Image& strip, int buttonStyle);
    void setFaces (const juce::Image* normal, const juce::Image* over, const juce::Image* down,
                   const juce::Image* normalOn, const juce::Image* overOn, const juce::Image* downOn);

    std::vector<Action> actions, shiftActions;
    int stateOnKind = 0, stateOffKind = 0;
};
