// Drags, SHIFT, CTRL-click, double-click and the wheel, with synthesized JUCE mouse events and a
// pointer that records where the control puts it.

#include "GuiTestProcessor.h"
#include "gui/MouseMovable.h"
#include "gui/Pointer.h"

#include <gtest/gtest.h>

namespace
{
    struct RecordingPointer : Pointer
    {
        void moveTo (juce::Point<int> p) override { moves.push_back (p); }
        int displayHeightAt (juce::Point<int>) const override { return 768; }
        std::vector<juce::Point<int>> moves;
    };

    constexpr float defaultValue = 0.5f;
    const juce::Point<int> anchor { 20, 400 };

    struct Drag : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        RecordingPointer* pointer = nullptr;
        MouseMovable* knob = nullptr;
        MouseMovable* twin = nullptr;

        void SetUp() override
        {
            auto recording = std::make_unique<RecordingPointer>();
            pointer = recording.get();
            editor->setPointer (std::move (recording));
            knob = &add();
            twin = &add();
            editor->setTopLeftPosition (0, 0);
            editor->getBackground().setTopLeftPosition (0, 0);
            setValue (0.0f);
        }

        MouseMovable& add()
        {
            auto& control = editor->addToBackground (
                std::make_unique<MouseMovable> (*editor, GuiTestProcessor::continuous, defaultValue), 0, 0);
            control.setSize (40, 600);
            return control;
        }

        void setValue (float v) { editor->setParameterValue (GuiTestProcessor::continuous, v); }

        juce::MouseEvent event (juce::Point<int> at, juce::ModifierKeys mods, int clicks = 1) const
        {
            const auto now = juce::Time::getCurrentTime();
            return { juce::Desktop::getInstance().getMainMouseSource(), at.toFloat(), mods,
                     juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, knob, knob, now,
                     anchor.toFloat(), now, clicks, false };
        }

        static juce::ModifierKeys left (int extra = 0) { return juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | extra); }

        void down (int extra = 0) { knob->mouseDown (event (anchor, left (extra))); }
        void dragTo (int dx, int dy, int extra = 0) { knob->mouseDrag (event (anchor + juce::Point<int> (dx, dy), left (extra))); }
        float value() const { return knob->getCurrentValue(); }
    };
}

TEST_F (Drag, TwoHundredPixelsUpFromZeroEndAtOneAndRebaseSoMovingDownLowersAtOnce)
{
    down();
    dragTo (0, -200);
    EXPECT_EQ (value(), 1.0f);
    EXPECT_EQ (pointer->moves, std::vector<juce::Point<int>> { anchor });

    dragTo (0, 1); // the pointer is back at the anchor: one pixel below it
    EXPECT_FLOAT_EQ (value(), 1.0f - MouseMovable::dragStep);
}

TEST_F (Drag, ShiftNeverMakesTheValueJumpAndSwitchesToTheFineStep)
{
    down();
    dragTo (0, -20);
    const float coarse = value();
    EXPECT_FLOAT_EQ (coarse, 20 * MouseMovable::dragStep);

    dragTo (0, -25, juce::ModifierKeys::shiftModifier);
    EXPECT_EQ (value(), coarse);
    EXPECT_EQ (pointer->moves.back(), anchor);

    dragTo (0, -40, juce::ModifierKeys::shiftModifier);
    EXPECT_FLOAT_EQ (value(), coarse + 40 * MouseMovable::fineDragStep);

    dragTo (0, -40); // SHIFT released: again no jump
    EXPECT_FLOAT_EQ (value(), coarse + 40 * MouseMovable::fineDragStep);
}

TEST_F (Drag, HorizontalMotionAloneChangesNothing)
{
    down();
    dragTo (150, 0);
    EXPECT_EQ (value(), 0.0f);
}

TEST_F (Drag, CtrlClickWritesTheDefaultAndTheDragStartsFromIt)
{
    down (juce::ModifierKeys::ctrlModifier);
    EXPECT_EQ (value(), defaultValue);
    dragTo (0, -10, juce::ModifierKeys::ctrlModifier);
    EXPECT_FLOAT_EQ (value(), defaultValue + 10 * MouseMovable::dragStep);
}

TEST_F (Drag, TheOtherControlOfTheParameterFollowsWithinTheCall)
{
    down();
    dragTo (0, -30);
    EXPECT_EQ (twin->getCurrentValue(), value());
    EXPECT_EQ (processor.getParameter (GuiTestProcessor::continuous), value());
}

TEST_F (Drag, HidesTheCursorWhileDraggingAndPutsThePointerBackAtMouseUp)
{
    down();
    EXPECT_TRUE (knob->isCursorHidden());
    EXPECT_EQ (knob->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NoCursor));
    dragTo (0, -30);
    knob->mouseUp (event (anchor + juce::Point<int> (0, -30), {}));
    EXPECT_FALSE (knob->isCursorHidden());
    EXPECT_EQ (knob->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NormalCursor));
    EXPECT_EQ (pointer->moves, std::vector<juce::Point<int>> { anchor });
}

TEST_F (Drag, APointerAtTheScreensBottomLimitIsPutBack)
{
    // The fine step keeps the value inside the range all the way down to the limit.
    constexpr int shift = juce::ModifierKeys::shiftModifier, limit = 768 - 10;
    setValue (0.5f);
    down();
    dragTo (0, 1, shift); // switching to fine puts the pointer back once
    dragTo (0, limit - 1 - anchor.y, shift);
    EXPECT_EQ (pointer->moves.size(), 1u);
    dragTo (0, limit - anchor.y, shift);
    EXPECT_EQ (pointer->moves.size(), 2u);
    EXPECT_FLOAT_EQ (value(), 0.5f - (float) (limit - anchor.y) * MouseMovable::fineDragStep);
}

TEST_F (Drag, DoubleClickResetsToTheDefault)
{
    knob->mouseDoubleClick (event (anchor, left(), 2));
    EXPECT_EQ (value(), defaultValue);
}

TEST_F (Drag, WheelStepsScaleWithTheModifiersAndStayInRange)
{
    struct Case { int mods; float delta, from, expected; };
    const Case cases[] = {
        { 0, 1.0f, 0.5f, 0.5f + 0.025f },
        { juce::ModifierKeys::shiftModifier, 1.0f, 0.5f, 0.5f + 0.00125f },
        { juce::ModifierKeys::ctrlModifier, 1.0f, 0.5f, 0.5f + 0.125f },
        { juce::ModifierKeys::ctrlModifier, 10.0f, 0.5f, 1.0f },
        { juce::ModifierKeys::ctrlModifier, -10.0f, 0.5f, 0.0f },
    };

    for (const auto& c : cases)
    {
        setValue (c.from);
        juce::MouseWheelDetails wheel {};
        wheel.deltaY = c.delta;
        knob->mouseWheelMove (event (anchor, juce::ModifierKeys (c.mods)), wheel);
        EXPECT_FLOAT_EQ (value(), c.expected) << c.mods << " " << c.delta;
    }
}
