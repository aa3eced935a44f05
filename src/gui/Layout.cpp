#include "Layout.h"

#include "Font.h"
#include "Label.h"
#include "Menu.h"
#include "Palette.h"

#include <Resources.h>

Layout::Layout()
    : tickImage (juce::ImageCache::getFromMemory (Resources::tick_png, Resources::tick_pngSize))
{
    tick.setImage (tickImage);
    setColour (juce::PopupMenu::backgroundColourId, juce::Colours::transparentBlack);
    setColour (juce::PopupMenu::headerTextColourId, Palette::dimHighlight);
    setColour (juce::PopupMenu::textColourId, Palette::valueText);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, Palette::highlight.withAlpha (0.8f));
}

juce::Typeface::Ptr Layout::getTypefaceForFont (const juce::Font& font)
{
    if (font.getTypefaceName() == Font::typefaceName)
        return Font::embeddedTypeface (font.isBold());

    return juce::LookAndFeel_V1::getTypefaceForFont (font);
}

void Layout::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> outer (0.5f, 0.5f, (float) width - 1.0f, (float) height - 1.0f);
    g.setColour (juce::Colour (0xE6111111));
    g.fillRoundedRectangle (outer, 5.0f);
    g.setColour (juce::Colour (0xCC0A0A0A));
    g.drawRoundedRectangle ({ 1.5f, 1.5f, (float) width - 4.0f, (float) height - 4.0f }, 5.0f, 4.0f);
    g.setColour (Palette::lightText.withAlpha (0.9f));
    g.drawRoundedRectangle (outer, 5.0f, 0.5f);
}

void Layout::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                                bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                                const juce::String& shortcutKeyText, const juce::Drawable*,
                                const juce::Colour* textColour)
{
    if (isSeparator)
    {
        if (area.getWidth() - 1 > 1)
        {
            g.setColour (juce::Colour (0xE6737373));
            g.fillRect (1, 1, area.getWidth() - 2, 1);
        }
        return;
    }

    // JUCE's item, with the product's tick image standing in for JUCE's tick mark.
    juce::LookAndFeel_V2::drawPopupMenuItem (g, area, false, isActive, isHighlighted, false, hasSubMenu, text,
                                             shortcutKeyText, isTicked ? &tick : nullptr, textColour);
}

juce::Font Layout::getPopupMenuFont()
{
    return Font (2, juce::Font::plain);
}

void Layout::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                        int& idealWidth, int& idealHeight)
{
    if (isSeparator)
    {
        juce::LookAndFeel_V2::getIdealPopupMenuItemSize (text, true, standardMenuItemHeight, idealWidth, idealHeight);
        idealHeight = 3;
        return;
    }

    const auto font = getPopupMenuFont();
    idealWidth = (int) font.getStringWidthFloat (text) + (standardMenuItemHeight == -1 ? 11 : 32);
    idealHeight = juce::roundToInt (font.getHeight() * 1.3f);
}

void Layout::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                           int buttonW, int buttonH, juce::ComboBox& box)
{
    auto* menu = dynamic_cast<Menu*> (&box);

    if (menu == nullptr)
    {
        juce::LookAndFeel_V1::drawComboBox (g, width, height, isButtonDown, buttonX, buttonY, buttonW, buttonH, box);
        return;
    }

    if (menu->getImage().isValid())
        g.drawImage (menu->getImage(), 0, 0, width, height, 0, menu->getFrameOffset(), width, height);
}

juce::Label* Layout::createComboBoxTextBox (juce::ComboBox&)
{
    auto* label = new Label (1, {});
    label->setJustificationType (juce::Justification::centredLeft);
    return label;
}

void Layout::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (1, 1, box.getWidth() - 4, box.getHeight() - 2);
    label.setFont (Font (1, juce::Font::plain));

    if (label.getMinimumHorizontalScale() != 1.0f)
    {
        label.setMinimumHorizontalScale (1.0f);
        label.repaint();
    }
}
