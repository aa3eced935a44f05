// Selecting points in the curve editor and what the commands do to them: the rubber band, the
// selection's body and handles, the command table, the popup's items and their undo steps.

#include "WaveControlTesting.h"
#include "../gui/ControlTesting.h"

#include "events/EventKinds.h"
#include "waveeditor/ResizeHandle.h"
#include "waveeditor/Selection.h"
#include "waveeditor/WaveHistory.h"
#include "waveeditor/WaveTransforms.h"

#include <gtest/gtest.h>

namespace juce
{
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

using namespace WaveControlTesting;

namespace
{
    struct WaveControlSelection : testing::Test
    {
        WaveControlSelection()
        {
            rig.editor->setPointer (std::make_unique<RecordingPointer>());
            rig.clearWave (0);
            rig.settle();
        }

        // The product's layout is transposed: a pixel is (value, time).
        juce::Point<int> pixelOf (int slot)
        {
            return { (int) view.valueOf (points().y[(size_t) slot]), (int) view.timeOf (points().x[(size_t) slot]) };
        }

        const WaveSnapshot& points() { return rig.waveState().waves[0]; }
        int usedPoints() { return (int) WaveTransforms::usedSlots (points()).size(); }

        void addPoints (std::initializer_list<std::pair<int, float>> xy)
        {
            int slot = 0;
            for (const auto& [x, y] : xy)
                view.setPoint (0, slot++, x, y, 1);
        }

        // Lets the fit animation run on JUCE's message loop until the selection settles: each
        // step waits for the next message (the animator's and the editor's timers keep posting).
        bool settles()
        {
            for (int i = 0; i < 2000; ++i)
            {
                if (auto* s = view.getSelection(); s != nullptr && s->areHandlesShown())
                    return true;
                juce::dispatchNextMessageOnSystemQueue (false);
            }
            return false;
        }

        void band (juce::Point<int> from, juce::Point<int> to)
        {
            mouse.press (from, Mouse::left | Mouse::shift);
            mouse.drag (to, Mouse::left | Mouse::shift);
            mouse.release (to, Mouse::left | Mouse::shift);
        }

