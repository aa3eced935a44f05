// A row of buttons: spacing within a group and between groups, in every orientation.

#include "GuiTestProcessor.h"
#include "gui/ButtonRow.h"

#include <Resources.h>
#include <gtest/gtest.h>

namespace
{
    struct Built
    {
        std::vector<juce::Rectangle<int>> buttons;
        juce::Rectangle<int> row;
    };

    // Three buttons in groups {0, 0, 1}: a 19 × 19 icon, the 19 × 12 steps icon and another 19 × 19.
    Built build (ControlEditor& editor, int orientation)
    {
        ButtonRow row (editor, orientation);
        row.setBounds (100, 50, 0, 0);
        std::vector<Button*> added {
            &row.addButton (true, Resources::icon_delete_png, Resources::icon_delete_pngSize, "a", 0),
            &row.addButton (false, Resources::icon_steps_png, Resources::icon_steps_pngSize, "b", 2),
            &row.addButton (true, Resources::icon_undo_png, Resources::icon_undo_pngSize, "c", 0),
        };

        Built built { {}, row.getBounds() };
        for (auto* b : added)
            built.buttons.push_back (b->getBounds());
        return built;
    }
}

TEST (ButtonRow, SpacesButtonsFourApartAndGroupsSixteen)
{
    GuiTestProcessor processor;
    auto editor = processor.openEditor();

    const auto down = build (*editor, ButtonRow::topToBottom);
    EXPECT_EQ (down.buttons, (std::vector<juce::Rectangle<int>> { { 0, 0, 19, 19 }, { 0, 23, 19, 12 }, { 0, 51, 19, 19 } }));
    EXPECT_EQ (down.row, juce::Rectangle<int> (100, 50, 19, 70));

    const auto across = build (*editor, ButtonRow::leftToRight);
    EXPECT_EQ (across.buttons, (std::vector<juce::Rectangle<int>> { { 0, 0, 19, 19 }, { 23, 0, 19, 12 }, { 58, 0, 19, 19 } }));
    EXPECT_EQ (across.row, juce::Rectangle<int> (100, 50, 77, 19));

    const auto keepingRight = build (*editor, ButtonRow::leftToRightKeepingRight);
    EXPECT_EQ (keepingRight.row, juce::Rectangle<int> (100 - 77, 50, 77, 19));
}
