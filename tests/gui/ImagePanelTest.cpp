// The image controls: the panel, the about screen and the logo that shows it.

#include "GuiTestProcessor.h"
#include "gui/Splash.h"
#include "gui/SplashClickArea.h"

#include <Resources.h>
#include <gtest/gtest.h>

namespace
{
    struct ImageControls : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();

        juce::MouseEvent click (juce::Component& c) const
        {
            const auto now = juce::Time::getCurrentTime();
            return { juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                     &c, &c, now, {}, now, 1, false };
        }
    };
}

TEST_F (ImageControls, APanelTakesItsImagesSizeAndKeepsItsPosition)
{
    ImagePanel panel (*editor, Resources::tick_png, Resources::tick_pngSize, true);
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 10, 10));
    EXPECT_TRUE (panel.isOpaque());

    const char garbage[] = "not a picture";
    ImagePanel broken (*editor, garbage, (int) sizeof garbage, false);
    EXPECT_EQ (broken.getWidth(), 0);
    EXPECT_FALSE (broken.getImage().isValid());
}

TEST_F (ImageControls, TheLogoLightsUpUnderTheMouseAndAClickShowsTheAboutScreenUntilClickedAway)
{
    Splash splash (*editor);
    splash.setVisible (false);
    EXPECT_EQ (splash.getWidth(), 525);
    EXPECT_FALSE (splash.isOpaque());

    SplashClickArea logo (*editor, Resources::logo_product_highlight_png, Resources::logo_product_highlight_pngSize, splash);
    EXPECT_EQ (logo.getWidth(), 90);
    EXPECT_EQ (logo.getHeight(), 21);
    EXPECT_EQ (logo.getTip(), "Click for additional information.");

    const auto litPixels = [&] {
        const auto snapshot = logo.createComponentSnapshot (logo.getLocalBounds());
        int count = 0;
        for (int y = 0; y < snapshot.getHeight(); ++y)
            for (int x = 0; x < snapshot.getWidth(); ++x)
                count += snapshot.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;
        return count;
    };

    EXPECT_EQ (litPixels(), 0);
    logo.mouseEnter (click (logo));
    EXPECT_GT (litPixels(), 50);
    logo.mouseExit (click (logo));
    EXPECT_EQ (litPixels(), 0);

    logo.mouseUp (click (logo));
    EXPECT_TRUE (splash.isVisible());
    splash.mouseUp (click (splash));
    EXPECT_FALSE (splash.isVisible());
}
