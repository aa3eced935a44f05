// The framework's label: fixed defaults, and enabling it changes nothing by itself.

#include "gui/Font.h"
#include "gui/Label.h"

#include <gtest/gtest.h>

TEST (Label, TakesTheFontOfItsTypeBottomLeftWithoutBorderOrSqueezing)
{
    Label label (4, "Speed");
    EXPECT_EQ (label.getText(), "Speed");
    EXPECT_TRUE (label.getName().isEmpty());
    EXPECT_EQ (label.getFont().getTypefacePtr(), Font::embeddedTypeface (false));
    EXPECT_FLOAT_EQ (label.getFont().getHeight(), 14.8f);
    EXPECT_EQ (label.getJustificationType(), juce::Justification (juce::Justification::bottomLeft));
    EXPECT_EQ (label.getMinimumHorizontalScale(), 1.0f);
    EXPECT_EQ (label.getBorderSize(), juce::BorderSize<int> (0));
}

TEST (Label, IsDrawnTheSameEnabledOrDisabled)
{
    Label label (1, "Mix");
    label.setSize (40, 14);
    label.setTextColour (juce::Colour (0xFFF5F5F5));
    const auto enabled = label.createComponentSnapshot (label.getLocalBounds());
    label.setEnabled (false);
    const auto disabled = label.createComponentSnapshot (label.getLocalBounds());

    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ (enabled.getPixelAt (x, y).getARGB(), disabled.getPixelAt (x, y).getARGB()) << x << ", " << y;
}
