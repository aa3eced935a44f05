// The factories: each control placed, tipped, on the background and bound to its parameter.

#include "GuiTestProcessor.h"
#include "gui/Button.h"
#include "gui/ButtonWithParameter.h"
#include "gui/Knob.h"
#include "gui/Label.h"
#include "gui/Menu.h"

#include <Resources.h>
#include <gtest/gtest.h>

namespace
{
    struct Factories : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();

        const ParameterRecord& record (int index) { return *processor.getParameterRecord (index); }
        bool onBackground (juce::Component& c) { return c.getParentComponent() == &editor->getBackground() && c.isVisible(); }
    };
}

TEST_F (Factories, AKnobSitsUpAndLeftOfItsPointWithItsNameValueAndTip)
{
    auto& knob = editor->addKnob (record (GuiTestProcessor::continuous), "Mix", 415, 213, formatPercent, "the mix", 1.0f);
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (406, 211, 47, 57));
    EXPECT_TRUE (onBackground (knob));
    EXPECT_EQ (knob.getNameLabel()->getText(), "Mix");
    EXPECT_EQ (knob.getTip(), "the mix");

    editor->queueParameterValue (GuiTestProcessor::continuous, 0.37f);
    editor->refresh();
    EXPECT_EQ (knob.getValueLabel()->getText(), "37%");
    knob.resetToDefault();
    EXPECT_EQ (knob.getValueLabel()->getText(), "100%");

    auto& unnamed = editor->addKnob (record (GuiTestProcessor::other), {}, 460, 35, formatLfoRate, {}, 0.5f);
    EXPECT_EQ (unnamed.getNameLabel(), nullptr);
    EXPECT_FALSE (unnamed.hasTip());
    EXPECT_EQ (unnamed.getValueLabel()->getText(), "0.020Hz");
}

TEST_F (Factories, AMenuShowsItsFirstItemInTheEditorsLookAndFeel)
{
    auto& menu = editor->addMenu (record (GuiTestProcessor::tenSteps), 371, 34, Resources::menu_wave_png,
                                  Resources::menu_wave_pngSize, 2, "waves");
    menu.addItem ("Wave 1");
    menu.addItem ("Wave 2");
    EXPECT_EQ (menu.getBounds(), juce::Rectangle<int> (371, 34, 60, 15));
    EXPECT_EQ (&menu.getLookAndFeel(), &editor->getLayout());
    EXPECT_EQ (menu.getSelectedId(), 1);
    EXPECT_EQ (menu.getText(), "Wave 1");
    EXPECT_TRUE (onBackground (menu));
    EXPECT_EQ (menu.getTip(), "waves");

    editor->queueParameterStep (GuiTestProcessor::tenSteps, 1);
    editor->refresh();
    EXPECT_EQ (menu.getText(), "Wave 2");
}

TEST_F (Factories, TheZoomIconAndTheShowWaveButtonHaveTheirPlaces)
{
    auto& zoom = editor->addButtonWithParameter (GuiTestProcessor::continuous, 0.25f, "zoom");
    EXPECT_EQ (zoom.getBounds(), juce::Rectangle<int> (307, 16, 19, 19));
    EXPECT_EQ (zoom.getFace().getBounds(), zoom.getLocalBounds());
    EXPECT_TRUE (onBackground (zoom));
    zoom.resetToDefault();
    EXPECT_EQ (zoom.getCurrentValue(), 0.25f);

    auto& showWave = editor->addButton();
    EXPECT_EQ (showWave.getBounds(), juce::Rectangle<int> (435, 34, 17, 16));
    EXPECT_EQ (showWave.getTip(), "Show current wave in waveform editor.");
    EXPECT_TRUE (onBackground (showWave));
}
