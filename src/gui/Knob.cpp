#include "Knob.h"

#include "Label.h"
#include "Palette.h"

namespace
{
    constexpr int frameX = 6;
    constexpr int extraWidth = 11, nameHeight = 11, valueHeight = 10;

    bool isWholeStrip (const juce::Image& image)
    {
        return image.isValid() && image.getWidth() > 0 && image.getHeight() % image.getWidth() == 0;
    }

    juce::Image loadStrip (const void* data, int size)
    {
        auto image = juce::ImageCache::getFromMemory (data, size);
        jassert (isWholeStrip (image)); // a knob strip must be whole square frames
        return isWholeStrip (image) ? image : juce::Image();
    }
}

Knob::Knob (AudioEditorBase& owner, int index, const void* stripData, int stripSize,
            const void* disabledStripData, int disabledStripSize, float defaultValueToUse)
    : MouseMovable (owner, index, defaultValueToUse), strip (loadStrip (stripData, stripSize))
{
    if (strip.isValid())
    {
        frameSize = strip.getWidth();
        frameCount = strip.getHeight() / frameSize;
        setSize (frameSize + extraWidth, frameSize + nameHeight + valueHeight);
    }

    if (disabledStripData != nullptr)
    {
        disabledStrip = loadStrip (disabledStripData, disabledStripSize);
        jassert (! disabledStrip.isValid() || disabledStrip.getBounds() == strip.getBounds());

        if (disabledStrip.getBounds() != strip.getBounds())
            disabledStrip = {};
    }

    MouseMovable::valueChanged (-1.0f); // so the first value is never taken as a repeat
    valueChanged (0.0f);
}

Knob::~Knob() = default;

void Knob::setNameLabel (const juce::String& text)
{
    if (nameLabel == nullptr)
    {
        nameLabel = makeLabel (1, frameSize, nameHeight);
        recolour();
    }

    nameLabel->setText (text, juce::dontSendNotification);
}

void Knob::setValueLabel (ValueFormatter newFormatter)
{
    if (valueLabel != nullptr || newFormatter == nullptr)
        return;

    formatter = newFormatter;
    valueLabel = makeLabel (0, frameSize + nameHeight, valueHeight);
    recolour();
    valueLabel->setText (formatter (getCurrentValue()), juce::dontSendNotification);
}

std::unique_ptr<Label> Knob::makeLabel (int fontType, int y, int height)
{
    auto label = std::make_unique<Label> (fontType, juce::String());
    label->setJustificationType (juce::Justification::centredBottom);
    label->setBounds (0, y, getWidth(), height);
    label->addMouseListener (this, false);
    addAndMakeVisible (*label);
    return label;
}

void Knob::valueChanged (float value)
{
    if (value == getCurrentValue())
        return;

    MouseMovable::valueChanged (value);
    frameOffset = frameCount > 0 ? (int) (value * (float) (frameCount - 1)) * frameSize : 0;
    repaint();

    if (valueLabel != nullptr)
        valueLabel->setText (formatter (value), juce::dontSendNotification);
}

void Knob::mouseEnter (const juce::MouseEvent& e)
{
    hovering = true;
    recolour();
    MouseMovable::mouseEnter (e);
}

void Knob::mouseExit (const juce::MouseEvent& e)
{
    hovering = false;
    recolour();
    MouseMovable::mouseExit (e);
}

void Knob::enablementChanged()
{
    recolour();
    repaint();
}

void Knob::recolour()
{
    const bool enabled = isEnabled();

    if (nameLabel != nullptr)
        nameLabel->setTextColour (enabled ? Palette::lightText : Palette::dimText);

    if (valueLabel != nullptr)
        valueLabel->setTextColour (enabled ? (hovering ? Palette::highlight : Palette::valueText)
                                           : (hovering ? Palette::dimHighlight : Palette::dimText));
}

void Knob::paintOverChildren (juce::Graphics& g)
{
    const auto& source = isEnabled() ? strip : disabledStrip;

    if (! source.isValid())
        return;

    g.setColour (juce::Colours::black);
    g.drawImage (source, frameX, 0, frameSize, frameSize, 0, frameOffset, frameSize, frameSize);
}