        Rig rig;
        WaveControl& view = *rig.view;
        Mouse mouse { view };
    };
}

TEST_F (WaveControlSelection, ARubberBandVanishesWhenItIsNoBiggerThanAHandleOrHoldsFewerThanTwoPoints)
{
    addPoints ({ { 2048, 0.5f }, { 2060, 0.5f }, { 6000, 0.2f } });
    const auto pair = pixelOf (0);

    band (pair + juce::Point<int> { 2, 3 }, pair + juce::Point<int> { 2, 3 });
    EXPECT_EQ (view.getSelection(), nullptr) << "a band of 9 x 9 around two points";

    band ({ 100, 300 }, { 105, 305 });
    EXPECT_EQ (view.getSelection(), nullptr) << "dragged 5 px by 5 px over nothing";

    const auto single = pixelOf (2);
    band (single - juce::Point<int> { 20, 20 }, single + juce::Point<int> { 20, 20 });
    EXPECT_EQ (view.getSelection(), nullptr) << "around one point";
}

TEST_F (WaveControlSelection, ABandAroundTwoPointsAnimatesToTheirBoundsPlusTwelveAndBecomesOneUndoStep)
{
    addPoints ({ { 2048, 0.5f }, { 4096, 0.25f }, { 7000, 0.9f } });
    const auto a = pixelOf (0), b = pixelOf (1);
    band ({ a.x - 20, a.y - 20 }, { b.x + 20, b.y + 20 });

    ASSERT_NE (view.getSelection(), nullptr);
    EXPECT_EQ (view.selectedPoints(), (std::vector<int> { 0, 1 }));
    ASSERT_TRUE (settles());
    const auto expected = juce::Rectangle<int>::leftTopRightBottom (a.x, a.y, b.x, b.y).expanded (12);
    EXPECT_EQ (view.getSelection()->getBounds(), expected);
    EXPECT_EQ (view.getSelection()->getBounds().getX(), juce::jmin (a.x, b.x) - 12);

    const auto before = points();
    view.modify (WaveModifier::ValueUp);
    view.modify (WaveModifier::Undo);
    EXPECT_TRUE (WaveHistory::equal (points(), before));
}

TEST_F (WaveControlSelection, AltDragMovesOnlyInTimeAndAltShiftDragOnlyInValue)
{
    addPoints ({ { 2048, 0.5f }, { 4096, 0.25f } });
    struct Case { int mods; bool timeMoves, valueMoves; };

    for (const auto& c : { Case { Mouse::alt, true, false }, Case { Mouse::alt | Mouse::shift, false, true },
                           Case { 0, true, true } })
    {
        view.selectAllPoints (0);
        auto& selection = *view.getSelection();
        const auto before = pixelOf (0);
        const auto apart = points().x[1] - points().x[0];
        Mouse body { selection };
        const auto centre = selection.getLocalBounds().getCentre();

        // The points are written from their pixels: compare pixels, (value, time).
        body.press (centre, Mouse::left | c.mods);
        body.drag (centre + juce::Point<int> { 20, 30 }, Mouse::left | c.mods);
        // Written back from a pixel, a time may land one pixel early.
        EXPECT_EQ (std::abs (pixelOf (0).y - before.y) > 1, c.timeMoves) << c.mods;
        EXPECT_EQ (std::abs (pixelOf (0).x - before.x) > 1, c.valueMoves) << c.mods;
        EXPECT_NEAR (points().x[1] - points().x[0], apart, 15) << "the points move together";
        body.release (centre + juce::Point<int> { 20, 30 }, Mouse::left | c.mods);
    }
}

TEST_F (WaveControlSelection, TheBodyStaysInsideTheDrawableRangeAndAReleaseIsOneUndoStep)
{
    addPoints ({ { 2048, 0.5f }, { 4096, 0.25f } });
    view.selectAllPoints (0);
    auto& selection = *view.getSelection();
    EXPECT_EQ (selection.getAllowedArea(), juce::Rectangle<int> (-1, 14, 275, 603));
    const auto before = points();
    Mouse body { selection };

    body.press ({ 20, 20 });
    body.drag ({ -500, 2000 });
    body.release ({ -500, 2000 });
    EXPECT_EQ (points().y[0], 1.0f) << "the most left value";
    EXPECT_LE (points().x[1], 8191);
    EXPECT_LT (points().x[0], points().x[1]);

    view.modify (WaveModifier::Undo);
    EXPECT_TRUE (WaveHistory::equal (points(), before));
}

TEST_F (WaveControlSelection, SqueezingWithAHandleToTheMinimumPutsThePointsOnOneTimeKeepingTheirOrder)
{
    addPoints ({ { 1000, 0.5f }, { 3000, 0.25f }, { 5000, 0.75f } });
    view.selectAllPoints (0);
    auto& selection = *view.getSelection();
    auto& bottom = selection.getHandle (5);
    Mouse handle { bottom };

    handle.press ({ 4, 4 });
    handle.drag ({ 4, -2000 });
    handle.release ({ 4, -2000 });

    EXPECT_EQ (selection.getHeight(), Selection::minimumSize);
    EXPECT_EQ (points().x[1], points().x[0] + 1);
    EXPECT_EQ (points().x[2], points().x[1] + 1);
    EXPECT_EQ ((int) view.valueOf (points().y[1]), (int) view.valueOf (0.25f)) << "the values stay";
}

TEST_F (WaveControlSelection, HandlesWithAltScaleAboutTheCentre)
{
    addPoints ({ { 2000, 0.5f }, { 6000, 0.25f } });
    view.selectAllPoints (0);
    auto& selection = *view.getSelection();
    const auto start = selection.getBounds();
    Mouse handle { selection.getHandle (4) };

    handle.press ({ 4, 4 }, Mouse::left | Mouse::alt);
    handle.drag ({ 4 + 10, 4 - 40 }, Mouse::left | Mouse::alt);
    EXPECT_EQ (selection.getBounds().getCentre(), start.getCentre());
    EXPECT_EQ (selection.getHeight(), start.getHeight() - 80);
    EXPECT_EQ (selection.getWidth(), start.getWidth() + 20);
    handle.release ({ 14, -36 }, Mouse::left | Mouse::alt);
}

TEST_F (WaveControlSelection, ShiftClickOnTheSelectionOrAClickOnEmptySpaceRemovesIt)
{
    addPoints ({ { 2048, 0.5f }, { 4096, 0.25f } });
    view.selectAllPoints (0);
    Mouse (*view.getSelection()).click ({ 20, 20 }, Mouse::left | Mouse::shift);
    EXPECT_EQ (view.getSelection(), nullptr);

    view.selectAllPoints (0);
    mouse.click ({ 200, 500 });
    EXPECT_EQ (view.getSelection(), nullptr);
    EXPECT_EQ (usedPoints(), 2) << "that click only removed the selection";

    view.selectAllPoints (0);
    rig.processor.setCurrentProgram (2);
    rig.settle();
    rig.editor->getGuiDispatcher().deliverQueued();
    EXPECT_EQ (view.getSelection(), nullptr) << "a program load";
}

TEST_F (WaveControlSelection, CommandsOnASelectionGoAllTheWayOrNotAtAll)
{
    struct Case { WaveModifier command; int x; float y; bool moves; };
    const Case cases[] = {
        { WaveModifier::TimeLater, 7800, 0.5f, false },
        { WaveModifier::TimeLater, 7000, 0.5f, true },
        { WaveModifier::ValueUp, 4000, 0.98f, false },
        { WaveModifier::ValueUpFine, 4000, 0.98f, true },
        { WaveModifier::ValueDown, 4000, 0.02f, false },
    };

    for (const auto& c : cases)
    {
        addPoints ({ { 1000, 0.5f }, { c.x, c.y } });
        view.selectAllPoints (0);
        const auto before = points();
        view.modify (c.command);
        EXPECT_EQ (! WaveHistory::equal (points(), before), c.moves) << (int) c.command << " " << c.x << " " << c.y;
        EXPECT_NE (view.getSelection(), nullptr) << "moves keep the selection";
    }

    addPoints ({ { 1000, 0.5f }, { 4000, 0.98f } });
    view.selectAllPoints (0);
    view.modify (WaveModifier::ValueUpFine);
    EXPECT_NEAR (points().y[1], 0.986f, 0.0005f);
}

TEST_F (WaveControlSelection, DeleteRemovesOnlyTheSelectedPoints)
{
    addPoints ({ { 1000, 0.5f }, { 2000, 0.5f }, { 7000, 0.5f } });
    const auto a = pixelOf (0), b = pixelOf (1);
    band ({ a.x - 20, a.y - 20 }, { b.x + 20, b.y + 20 });
    ASSERT_TRUE (settles());

    EXPECT_TRUE (view.keyPressed (juce::KeyPress (juce::KeyPress::deleteKey)));
    EXPECT_EQ (usedPoints(), 1);
    EXPECT_EQ (points().type[2], 1);
    EXPECT_EQ (view.getSelection(), nullptr);
}

TEST_F (WaveControlSelection, FlippingASelectionSwapsItsExtremesAndFlippingTheWaveTurnsEverySlot)
{
    addPoints ({ { 1000, 0.2f }, { 2000, 0.5f }, { 3000, 0.8f } });
    view.setPoint (0, 10, 0, 0.1f, 0);
    view.selectAllPoints (0);
    view.handlePopupItem (WaveControlPopup::flipChannels);
    EXPECT_EQ (std::vector<float> (points().y.begin(), points().y.begin() + 3), (std::vector<float> { 0.8f, 0.5f, 0.2f }));
    EXPECT_NE (view.getSelection(), nullptr);

    view.removeSelection();
    view.handlePopupItem (WaveControlPopup::flipChannels);
    EXPECT_FLOAT_EQ (points().y[0], 1.0f - 0.8f);
    EXPECT_FLOAT_EQ (points().y[10], 0.9f) << "empty slots too";
}

TEST_F (WaveControlSelection, EveryCommandIsOneUndoStep)
{
    const WaveModifier commands[] = { WaveModifier::DeletePoints, WaveModifier::TimeEarlier, WaveModifier::TimeLaterFine,
                                      WaveModifier::ShapeSine, WaveModifier::ShapeTriangle, WaveModifier::Randomize };

    for (const auto command : commands)
    {
        addPoints ({ { 1000, 0.2f }, { 2000, 0.5f }, { 3000, 0.8f }, { 5000, 0.1f }, { 6000, 0.6f } });
        const auto before = points();
        view.modify (command);
        EXPECT_FALSE (WaveHistory::equal (points(), before)) << (int) command;

        if (command == WaveModifier::Randomize)
            EXPECT_EQ (usedPoints(), 5);
        if (command == WaveModifier::ShapeTriangle)
            EXPECT_EQ (usedPoints(), 2);

        view.modify (WaveModifier::Undo);
        EXPECT_TRUE (WaveHistory::equal (points(), before)) << (int) command;
    }
}

TEST_F (WaveControlSelection, ThePopupSelectsAllPointsTogglesStepsDrawingAndTriplets)
{
    addPoints ({ { 1000, 0.2f }, { 2000, 0.5f } });
    ControlTesting::TextLog actions { rig.editor->getGuiDispatcher(), EventKinds::stepDrawingOn };

    view.handlePopupItem (WaveControlPopup::selectAllPoints);
    ASSERT_NE (view.getSelection(), nullptr);
    EXPECT_TRUE (view.getSelection()->areHandlesShown());

    view.handlePopupItem (WaveControlPopup::stepsDrawing);
    view.handlePopupItem (WaveControlPopup::showTriplets);
    EXPECT_TRUE (rig.waveState().stepsDrawing);
    EXPECT_TRUE (rig.waveState().showTriplets);
    EXPECT_EQ (actions.delivered().size(), 1u) << "steps drawing on is announced";

    const auto state = view.popupState();
    EXPECT_EQ (state.usedPoints, 2);
    EXPECT_TRUE (state.stepsDrawing);
}
