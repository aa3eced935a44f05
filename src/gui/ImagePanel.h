#pragma once

#include "Control.h"

#include <memory>
#include <vector>

// A picture compiled into the plug-in, drawn unscaled at the component's origin; the component
// takes the picture's size. It owns the children that are handed to it (the background panel
// owns the editor's controls this way). Data that does not decode leaves it empty and 0 × 0.
class ImagePanel : public Control, public juce::Component
{
public:
    ImagePanel (ControlEditor& owner, const void* imageData, int imageSize, bool opaque);
    ~ImagePanel() override;

    void paint (juce::Graphics&) override;
    void mouseUp (const juce::MouseEvent&) override {}

    // Adds the component as a visible child, owned by the panel.
    template <typename ComponentType>
    ComponentType& addOwnedChild (std::unique_ptr<ComponentType> child)
    {
        auto& added = *child;
        addAndMakeVisible (added);
        ownedChildren.push_back (std::move (child));
        return added;
    }

    const juce::Image& getImage() const noexcept { return image; }

private:
    juce::Image image;
    std::vector<std::unique_ptr<juce::Component>> ownedChildren;
};
