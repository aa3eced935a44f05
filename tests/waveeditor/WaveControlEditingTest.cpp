// Editing the curve with the mouse and keys: creating, dragging, deleting and re-typing points,
// drawing steps, and undoing it all, on a curve editor bound to a real processor.

#include "WaveControlTesting.h"
#include "../gui/ControlTesting.h"

#include "events/EventKinds.h"
#include "waveeditor/WaveHistory.h"

#include <gtest/gtest.h>

using namespace WaveControlTesting;

namespace
{
    struct WaveControlEditing : testing::Test
    {
        WaveControlEditing()
        {
            auto recording = std::make_unique<RecordingPointer>();
            pointer = recording.get();
            rig.editor->setPointer (std::move (recording));
            rig.clearWave (0);
            rig.settle();
            texts();   // the editor's default tip
        }

        // The product's layout is transposed: a pixel is (value, time).
        juce::Point<int> pixelOf (int x, float y) const { return { (int) view.valueOf (y), (int) view.timeOf (x) }; }
        juce::Point<int> pixelOfSlot (int slot) { return pixelOf (points().x[(size_t) slot], points().y[(size_t) slot]); }
        // The pointer's screen position for a pixel of the view.
        juce::Point<int> screenOf (juce::Point<int> pixel) const { return view.localPointToGlobal (pixel); }

        const WaveSnapshot& points (int wave = 0) { return rig.waveState().waves[(size_t) wave]; }
        int usedPoints (int wave = 0) { return (int) std::count_if (points (wave).type.begin(), points (wave).type.end(), [] (int t) { return t != 0; }); }

        std::vector<juce::String> texts() { return status.delivered(); }

        Rig rig;
        WaveControl& view = *rig.view;
        Mouse mouse { view };
        RecordingPointer* pointer = nullptr;
        ControlTesting::TextLog status { rig.editor->getGuiDispatcher(), EventKinds::statusText };
    };
}

TEST_F (WaveControlEditing, AClickOnEmptySpaceAddsASmoothPointThatFollowsTheMouseUntilRelease)
{
    const juce::Point<int> at { 100, 300 };
    mouse.press (at);
    ASSERT_EQ (usedPoints(), 1);
    EXPECT_EQ (points().type[0], 1);
    EXPECT_EQ (points().x[0], view.xAt (300));
    EXPECT_FLOAT_EQ (points().y[0], view.yAt (100));
    EXPECT_TRUE (view.isDragging());
    EXPECT_TRUE (view.isCursorHidden());

    mouse.drag ({ 120, 320 });
    EXPECT_EQ (points().x[0], view.xAt (320));
    EXPECT_FLOAT_EQ (points().y[0], view.yAt (120));
    EXPECT_TRUE (view.isReadoutShown());

    pointer->moves.clear();
    mouse.release ({ 120, 320 });
    EXPECT_FALSE (view.isDragging());
    EXPECT_FALSE (view.isCursorHidden());
    EXPECT_FALSE (view.isReadoutShown());
    ASSERT_EQ (pointer->moves.size(), 1u) << "the pointer is put back onto the point";
    EXPECT_EQ (pointer->moves[0], screenOf (pixelOfSlot (0)));
}

TEST_F (WaveControlEditing, ACtrlClickAddsASharpPointAndClicksOutsideTheCycleAddNothing)
{
    mouse.click ({ 100, 300 }, Mouse::left | Mouse::ctrl);
    EXPECT_EQ (points().type[0], 3);

    for (const int time : { 10, 25, 606, 620 })
        mouse.click ({ 100, time });

    EXPECT_EQ (usedPoints(), 1);
}

TEST_F (WaveControlEditing, APointStopsBeforeItsNeighbourAndJumpsOverItOnlyWhenPulledWellPast)
{
    rig.setPoint (0, 0, 2048, 0.5f, 1);
    rig.setPoint (0, 1, 4096, 0.5f, 1);
    rig.settle();
    const int neighbourTime = (int) view.timeOf (4096);   // 316
    const int value = pixelOfSlot (0).x;

    mouse.press (pixelOfSlot (0));
    ASSERT_EQ (view.getActivePoint(), 0);

    mouse.drag ({ value, neighbourTime + 40 });
    EXPECT_EQ (points().x[0], 4095);

    mouse.drag ({ value, neighbourTime + 60 });
    EXPECT_EQ (points().x[0], 4097);

    pointer->moves.clear();
    for (int k = 0; k < WaveControl::freezeCount; ++k)
        mouse.drag ({ value, 150 + k });

    EXPECT_EQ (points().x[0], 4097) << "the next 8 events are ignored";
    ASSERT_EQ (pointer->moves.size(), 1u) << "the last of them puts the pointer onto the point";
    EXPECT_EQ (pointer->moves[0], screenOf (pixelOf (4097, 0.5f)));

    mouse.drag ({ value, 420 });
    EXPECT_EQ (points().x[0], view.xAt (420));
    mouse.release ({ value, 420 });
}

