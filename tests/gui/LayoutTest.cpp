// The look and feel of menus and popup menus, and the fonts it serves.

#include "gui/Font.h"
#include "gui/Layout.h"
#include "gui/Palette.h"

#include <gtest/gtest.h>

namespace
{
    bool containsColour (const juce::Image& image, juce::Colour colour)
    {
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getARGB() == colour.getARGB())
                    return true;
        return false;
    }

    juce::Image drawItem (Layout& layout, bool ticked)
    {
        juce::Image image (juce::Image::ARGB, 120, 18, true);
        juce::Graphics g (image);
        layout.drawPopupMenuItem (g, image.getBounds(), false, true, false, ticked, false, "Wave 1", {}, nullptr, nullptr);
        return image;
    }
}

TEST (Layout, PopupItemsAreEighteenHighAndAsWideAsTheirTextPlusTheMargin)
{
    Layout layout;
    const auto font = layout.getPopupMenuFont();
    EXPECT_FLOAT_EQ (font.getHeight(), 13.8f);

    int width = 0, height = 0;
    layout.getIdealPopupMenuItemSize ("Beat Synced", false, -1, width, height);
    EXPECT_EQ (height, 18);
    EXPECT_EQ (width, (int) font.getStringWidthFloat ("Beat Synced") + 11);

    layout.getIdealPopupMenuItemSize ("Beat Synced", false, 20, width, height);
    EXPECT_EQ (width, (int) font.getStringWidthFloat ("Beat Synced") + 32);

    layout.getIdealPopupMenuItemSize ({}, true, -1, width, height);
    EXPECT_EQ (height, 3);
}

TEST (Layout, ATickedItemShowsTheTickImageNotJucesTickMark)
{
    Layout layout;
    EXPECT_EQ (layout.getTickImage().getBounds(), juce::Rectangle<int> (0, 0, 10, 10));

    // The tick image's stroke is the only place the orange highlight appears, fully opaque.
    EXPECT_TRUE (containsColour (drawItem (layout, true), Palette::highlight));
    EXPECT_FALSE (containsColour (drawItem (layout, false), Palette::highlight));
}

TEST (Layout, AnyVerdanaItIsAskedForComesFromTheEmbeddedFace)
{
    Layout layout;
    for (int style : { juce::Font::plain, juce::Font::bold })
    {
        const juce::Font verdana ("Verdana", 12.0f, style);
        EXPECT_EQ (layout.getTypefaceForFont (verdana), Font::embeddedTypeface (style == juce::Font::bold));
    }
    EXPECT_EQ (Font::embeddedTypeface (false)->getName(), "DejaVu Sans");
    EXPECT_EQ (Font::embeddedTypeface (true)->getStyle(), "Bold");
}

TEST (Font, HeightsByType)
{
    const std::pair<int, float> heights[] = { { 0, 10.0f }, { 1, 11.4f }, { 2, 13.8f }, { 3, 13.8f },
                                              { 4, 14.8f }, { 5, 12.8f }, { 6, 10.0f }, { 7, 10.0f }, { -1, 10.0f } };
    for (auto [type, height] : heights)
        EXPECT_EQ (Font (type, juce::Font::plain).get().getHeight(), height) << type;
}

TEST (Font, MeasuresWithTheEmbeddedFacesMetricsWhateverTheSystemHas)
{
    // The same face, read straight from Debian's file, measures the same text to the same width.
    juce::MemoryBlock data;
    ASSERT_TRUE (juce::File ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf").loadFileAsData (data));
    const auto reference = juce::Font (juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize())).withHeight (14.8f);
    const Font font (4, juce::Font::plain);

    const juce::String text = "Hertz Retrig. 1/8d (3/16)";
    EXPECT_EQ (font.get().getTypefacePtr()->getName(), "DejaVu Sans");
    EXPECT_FLOAT_EQ (font.get().getStringWidthFloat (text), reference.getStringWidthFloat (text));
    EXPECT_FLOAT_EQ (font.get().getAscent(), reference.getAscent());
}

TEST (Font, BoldAndUnderlinedAreKept)
{
    const Font font (1, juce::Font::bold | juce::Font::underlined);
    EXPECT_EQ (font.get().getTypefacePtr(), Font::embeddedTypeface (true));
    EXPECT_TRUE (font.get().isUnderlined());
    EXPECT_FLOAT_EQ (font.get().getHeight(), 11.4f);
}

TEST (Layout, AComboBoxesTextSitsInsetWithTheSmallFontAndIsNeverSqueezed)
{
    Layout layout;
    juce::ComboBox box;
    box.setSize (84, 15);
    juce::Label text;
    text.setMinimumHorizontalScale (0.5f);
    layout.positionComboBoxText (box, text);

    EXPECT_EQ (text.getBounds(), juce::Rectangle<int> (1, 1, 80, 13));
    EXPECT_FLOAT_EQ (text.getFont().getHeight(), 11.4f);
    EXPECT_EQ (text.getMinimumHorizontalScale(), 1.0f);
}
