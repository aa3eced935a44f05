#pragma once

// What the control tests share: synthesized mouse events, pictures made on the spot, and a
// listener to the texts posted on the editor's dispatcher.

#include "events/Event.h"
#include "events/EventResponder.h"
#include "events/EventDispatcherGui.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace ControlTesting
{
    inline juce::MouseEvent mouseAt (juce::Component& c, juce::Point<int> at, juce::ModifierKeys mods = {},
                                     juce::Component* originator = nullptr)
    {
        const auto now = juce::Time::getCurrentTime();
        auto* from = originator != nullptr ? originator : &c;
        return { juce::Desktop::getInstance().getMainMouseSource(), at.toFloat(), mods,
                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &c, from, now, at.toFloat(), now, 1, false };
    }

    // A PNG of the given size, every pixel the colour.
    inline juce::MemoryBlock png (int width, int height, juce::Colour colour = juce::Colours::white)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        image.clear (image.getBounds(), colour);
        juce::MemoryOutputStream out;
        juce::PNGImageFormat().writeImageToStream (image, out);
        return out.getMemoryBlock();
    }

    // Pixel for pixel the same within the area (the area's origin in each image given).
    inline bool samePixels (const juce::Image& a, juce::Point<int> atA, const juce::Image& b, juce::Point<int> atB,
                            int width, int height)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (a.getPixelAt (atA.x + x, atA.y + y) != b.getPixelAt (atB.x + x, atB.y + y))
                    return false;

        return true;
    }

    // Colours equal but for the rounding of blending.
    inline bool near (juce::Colour a, juce::Colour b, int tolerance = 2)
    {
        const auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
        return close (a.getAlpha(), b.getAlpha()) && close (a.getRed(), b.getRed()) && close (a.getGreen(), b.getGreen())
            && close (a.getBlue(), b.getBlue());
    }

    // Every text of one kind that reaches the GUI side, in order.
    struct TextLog : EventResponder
    {
        TextLog (EventDispatcherGui& d, int kind) : EventResponder (d), dispatcher (d) { subscribe (kind); }
        void respond (const Event& e) override { texts.push_back (e.getString()); }

        std::vector<juce::String> delivered()
        {
            dispatcher.deliverQueued();
            return std::exchange (texts, {});
        }

        EventDispatcherGui& dispatcher;
        std::vector<juce::String> texts;
    };
}
