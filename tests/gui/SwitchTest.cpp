// The ten-position picture switch.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/Switch.h"

#include <Resources.h>
#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    struct SwitchTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        Switch& picker = editor->addToBackground (std::make_unique<Switch> (*editor, GuiTestProcessor::tenSteps), 20, 16);
        std::vector<juce::String> log;
        LoggingControl& listener = editor->addToBackground (
            std::make_unique<LoggingControl> (*editor, GuiTestProcessor::tenSteps, log, "ten"), 0, 0);

        juce::MouseEvent at (int x, int y) { return mouseAt (picker, { x, y }, juce::ModifierKeys::leftButtonModifier); }
    };
}

TEST_F (SwitchTest, AClickPicksThePositionUnderThePointer)
{
    EXPECT_EQ (picker.getBounds(), juce::Rectangle<int> (20, 16, 16, 150));

    for (auto [y, position] : { std::pair { 14, 0 }, { 15, 1 }, { 149, 9 }, { 75, 5 }, { 0, 0 } })
    {
        picker.mouseUp (at (8, y));
        EXPECT_EQ (picker.getCurrentPosition(), position) << y;
        EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::tenSteps).step, position) << y;
    }
}

TEST_F (SwitchTest, ADragStepsOnlyWhenThePositionUnderThePointerChangesAndIgnoresTheOutside)
{
    for (int y : { 2, 8, 14, 15, 20, 29, 30, -1, 150, 31 })
        picker.mouseDrag (at (8, y));

    picker.mouseDrag (at (16, 100));   // right of the switch
    EXPECT_EQ (log, (std::vector<juce::String> { "ten 5 step 1", "ten 5 step 2" }));
}

TEST_F (SwitchTest, ShowsTheFrameOfTheStepThatComesBack)
{
    const auto strip = juce::ImageCache::getFromMemory (Resources::switch_png, Resources::switch_pngSize);
    editor->queueParameterStep (GuiTestProcessor::tenSteps, 3);
    editor->refresh();

    EXPECT_EQ (picker.getCurrentPosition(), 3);
    const auto snapshot = picker.createComponentSnapshot (picker.getLocalBounds());
    EXPECT_TRUE (samePixels (snapshot, { 0, 0 }, strip, { 48, 0 }, 16, 150));
}

TEST_F (SwitchTest, AStripItCannotUseGivesASwitchThatDrawsNothing)
{
    const char garbage[] = "not a picture";
    const auto notTenWide = png (155, 150);

    for (auto [data, size] : { std::pair<const void*, int> { garbage, (int) sizeof garbage },
                               { notTenWide.getData(), (int) notTenWide.getSize() } })
    {
        Switch broken (*editor, GuiTestProcessor::tenSteps, data, size);
        EXPECT_TRUE (broken.getBounds().isEmpty());
        broken.mouseUp (mouseAt (broken, { 0, 0 }));
        broken.stepChanged (4);
        EXPECT_TRUE (log.empty());
    }
}