TEST_F (WaveControlEditing, ShiftSnapsTheDraggedPointToTheGridOrFreesItWhenSnappingIsOn)
{
    struct Case { bool snapToGrid, shift, triplets; int x; float y; };
    const juce::Point<int> target { 100, 300 };
    const int freeX = view.xAt (300);
    const float freeY = view.yAt (100);
    const Case cases[] = {
        { false, true, false, 3840, 10.0f / 16.0f },   // 30/64 of the cycle, 10/16
        { false, true, true, 3754, 7.0f / 12.0f },     // 22/48, 7/12
        { true, false, false, 3840, 10.0f / 16.0f },
        { true, true, false, freeX, freeY },
        { false, false, false, freeX, freeY },
    };

    for (const auto& c : cases)
    {
        rig.waveState().snapToGrid = c.snapToGrid;
        rig.waveState().showTriplets = c.triplets;
        view.setPoint (0, 0, 1024, 0.5f, 1);
        const int mods = Mouse::left | (c.shift ? Mouse::shift : 0);

        mouse.press (pixelOfSlot (0), Mouse::left);
        mouse.drag (target, mods);
        mouse.release (target, mods);

        EXPECT_EQ (points().x[0], c.x) << c.snapToGrid << c.shift << c.triplets;
        EXPECT_FLOAT_EQ (points().y[0], c.y) << c.snapToGrid << c.shift << c.triplets;
    }
}

TEST_F (WaveControlEditing, TheReadOutCrossAndStatusTextFollowTheDraggedPoint)
{
    view.setPoint (0, 0, 1024, 0.5f, 1);
    mouse.press (pixelOfSlot (0));
    texts();

    // SHIFT puts it exactly on a quarter of the cycle and a quarter of the value: 50 % right.
    mouse.drag ({ (int) view.valueOf (0.25f), (int) view.timeOf (2048) }, Mouse::left | Mouse::shift);
    EXPECT_EQ (texts(), std::vector<juce::String> { "Panning : 50R\ny: 0.250" });

    const auto picture = rig.snapshot();
    const juce::Colour cross { 0xffa0a0a0 };
    EXPECT_EQ (picture.getPixelAt (3, (int) view.timeOf (2048)), cross) << "the line across the values";
    EXPECT_EQ (picture.getPixelAt ((int) view.valueOf (0.25f), 620), cross) << "the line along the time";

    mouse.release ({ 0, 0 });
    EXPECT_EQ (texts(), std::vector<juce::String> { "" });
}

TEST_F (WaveControlEditing, DraggingBeyondTheControlKeepsThePointInTheCycleAndThePointerInTheOvershootBand)
{
    view.setPoint (0, 0, 4096, 0.5f, 1);
    mouse.press (pixelOfSlot (0));

    mouse.drag ({ -40, -200 });
    EXPECT_EQ (points().x[0], 0);
    EXPECT_FLOAT_EQ (points().y[0], 1.0f);
    ASSERT_FALSE (pointer->moves.empty());
    EXPECT_EQ (pointer->moves.back(), screenOf ({ 10, 26 - WaveControl::overshoot }));

    mouse.drag ({ 400, 900 });
    EXPECT_EQ (points().x[0], 8191);
    EXPECT_FLOAT_EQ (points().y[0], 0.0f);
    EXPECT_EQ (pointer->moves.back(), screenOf ({ 263, 606 + WaveControl::overshoot }));
    mouse.release ({ 400, 900 });
}

