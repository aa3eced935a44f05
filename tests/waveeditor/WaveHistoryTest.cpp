// The undo history of one wave and the copy buffer.

#include "waveeditor/WaveHistory.h"

#include <gtest/gtest.h>

namespace
{
    struct WaveHistoryTest : testing::Test
    {
        WaveState state;
        WaveSnapshot& points = state.waves[0];
        WaveHistory history { state, 0 };

        void addPoint (int slot, int x, float y)
        {
            points.x[(size_t) slot] = x;
            points.y[(size_t) slot] = y;
            points.type[(size_t) slot] = 1;
        }

        // One edit as the curve editor makes it: a record before and after the change.
        void edit (int slot, int x, float y)
        {
            history.record();
            addPoint (slot, x, y);
            history.record();
        }

        // The curve editor's undo and redo: a record, then the restore written back into the mirror.
        bool restore (std::optional<WaveSnapshot> snapshot)
        {
            if (snapshot)
                points = *snapshot;
            return snapshot.has_value();
        }

        bool undo() { history.record(); return restore (history.undo()); }
        bool redo() { history.record(); return restore (history.redo()); }
    };
}

TEST_F (WaveHistoryTest, OneEditIsUndoneAndRedoneInOneStep)
{
    edit (0, 1000, 0.25f);

    ASSERT_TRUE (undo());
    EXPECT_EQ (points.type[0], 0);
    ASSERT_TRUE (redo());
    EXPECT_EQ (points.type[0], 1);
    EXPECT_EQ (points.x[0], 1000);
    EXPECT_FALSE (redo());
}

TEST_F (WaveHistoryTest, AFreshHistoryHasNothingToUndoOrRedo)
{
    EXPECT_FALSE (undo());
    EXPECT_FALSE (redo());
    EXPECT_STREQ (WaveHistory::noEditToUndo, "There is no edit to undo.");
    EXPECT_STREQ (WaveHistory::noEditToRedo, "There is no edit to redo.");
}

TEST_F (WaveHistoryTest, ANewEditAfterAnUndoDropsTheRedoEntries)
{
    edit (0, 1000, 0.25f);
    edit (1, 2000, 0.75f);
    ASSERT_TRUE (undo());
    edit (2, 3000, 0.5f);

    EXPECT_FALSE (redo());
    ASSERT_TRUE (undo());
    EXPECT_EQ (points.type[1], 0);
    EXPECT_EQ (points.type[2], 0);
    EXPECT_EQ (points.type[0], 1);
}

TEST_F (WaveHistoryTest, ChangesFromElsewhereBecomeAStepOfTheirOwn)
{
    edit (0, 1000, 0.25f);
    points.y[0] = 0.5f;   // host automation, no record

    ASSERT_TRUE (undo());
    EXPECT_EQ (points.y[0], 0.25f);
    ASSERT_TRUE (undo());
    EXPECT_EQ (points.type[0], 0);
}

TEST_F (WaveHistoryTest, ValuesWithinAMillionthAreTheSamePoints)
{
    for (auto [difference, undoable] : { std::pair (1.0e-7f, false), std::pair (1.0e-5f, true) })
    {
        SCOPED_TRACE (difference);
        points = {};
        state.requestHistoryClear();

        addPoint (0, 1000, 0.5f);
        history.record();
        points.y[0] += difference;
        EXPECT_EQ (undo(), undoable);
    }
}

TEST_F (WaveHistoryTest, AProgramLoadEmptiesTheHistory)
{
    edit (0, 1000, 0.25f);
    state.requestHistoryClear();

    EXPECT_FALSE (undo());
    EXPECT_EQ (points.type[0], 1);
}

TEST_F (WaveHistoryTest, PasteGivesTheCopiedWaveInAllSlots)
{
    EXPECT_FALSE (history.paste());

    addPoint (0, 1000, 0.25f);
    points.x[39] = 77;   // an empty slot keeps its values too
    points.y[39] = 0.125f;
    history.copy();
    points = {};

    const auto pasted = WaveHistory (state, 1).paste();
    ASSERT_TRUE (pasted);
    EXPECT_EQ (pasted->x[0], 1000);
    EXPECT_EQ (pasted->type[0], 1);
    EXPECT_EQ (pasted->x[39], 77);
    EXPECT_EQ (pasted->y[39], 0.125f);
    EXPECT_EQ (pasted->type[39], 0);
}
