#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The look and feel of the editor's menus and popup menus: dark, rounded, no drop shadow, the
// orange highlight, the product's tick image. Other widgets keep JUCE's default look and feel.
// Every font named "Verdana" that it is asked for comes from the embedded typeface.
class Layout : public juce::LookAndFeel_V1
{
public:
    Layout();

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;
    std::unique_ptr<juce::DropShadower> createDropShadowerForComponent (juce::Component&) override { return nullptr; }

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                            const juce::String& shortcutKeyText, const juce::Drawable* icon,
                            const juce::Colour* textColour) override;
    juce::Font getPopupMenuFont() override;
    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                    int& idealWidth, int& idealHeight) override;

    // A Menu draws its picture's current frame; its text is the framework label, drawn alike
    // enabled or disabled in the colour the menu gives it.
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                       int buttonW, int buttonH, juce::ComboBox&) override;
    juce::Label* createComboBoxTextBox (juce::ComboBox&) override;
    // The text of a combo box: inset by one pixel, the 11.4 font, never squeezed.
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

    const juce::Image& getTickImage() const noexcept { return tickImage; }

private:
    juce::Image tickImage;
    juce::DrawableImage tick;
};