TEST_F (WaveControlEditing, ADragIsHeardAtOnceAndRecordedAsOneGestureOnThePointsParameters)
{
    view.setPoint (0, 0, 1024, 0.5f, 1);
    rig.settle();
    auto* parameter = rig.processor.getParameters()[ParameterLayout::pointParameter (0, 0, ParameterLayout::pointX)];
    struct Gestures : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float) override {}
        void parameterGestureChanged (int, bool starting) override { log.push_back (starting); }
        std::vector<bool> log;
    } gestures;
    parameter->addListener (&gestures);

    mouse.press (pixelOfSlot (0));
    mouse.drag ({ 136, 400 });
    mouse.release ({ 136, 400 });
    rig.settle();

    EXPECT_EQ (gestures.log, (std::vector<bool> { true, false }));
    EXPECT_FLOAT_EQ (parameter->getValue(), (float) view.xAt (400) / 8192.0f);
    parameter->removeListener (&gestures);
}

TEST_F (WaveControlEditing, ADoubleClickDeletesAPointButOnEmptySpaceOnlyCreatesOne)
{
    view.setPoint (0, 0, 1024, 0.5f, 1);
    mouse.doubleClick (pixelOfSlot (0));
    EXPECT_EQ (usedPoints(), 0);

    mouse.doubleClick ({ 100, 300 });
    EXPECT_EQ (usedPoints(), 1);
}

TEST_F (WaveControlEditing, ThreeRightClicksOnAPointBringBackItsType)
{
    view.setPoint (0, 0, 1024, 0.5f, 2);
    std::vector<int> types;

    for (int k = 0; k < 3; ++k)
    {
        mouse.click (pixelOfSlot (0), Mouse::right);
        types.push_back (points().type[0]);
    }

    EXPECT_EQ (types, (std::vector<int> { 3, 1, 2 }));
}

TEST_F (WaveControlEditing, TheFortyFirstPointIsRefusedWithTheMaximumMessage)
{
    for (int slot = 0; slot < 40; ++slot)
        view.setPoint (0, slot, slot * 200, 0.9f, 1);
    texts();

    mouse.click ({ 200, 300 });
    EXPECT_EQ (usedPoints(), 40);
    EXPECT_FALSE (view.isDragging());
    EXPECT_EQ (texts().front(), "Unable to create new point. Maximum number of points has been reached. "
                                "You can create up to 40 points per wave.");
}

TEST_F (WaveControlEditing, AStepInTheFirstCellHoldsTheCurveFromTheEndOfTheCycleAndMergesWithTheNextStep)
{
    rig.setPoint (0, 0, 1024, 0.75f, 1);
    rig.setPoint (0, 1, 5120, 0.75f, 1);
    rig.settle();
    view.toggleStepsDrawing();
    const int quarter = (int) view.valueOf (0.25f);

    mouse.click ({ quarter, 30 });
    const auto& p = points();
    EXPECT_EQ (std::vector<int> (p.x.begin(), p.x.begin() + 6), (std::vector<int> { 1024, 5120, 0, 511, 8191, 512 }));
    EXPECT_EQ (std::vector<float> (p.y.begin(), p.y.begin() + 6), (std::vector<float> { 0.75f, 0.75f, 0.25f, 0.25f, 0.75f, 0.75f }));
    EXPECT_EQ (std::vector<int> (p.type.begin(), p.type.begin() + 6), (std::vector<int> { 1, 1, 3, 3, 3, 3 }));

    // The next cell at the same value: the corner at 511 is no longer needed, and the point at
    // 1024 already holds the curve after it.
    mouse.click ({ quarter, 75 });
    EXPECT_EQ (p.type[3], 0);
    EXPECT_EQ (p.x[6], 1023);
    EXPECT_FLOAT_EQ (p.y[6], 0.25f);
    EXPECT_EQ (usedPoints(), 5);
}

TEST_F (WaveControlEditing, AStepThatNeedsMoreSlotsThanAreFreeIsRefused)
{
    for (int slot = 0; slot < 39; ++slot)
        view.setPoint (0, slot, 600 + slot * 180, 0.9f, 1);
    view.toggleStepsDrawing();
    texts();

    mouse.click ({ 200, 30 });
    EXPECT_EQ (usedPoints(), 39);
    EXPECT_EQ (texts().front(), "Unable to create new points. Maximum number of points has been reached. "
                                "You can create up to 40 points per wave.");
}

