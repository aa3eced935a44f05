// Texts that do not fit scroll over the ticks: rest at the start, move, rest at the end, start again.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/ScrollableText.h"

#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    struct ScrollableTextTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        ScrollableText text { *editor, " " };

        void SetUp() override { text.setBounds (0, 0, 162, 99); }

        // The drawn offset after each of n ticks.
        std::vector<int> offsets (int n)
        {
            std::vector<int> seen;
            for (int i = 0; i < n; ++i)
            {
                text.tick();
                seen.push_back (text.getDrawnOffset());
            }
            return seen;
        }

        juce::Image snapshot() { return text.createComponentSnapshot (text.getLocalBounds()); }
    };

    const juce::String longLine = "Snap to waveform grid when moving a point. You can hold SHIFT\nwhile moving a point.";
}

TEST_F (ScrollableTextTest, ATextThatFitsStaysAtItsStart)
{
    for (bool single : { true, false })
    {
        text.setSingleLine (single);
        text.setText ("Show wave 3.");
        EXPECT_FALSE (text.isScrolling());
        for (int offset : offsets (300))
            ASSERT_EQ (offset, 0);
    }
}

TEST_F (ScrollableTextTest, ALongLineRestsMovesThreePixelsATickRestsAtItsEndAndStartsAgain)
{
    text.setSingleLine (true);
    text.setText (longLine);
    EXPECT_EQ (text.getText(), longLine.replaceCharacter ('\n', ' '));
    ASSERT_TRUE (text.isScrolling());

    const auto atRest = snapshot();
    const auto seen = offsets (600);
    EXPECT_EQ (std::count (seen.begin(), seen.begin() + 40, 0), 33);   // offsets 97 ... 1 rest at the start
    EXPECT_EQ (seen[33], -2);
    EXPECT_EQ (seen[34], -5);

    const int end = *std::min_element (seen.begin(), seen.end());
    EXPECT_LT (end, 0);
    EXPECT_GT (std::count (seen.begin(), seen.end(), end), 45);   // and rests there about 2.5 s
    const auto restart = std::find (seen.begin() + 34, seen.end(), 0);
    EXPECT_NE (restart, seen.end());

    // Drawn where the offset says: two ticks past the rest, the picture has moved 2 pixels left.
    text.setText (longLine);
    offsets (34);
    EXPECT_TRUE (samePixels (snapshot(), { 0, 0 }, atRest, { 2, 0 }, 150, 20));
}

TEST_F (ScrollableTextTest, ALongBlockRestsMovesHalfAPixelATickAndStartsAgain)
{
    juce::String block;
    for (int i = 0; i < 12; ++i)
        block << "Line " << i << " of a block that needs more room\n";

    text.setText (block);
    ASSERT_TRUE (text.isScrolling());
    const auto atRest = snapshot();
    const auto seen = offsets (1000);

    EXPECT_EQ (std::count (seen.begin(), seen.begin() + 50, 0), 41);   // 20 pixels at half a pixel a tick
    EXPECT_EQ (seen[41], -1);
    EXPECT_EQ (seen[43], -2);
    const int end = *std::min_element (seen.begin(), seen.end());
    EXPECT_LT (end, 0);
    EXPECT_GT (std::count (seen.begin(), seen.end(), end), 55);   // about 3 s at the end
    EXPECT_NE (std::find (seen.begin() + 42, seen.end(), 0), seen.end());

    text.setText (block);
    offsets (44);
    EXPECT_TRUE (samePixels (snapshot(), { 0, 0 }, atRest, { 0, 2 }, 162, 90));
}
