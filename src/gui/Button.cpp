#include "Button.h"

#include "Palette.h"
#include "../events/Event.h"

namespace
{
    // An icon's face: its shape in the glyph colour over the face's background.
    struct Tint
    {
        juce::Colour glyph, background;
    };

    const Tint normalTint { juce::Colour (0xFFA8A8A8), juce::Colours::transparentBlack };
    const Tint overTint { juce::Colour (0xFFC9C9C9), juce::Colour (0x1DFFFFFF) };
    const Tint downTint { juce::Colour (0xFFC9C9C9), juce::Colour (0x28FFFFFF) };

    juce::Image tinted (const juce::Image& frame, Tint tint)
    {
        juce::Image face (juce::Image::ARGB, frame.getWidth(), frame.getHeight(), true);
        juce::Graphics g (face);
        g.fillAll (tint.background);
        g.setColour (tint.glyph);
        g.drawImageAt (frame, 0, 0, true);
        return face;
    }

    struct IconFaces
    {
        juce::Image normal, over, down;
    };

    IconFaces iconFaces (const juce::Image& frame, juce::Colour glyph = {})
    {
        const auto recoloured = [glyph] (Tint t) { return glyph.isTransparent() ? t : Tint { glyph, t.background }; };
        return { tinted (frame, recoloured (normalTint)), tinted (frame, recoloured (overTint)), tinted (frame, recoloured (downTint)) };
    }
}

int Button::frameCountOf (int buttonStyle) noexcept
{
    switch (buttonStyle)
    {
        case 2: case 3: case 5: return 2;
        case 4: return 3;
        case 6: return 4;
        default: return 1;
    }
}

Button::Button (ControlEditor& owner, const void* imageData, int imageSize, int buttonStyle)
    : juce::DrawableButton ({}, juce::DrawableButton::ImageRaw), Control (owner)
{
    setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
    setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    setClickingTogglesState (togglesOf (buttonStyle));

    const auto strip = juce::ImageCache::getFromMemory (imageData, imageSize);
    const int frames = frameCountOf (buttonStyle);
    const bool whole = strip.isValid() && strip.getHeight() % frames == 0;
    jassert (whole); // the style's number of frames, stacked vertically

    if (whole)
    {
        setSize (strip.getWidth(), strip.getHeight() / frames);
        buildFaces (strip, buttonStyle);
    }
}

Button::~Button() = default;

void Button::buildFaces (const juce::Image& strip, int buttonStyle)
{
    const int h = getHeight();
    const auto frame = [&] (int i) { return strip.getClippedImage ({ 0, i * h, strip.getWidth(), h }).createCopy(); };

    switch (buttonStyle)
    {
        case 1:
        {
            const auto off = iconFaces (frame (0)), on = iconFaces (frame (0), Palette::highlight);
            setFaces (&off.normal, &off.over, &off.down, &on.normal, &on.over, &on.down);
            break;
        }
        case 2:
        {
            const auto off = iconFaces (frame (0)), on = iconFaces (frame (1));
            setFaces (&off.normal, &off.over, &off.down, &on.normal, &on.over, &on.down);
            break;
        }
        case 3: { const auto n = frame (0), o = frame (1); setFaces (&n, &o, nullptr, nullptr, nullptr, nullptr); break; }
        case 4: { const auto n = frame (0), o = frame (1), d = frame (2); setFaces (&n, &o, &d, nullptr, nullptr, nullptr); break; }
        case 5: { const auto off = frame (0), on = frame (1); setFaces (&off, nullptr, nullptr, &on, nullptr, nullptr); break; }
        case 6:
        {
            const auto n = frame (0), o = frame (1), nOn = frame (2), oOn = frame (3);
            setFaces (&n, &o, nullptr, &nOn, &oOn, nullptr);
            break;
        }
        default:
        {
            const auto icon = iconFaces (frame (0));
            setFaces (&icon.normal, &icon.over, &icon.down, nullptr, nullptr, nullptr);
            break;
        }
    }
}

void Button::setFaces (const juce::Image* normal, const juce::Image* over, const juce::Image* down,
                       const juce::Image* normalOn, const juce::Image* overOn, const juce::Image* downOn)
{
    // The button copies the faces it is given.
    std::vector<std::unique_ptr<juce::Drawable>> faces;
    const auto make = [&faces] (const juce::Image* image) -> juce::Drawable* {
        if (image == nullptr)
            return nullptr;

        faces.push_back (std::make_unique<juce::DrawableImage> (*image));
        return faces.back().get();
    };

    setImages (make (normal), make (over), make (down), nullptr, make (normalOn), make (overOn), make (downOn));
}

void Button::addAction (Action action, Action shiftAction)
{
    jassert (action != nullptr); // an empty action would throw when the button is clicked

    if (action == nullptr)
        return;

    shiftActions.push_back (shiftAction != nullptr ? std::move (shiftAction) : action);
    actions.push_back (std::move (action));
}

void Button::clicked (const juce::ModifierKeys& mods)
{
    for (auto& action : mods.isShiftDown() ? shiftActions : actions)
        action();
}

void Button::followState (int onKind, int offKind)
{
    jassert (getClickingTogglesState());
    stateOnKind = onKind;
    stateOffKind = offKind;
    subscribe (onKind);
    subscribe (offKind);
}

void Button::respond (const Event& event)
{
    if (event.getKind() == stateOnKind || event.getKind() == stateOffKind)
        setToggleState (event.getKind() == stateOnKind, juce::dontSendNotification);
}