TEST_F (WaveControlEditing, StepsDrawingPreviewsTheCellUnderThePointer)
{
    view.toggleStepsDrawing();
    mouse.move ({ (int) view.valueOf (0.5f), 30 });
    ASSERT_TRUE (view.isStepPreviewShown());

    // The preview's end discs sit on the cell's borders, 580/16 pixels apart.
    const auto picture = rig.snapshot();
    EXPECT_EQ (picture.getPixelAt (136, 30), juce::Colour (0xffdddddd)) << "its line";

    mouse.move ({ 136, 5 });
    EXPECT_FALSE (view.isStepPreviewShown());
}

TEST_F (WaveControlEditing, DeleteAndBackspaceAreConsumedAndTheArrowsMoveTheWaveAndPassOn)
{
    view.setPoint (0, 0, 8000, 0.5f, 1);
    EXPECT_TRUE (view.keyPressed (juce::KeyPress (juce::KeyPress::deleteKey)));
    EXPECT_TRUE (view.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey)));
    EXPECT_EQ (usedPoints(), 1) << "nothing is selected";

    EXPECT_FALSE (view.keyPressed (juce::KeyPress (juce::KeyPress::rightKey)));
    EXPECT_EQ (points().x[0], 320) << "the whole wave rotates: 8000 + 512 - 8192";
    EXPECT_FALSE (view.keyPressed (juce::KeyPress (juce::KeyPress::leftKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (points().x[0], 288);
    EXPECT_FALSE (view.keyPressed (juce::KeyPress ('a')));
}

//==============================================================================
TEST_F (WaveControlEditing, CreatingDraggingAndReleasingIsOneUndoStep)
{
    mouse.press ({ 100, 300 });
    mouse.drag ({ 120, 320 });
    mouse.release ({ 120, 320 });
    const auto drawn = points();

    view.modify (WaveModifier::Undo);
    EXPECT_EQ (usedPoints(), 0);

    view.modify (WaveModifier::Redo);
    EXPECT_TRUE (WaveHistory::equal (points(), drawn));
}

TEST_F (WaveControlEditing, UndoRedoAndPasteSayWhenThereIsNothingToDo)
{
    view.modify (WaveModifier::Undo);
    view.modify (WaveModifier::Redo);
    view.pasteWave (0);
    EXPECT_EQ (texts(), (std::vector<juce::String> { "There is no edit to undo.", "There is no edit to redo.",
                                                      "There is no copied waveform to paste from buffer." }));

    // A new edit after an undo drops what could have been redone.
    mouse.click ({ 100, 300 });
    view.modify (WaveModifier::Undo);
    mouse.click ({ 150, 400 });
    texts();
    view.modify (WaveModifier::Redo);
    EXPECT_EQ (texts(), std::vector<juce::String> { "There is no edit to redo." });

    // Loading a program empties the histories.
    rig.processor.setCurrentProgram (3);
    rig.settle();
    texts();
    view.modify (WaveModifier::Undo);
    EXPECT_EQ (texts(), std::vector<juce::String> { "There is no edit to undo." });
}

TEST_F (WaveControlEditing, ACopiedWavePastesOntoAnotherInAllFortySlots)
{
    rig.clearWave (1);
    rig.settle();
    view.modify (WaveModifier::ShapeSine);
    view.setPoint (0, 30, 100, 0.3f, 0);   // an empty slot with values of its own
    view.copyWave (0);
    view.showWave (1);
    view.handlePopupItem (WaveControlPopup::paste);

    EXPECT_EQ (points (1).x, points (0).x);
    EXPECT_EQ (points (1).y, points (0).y);
    EXPECT_EQ (points (1).type, points (0).type);
    EXPECT_EQ (texts(), (std::vector<juce::String> { "Copied waveform to buffer.", "Pasted waveform from buffer." }));

    view.modify (WaveModifier::Undo);
    EXPECT_EQ (usedPoints (1), 0) << "the paste is one undo step";
}

TEST (WaveControlEditingLifetime, TheHistoriesAndTheCopyBufferOutliveTheEditor)
{
    Rig rig;
    rig.clearWave (0);
    rig.settle();
    Mouse (*rig.view).click ({ 100, 300 });
    rig.view->copyWave (0);
    rig.editor.reset();
    rig.editor.reset (static_cast<AudioEditorBase*> (rig.processor.createEditor()));
    rig.view = rig.findView();

    rig.view->modify (WaveModifier::Undo);
    EXPECT_EQ (rig.waveState().waves[0].type[0], 0) << "the click is undone by the new editor";
    EXPECT_TRUE (rig.waveState().copyBufferValid);
}
