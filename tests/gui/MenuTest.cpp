// The drop-down menu: its items and steps, its frames and its text colour.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/Menu.h"
#include "gui/Palette.h"

#include <Resources.h>
#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    struct MenuTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        std::vector<juce::String> log;
        LoggingControl& listener = editor->addToBackground (
            std::make_unique<LoggingControl> (*editor, GuiTestProcessor::tenSteps, log, "ten"), 0, 0);

        Menu& add (const void* data, int size, int frames)
        {
            auto& menu = editor->addToBackground (std::make_unique<Menu> (*editor, GuiTestProcessor::tenSteps, data, size, frames), 50, 50);
            menu.setLookAndFeel (&editor->getLayout());
            for (int i = 1; i <= 10; ++i)
                menu.addItem ("Item " + juce::String (i));
            return menu;
        }

        Menu& wide = add (Resources::menu_wide_png, Resources::menu_wide_pngSize, 4);
    };
}

TEST_F (MenuTest, AStepThatComesBackSelectsItsItemWithoutWritingBack)
{
    editor->refresh();   // the values handed over on opening
    log.clear();
    EXPECT_EQ (wide.getBounds(), juce::Rectangle<int> (50, 50, 84, 15));
    editor->queueParameterStep (GuiTestProcessor::tenSteps, 2);
    editor->refresh();

    EXPECT_EQ (wide.getSelectedId(), 3);
    EXPECT_EQ (wide.getText(), "Item 3");
    EXPECT_EQ (log, std::vector<juce::String> { "ten 5 step 2" });
    EXPECT_FLOAT_EQ (processor.getParameters()[GuiTestProcessor::tenSteps]->getValue(), 0.0f);
}

TEST_F (MenuTest, AStepThatArrivesBeforeItsItemShowsTheItemOnceAdded)
{
    Menu late (*editor, GuiTestProcessor::tenSteps, Resources::menu_wave_png, Resources::menu_wave_pngSize, 2);
    late.stepChanged (1);
    late.addItem ("first");
    EXPECT_EQ (late.getText(), "");
    late.addItem ("second");
    EXPECT_EQ (late.getText(), "second");
    EXPECT_TRUE (log.empty());
}

TEST_F (MenuTest, PickingAnItemWritesItsStep)
{
    wide.setSelectedId (5, juce::sendNotificationSync);
    EXPECT_EQ (log, std::vector<juce::String> { "ten 5 step 4" });
    EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::tenSteps).step, 4);
}

TEST_F (MenuTest, TheFrameFollowsHoverAndEnablementAndTheTextDimsWhenDisabled)
{
    auto& narrowWave = add (Resources::menu_wave_png, Resources::menu_wave_pngSize, 2);

    struct Case
    {
        Menu* menu;
        bool enabled, hovered;
        int frame;
    };

    for (const auto& c : { Case { &wide, true, false, 0 }, Case { &wide, true, true, 1 }, Case { &wide, false, false, 2 },
                           Case { &wide, false, true, 3 }, Case { &narrowWave, false, false, 0 },
                           Case { &narrowWave, false, true, 1 } })
    {
        auto& menu = *c.menu;
        menu.setEnabled (c.enabled);
        c.hovered ? menu.mouseEnter (mouseAt (menu, { 3, 3 })) : menu.mouseExit (mouseAt (menu, { 3, 3 }));

        EXPECT_EQ (menu.getFrameIndex(), c.frame) << c.enabled << c.hovered;
        const int h = menu.getHeight();
        const auto snapshot = menu.createComponentSnapshot (menu.getLocalBounds());
        // The right end holds no text: there the frame shows as it is in the strip.
        EXPECT_TRUE (samePixels (snapshot, { menu.getWidth() - 12, 0 }, menu.getImage(), { menu.getWidth() - 12, c.frame * h }, 12, h))
            << c.enabled << c.hovered;
        EXPECT_EQ (menu.findColour (juce::ComboBox::textColourId), c.enabled ? Palette::lightText : Palette::dimText);
    }
}

TEST_F (MenuTest, ADisabledMenuDrawsItsTextInTheDimColourAtFullStrength)
{
    wide.setSelectedId (1, juce::dontSendNotification);
    editor->getBackground().setEnabled (false);
    EXPECT_EQ (wide.getFrameIndex(), 2);   // the parent's enablement counts

    // The text's brightest pixels reach the dim colour: JUCE's own label would draw it at half strength.
    const auto snapshot = wide.createComponentSnapshot (wide.getLocalBounds());
    int brightest = 0;
    for (int y = 0; y < snapshot.getHeight(); ++y)
        for (int x = 0; x < 40; ++x)
            brightest = juce::jmax (brightest, (int) snapshot.getPixelAt (x, y).getRed());

    EXPECT_GE (brightest, Palette::dimText.getRed() - 8);
    EXPECT_LE (brightest, Palette::dimText.getRed());
}

TEST_F (MenuTest, AStripItCannotUseGivesAMenuOfNoSizeThatDrawsNoFrame)
{
    const char garbage[] = "not a picture";
    const auto oddHeight = png (84, 61);

    for (auto [data, size, frames] : { std::tuple<const void*, int, int> { garbage, (int) sizeof garbage, 4 },
                                       { oddHeight.getData(), (int) oddHeight.getSize(), 4 },
                                       { oddHeight.getData(), (int) oddHeight.getSize(), 0 } })
    {
        Menu broken (*editor, GuiTestProcessor::tenSteps, data, size, frames);
        broken.setLookAndFeel (&editor->getLayout());
        broken.mouseEnter (mouseAt (broken, { 1, 1 }));
        broken.setEnabled (false);
        EXPECT_TRUE (broken.getBounds().isEmpty());
        EXPECT_EQ (broken.getFrameOffset(), 0);
        broken.setLookAndFeel (nullptr);
    }
}
