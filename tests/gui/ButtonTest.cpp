// Picture buttons: their faces by style, their action lists, and strips they cannot use.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/Button.h"
#include "gui/Palette.h"

#include <Resources.h>
#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    struct ClickableButton : Button
    {
        using Button::Button;
        using Button::clicked;
    };

    struct ButtonTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        juce::Image icon = juce::ImageCache::getFromMemory (Resources::icon_delete_png, Resources::icon_delete_pngSize);

        juce::Point<int> pixelWhere (bool opaque) const
        {
            for (int y = 0; y < icon.getHeight(); ++y)
                for (int x = 0; x < icon.getWidth(); ++x)
                    if ((icon.getPixelAt (x, y).getAlpha() == 255) == opaque)
                        return { x, y };
            return {};
        }

        static juce::Colour drawn (Button& b, juce::Point<int> at)
        {
            return b.createComponentSnapshot (b.getLocalBounds()).getPixelAt (at.x, at.y);
        }
    };
}

TEST_F (ButtonTest, AClickRunsTheActionsAndAShiftClickTheShiftActionsOrTheActionsWhenNoneWasGiven)
{
    ClickableButton button (*editor, Resources::icon_earlier_png, Resources::icon_earlier_pngSize, 0);
    std::vector<juce::String> ran;
    button.addAction ([&] { ran.push_back ("a"); });
    button.addAction ([&] { ran.push_back ("b"); }, [&] { ran.push_back ("shift b"); });
    button.addAction ({});   // left out: it would throw on the click

    button.clicked (juce::ModifierKeys());
    button.clicked (juce::ModifierKeys (juce::ModifierKeys::shiftModifier));
    EXPECT_EQ (ran, (std::vector<juce::String> { "a", "b", "a", "shift b" }));
}

TEST_F (ButtonTest, IconFacesAreTheShapeInGreyAndOrangeWhenOn)
{
    const auto glyph = pixelWhere (true), empty = pixelWhere (false);

    ClickableButton plain (*editor, Resources::icon_delete_png, Resources::icon_delete_pngSize, 0);
    EXPECT_EQ (plain.getBounds(), juce::Rectangle<int> (0, 0, 19, 19));
    EXPECT_EQ (drawn (plain, glyph), juce::Colour (0xFFA8A8A8));
    EXPECT_EQ (drawn (plain, empty).getAlpha(), 0);
    EXPECT_FALSE (plain.getClickingTogglesState());

    ClickableButton toggle (*editor, Resources::icon_delete_png, Resources::icon_delete_pngSize, 1);
    EXPECT_TRUE (toggle.getClickingTogglesState());
    toggle.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (drawn (toggle, glyph), Palette::highlight);
    toggle.setToggleState (false, juce::dontSendNotification);
    EXPECT_EQ (drawn (toggle, glyph), juce::Colour (0xFFA8A8A8));
}

TEST_F (ButtonTest, PictureFacesAreCutFromTheStrip)
{
    const auto strip = juce::ImageCache::getFromMemory (Resources::button_show_wave_png, Resources::button_show_wave_pngSize);
    ClickableButton button (*editor, Resources::button_show_wave_png, Resources::button_show_wave_pngSize, 4);
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (0, 0, 17, 16));
    EXPECT_TRUE (samePixels (button.createComponentSnapshot (button.getLocalBounds()), {}, strip, {}, 17, 16));

    // Style 5 toggles between its two frames.
    const auto ok = juce::ImageCache::getFromMemory (Resources::button_ok_png, Resources::button_ok_pngSize);
    ClickableButton onOff (*editor, Resources::button_ok_png, Resources::button_ok_pngSize, 5);
    onOff.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (samePixels (onOff.createComponentSnapshot (onOff.getLocalBounds()), {}, ok, { 0, 19 }, 54, 19));
}

TEST_F (ButtonTest, StylesHaveTheirFrameCounts)
{
    const int frames[] = { 1, 1, 2, 2, 3, 2, 4 };
    for (int style = 0; style < 7; ++style)
        EXPECT_EQ (Button::frameCountOf (style), frames[style]) << style;
}

TEST_F (ButtonTest, AStripItCannotUseGivesAButtonOfNoSize)
{
    const char garbage[] = "not a picture";
    const auto oddHeight = png (20, 31);

    for (auto [data, size, style] : { std::tuple<const void*, int, int> { garbage, (int) sizeof garbage, 0 },
                                      { oddHeight.getData(), (int) oddHeight.getSize(), 6 } })
    {
        ClickableButton broken (*editor, data, size, style);
        EXPECT_TRUE (broken.getBounds().isEmpty());
    }
}

TEST_F (ButtonTest, AToggleFollowingAStateTakesItFromItsTwoEventsWithoutRunningItsActions)
{
    constexpr int onKind = 57, offKind = 58, otherKind = 55;
    ClickableButton toggle (*editor, Resources::icon_snap_png, Resources::icon_snap_pngSize, 1);
    int runs = 0;
    toggle.addAction ([&] { ++runs; });
    toggle.followState (onKind, offKind);

    const std::pair<int, bool> events[] = { { onKind, true }, { otherKind, true }, { offKind, false }, { otherKind, false } };
    for (auto [kind, on] : events)
    {
        toggle.postAction (kind);
        editor->getGuiDispatcher().deliverQueued();
        EXPECT_EQ (toggle.getToggleState(), on) << kind;
    }

    EXPECT_EQ (runs, 0);
}
