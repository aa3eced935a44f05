// The film-strip knob: its frame, its labels and their colours, and strips it cannot use.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/Knob.h"
#include "gui/Label.h"
#include "gui/Palette.h"

#include <Resources.h>
#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    int formatted = 0;

    juce::String countingFormatter (float v)
    {
        ++formatted;
        return formatPercent (v);
    }

    struct KnobTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        Knob& knob = editor->addToBackground (
            std::make_unique<Knob> (*editor, GuiTestProcessor::continuous, Resources::knob_png, Resources::knob_pngSize,
                                    Resources::knob_disabled_png, Resources::knob_disabled_pngSize, 0.5f), 10, 10);
        juce::Image strip = juce::ImageCache::getFromMemory (Resources::knob_png, Resources::knob_pngSize);
        juce::Image disabledStrip = juce::ImageCache::getFromMemory (Resources::knob_disabled_png, Resources::knob_disabled_pngSize);

        void set (float v) { editor->setParameterValue (GuiTestProcessor::continuous, v); }

        // The drawn frame is the strip's frame, pixel for pixel.
        bool shows (const juce::Image& source, int frame)
        {
            const auto snapshot = knob.createComponentSnapshot (knob.getLocalBounds());
            return samePixels (snapshot, { 6, 0 }, source, { 0, frame * 36 }, 36, 36);
        }

        juce::Colour valueColour() const { return knob.getValueLabel()->findColour (juce::Label::textColourId); }
    };
}

TEST_F (KnobTest, TakesItsSizeFromTheStripAndDrawsTheFrameOfTheValue)
{
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (10, 10, 47, 57));
    EXPECT_EQ (knob.getFrameCount(), 121);

    for (auto [value, frame] : { std::pair { 0.0f, 0 }, { 1.0f, 120 }, { 0.5f, 60 }, { 0.9999f, 119 }, { 0.25f, 30 } })
    {
        set (value);
        EXPECT_EQ (knob.getFrameIndex(), frame) << value;
        EXPECT_TRUE (shows (strip, frame)) << value;
    }
}

TEST_F (KnobTest, ARepeatedValueIsNotFormattedAgain)
{
    knob.setValueLabel (countingFormatter);
    set (0.42f);
    const int calls = formatted;
    set (0.42f);
    editor->queueParameterValue (GuiTestProcessor::continuous, 0.42f);
    editor->refresh();
    EXPECT_EQ (formatted, calls);
    EXPECT_EQ (knob.getValueLabel()->getText(), "42%");
    set (0.43f);
    EXPECT_EQ (formatted, calls + 1);
}

TEST_F (KnobTest, LabelsSitUnderTheFrameAndTheValueTextFollowsTheValue)
{
    knob.setNameLabel ("Mix");
    knob.setValueLabel (formatPercent);
    knob.setNameLabel ("Wet");
    set (0.25f);

    EXPECT_EQ (knob.getNameLabel()->getText(), "Wet");
    EXPECT_EQ (knob.getNameLabel()->getBounds(), juce::Rectangle<int> (0, 36, 47, 11));
    EXPECT_EQ (knob.getValueLabel()->getBounds(), juce::Rectangle<int> (0, 47, 47, 10));
    EXPECT_EQ (knob.getValueLabel()->getText(), "25%");

    knob.mouseDoubleClick (mouseAt (knob, { 5, 5 }));
    EXPECT_EQ (knob.getValueLabel()->getText(), "50%");   // reset to the default
}

TEST_F (KnobTest, ValueColoursFollowHoverAndEnablement)
{
    knob.setNameLabel ("Mix");
    knob.setValueLabel (formatPercent);

    struct Case
    {
        bool enabled, hovered;
        juce::Colour value, name;
    };

    for (const auto& c : { Case { true, false, Palette::valueText, Palette::lightText },
                           Case { true, true, Palette::highlight, Palette::lightText },
                           Case { false, false, Palette::dimText, Palette::dimText },
                           Case { false, true, Palette::dimHighlight, Palette::dimText } })
    {
        knob.setEnabled (c.enabled);
        if (c.hovered)
            knob.mouseEnter (mouseAt (knob, { 20, 20 }));
        else
            knob.mouseExit (mouseAt (knob, { 20, 20 }));

        EXPECT_EQ (valueColour(), c.value) << c.enabled << c.hovered;
        EXPECT_EQ (knob.getNameLabel()->findColour (juce::Label::textColourId), c.name) << c.enabled << c.hovered;
    }
}

TEST_F (KnobTest, DisabledByItsParentItDrawsTheGreyStrip)
{
    set (1.0f);
    editor->getBackground().setEnabled (false);
    EXPECT_TRUE (shows (disabledStrip, 120));
    editor->getBackground().setEnabled (true);
    EXPECT_TRUE (shows (strip, 120));
}

TEST_F (KnobTest, AStripItCannotUseGivesAKnobThatDrawsNothing)
{
    const char garbage[] = "not a picture";
    const auto notSquare = png (36, 100);   // not a whole number of 36 × 36 frames

    for (auto [data, size] : { std::pair<const void*, int> { garbage, (int) sizeof garbage },
                               { notSquare.getData(), (int) notSquare.getSize() } })
    {
        Knob broken (*editor, GuiTestProcessor::continuous, data, size, nullptr, 0, 0.5f);
        broken.setValueLabel (formatPercent);
        broken.valueChanged (1.0f);
        EXPECT_EQ (broken.getFrameCount(), 0);
        EXPECT_TRUE (broken.getBounds().isEmpty());
        EXPECT_EQ (broken.getFrameIndex(), 0);
    }

    // A grey strip that does not match the knob's is left out: disabled, the knob draws no frame.
    const auto small = png (20, 40);
    Knob knobWithOddGreyStrip (*editor, GuiTestProcessor::continuous, Resources::knob_png, Resources::knob_pngSize,
                               small.getData(), (int) small.getSize(), 0.5f);
    knobWithOddGreyStrip.setEnabled (false);
    const auto snapshot = knobWithOddGreyStrip.createComponentSnapshot (knobWithOddGreyStrip.getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (24, 18).getAlpha(), 0);
}
