// The product's window on a real processor: where every control sits, which controls the speed
// type and the MIDI choices enable, the show-current-wave button and the curve buttons.

#include "../gui/ControlTesting.h"
#include "events/EventKinds.h"
#include "gui/AudioControl.h"
#include "gui/Button.h"
#include "gui/ButtonRow.h"
#include "gui/Knob.h"
#include "gui/Label.h"
#include "gui/Menu.h"
#include "gui/Splash.h"
#include "gui/SplashClickArea.h"
#include "gui/Switch.h"
#include "gui/Control.h"
#include "gui/TipView.h"
#include "plugineditor/AudioEditor.h"
#include "processor/AudioProcessor.h"
#include "processor/ParameterLayout.h"
#include "../waveeditor/WaveControlTesting.h"
#include "waveeditor/WaveHistory.h"
#include "waveeditor/WaveTransforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>

namespace juce
{
    // JUCE's Linux message loop, one message at a time.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{
    using Parameters = ParameterLayout;

    struct AudioEditorTest : testing::Test
    {
        AudioProcessor processor;
        std::unique_ptr<AudioEditor> editor { static_cast<AudioEditor*> (processor.createEditor()) };

        AudioEditorTest() { editor->refresh(); }

        template <typename Type>
        std::vector<Type*> onBackground()
        {
            std::vector<Type*> found;
            for (auto* child : editor->getBackground().getChildren())
                if (auto* typed = dynamic_cast<Type*> (child))
                    found.push_back (typed);
            return found;
        }

        juce::Component* controlOf (int index)
        {
            for (auto* child : editor->getBackground().getChildren())
                if (auto* control = dynamic_cast<AudioControl*> (child); control != nullptr && control->getParameterIndex() == index)
                    return child;
            return nullptr;
        }

        Menu& menuOf (int index) { return dynamic_cast<Menu&> (*controlOf (index)); }

        SplashClickArea* clickAreaOfWidth (int width)
        {
            for (auto* area : onBackground<SplashClickArea>())
                if (area->getWidth() == width)
                    return area;
            return nullptr;
        }

        Splash* aboutScreen()
        {
            for (auto* child : editor->getChildren())
                if (auto* splash = dynamic_cast<Splash*> (child))
                    return splash;
            return nullptr;
        }
    };

    juce::String tipOf (juce::Component* c)
    {
        auto* control = dynamic_cast<Control*> (c);
        return control != nullptr ? control->getTip() : juce::String();
    }
}

TEST_F (AudioEditorTest, EveryControlSitsInItsPlaceWithItsTip)
{
    auto* showWave = onBackground<Button>().empty() ? nullptr : onBackground<Button>().front();
    auto* tips = onBackground<TipView>().empty() ? nullptr : onBackground<TipView>().front();
    auto* link = onBackground<juce::HyperlinkButton>().empty() ? nullptr : onBackground<juce::HyperlinkButton>().front();

    const struct
    {
        const char* what;
        juce::Component* control;
        juce::Rectangle<int> bounds;
        const char* tipStart;
    } cases[] = {
        { "Midi In", controlOf (Parameters::midiIn), { 371, 138, 84, 15 }, "We recommend selecting \"In From Host\"" },
        { "Midi In Channel", controlOf (Parameters::midiInChannel), { 455, 138, 35, 15 }, "Select the MIDI In channel." },
        { "Midi In Octave", controlOf (Parameters::midiInOctave), { 371, 155, 84, 15 }, "Select the note that will trigger" },
        { "Midi In Note", controlOf (Parameters::midiInNote), { 455, 155, 35, 15 }, "Select the note that will trigger" },
        { "Speed Type", controlOf (Parameters::speedType), { 371, 54, 84, 15 }, "Set the tempo in musical units" },
        { "Loop Length", controlOf (Parameters::loopLength), { 371, 74, 84, 15 }, "" },
        { "Used Wave", controlOf (Parameters::usedWave), { 371, 34, 60, 15 }, "" },
        { "show wave", showWave, { 435, 34, 17, 16 }, "Show current wave in waveform editor." },
        { "Speed", controlOf (Parameters::speed), { 451, 33, 47, 57 }, "" },
        { "Mix", controlOf (Parameters::mix), { 406, 211, 47, 57 }, "Set the balance between the processed" },
        { "Visible Wave", controlOf (Parameters::visibleWave), { 20, 16, 16, 150 }, "" },
        { "Oscilloscope Zoom", controlOf (Parameters::oscilloscopeZoom), { 307, 16, 19, 19 }, "Click and move mouse up/down" },
        { "company logo", clickAreaOfWidth (56), { 441, 579, 56, 32 }, "" },
        { "product logo", clickAreaOfWidth (90), { 346, 526, 90, 21 }, "" },
        { "tip area", tips, { 335, 378, 162, 99 }, "" },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ASSERT_NE (c.control, nullptr);
        EXPECT_EQ (c.control->getBounds(), c.bounds);
        EXPECT_TRUE (c.control->isVisible());
        EXPECT_TRUE (tipOf (c.control).startsWith (c.tipStart)) << tipOf (c.control);
    }

    ASSERT_NE (link, nullptr);
    EXPECT_EQ (link->getPosition(), juce::Point<int> (332, 595));
    EXPECT_EQ (link->getHeight(), 14);
    EXPECT_GT (link->getWidth(), 60);
    EXPECT_LT (link->getWidth(), 130);   // fitted to the text, not stretched
    EXPECT_EQ (link->getButtonText(), "Check for updates");
    EXPECT_EQ (link->getURL().toString (true),
               "https://www.vostrelle.com/web_app.py?page_name=update&product=orvanta&version=2.3.1");

    auto* splash = aboutScreen();
    ASSERT_NE (splash, nullptr);
    EXPECT_EQ (splash->getBounds(), editor->getLocalBounds());
    EXPECT_FALSE (splash->isVisible());
}

TEST_F (AudioEditorTest, TheMenusHoldTheirItemsAndTheSwitchLiesOverEverythingAddedBeforeIt)
{
    EXPECT_EQ (menuOf (Parameters::speedType).getNumItems(), 7);
    EXPECT_EQ (menuOf (Parameters::speedType).getItemText (4), "Hertz Retrig.");
    EXPECT_EQ (menuOf (Parameters::loopLength).getItemText (17), "32 Bars");
    EXPECT_EQ (menuOf (Parameters::usedWave).getItemText (9), "Wave 10");
    EXPECT_EQ (menuOf (Parameters::midiInChannel).getNumItems(), 17);
    EXPECT_EQ (menuOf (Parameters::midiInOctave).getItemText (1), "Octave -2");
    EXPECT_EQ (menuOf (Parameters::midiInNote).getItemText (11), "B");

    auto& children = editor->getBackground().getChildren();
    EXPECT_GT (children.indexOf (controlOf (Parameters::visibleWave)), children.indexOf (controlOf (Parameters::mix)));
}

TEST_F (AudioEditorTest, WithoutSystemMidiInputsTheMidiInMenuOffersOnlyTheHostAndItIsEnabled)
{
    if (! processor.getMidiPorts()->getMidiInputNames().isEmpty())
        GTEST_SKIP() << "this machine has MIDI inputs";

    auto& midiIn = menuOf (Parameters::midiIn);
    ASSERT_EQ (midiIn.getNumItems(), 1);
    EXPECT_EQ (midiIn.getItemText (0), "In From Host");
    EXPECT_TRUE (midiIn.isItemEnabled (1));
}

TEST_F (AudioEditorTest, TheSpeedTypeAndTheMidiChoicesEnableOnlyTheControlsThatMeanSomething)
{
    using Steps = std::initializer_list<std::pair<int, int>>;
    const struct
    {
        const char* what;
        Steps writes;
        Steps enabled;   // parameter, 1 for enabled
    } cases[] = {
        { "Hertz Retrig.", { { Parameters::speedType, Parameters::hertzRetrig } }, { { Parameters::speed, 1 }, { Parameters::loopLength, 0 } } },
        { "Pitch -> Rate", { { Parameters::speedType, Parameters::pitchToRate } }, { { Parameters::speed, 0 }, { Parameters::loopLength, 0 } } },
        { "Beat 1-Shot", { { Parameters::speedType, Parameters::beatOneShot } }, { { Parameters::speed, 0 }, { Parameters::loopLength, 1 } } },
        { "In From Host", { { Parameters::midiIn, 1 }, { Parameters::midiIn, 0 } }, { { Parameters::midiInChannel, 0 } } },
        { "a MIDI port", { { Parameters::midiIn, 0 }, { Parameters::midiIn, 1 } }, { { Parameters::midiInChannel, 1 } } },
        { "All Notes", { { Parameters::midiInNote, 3 }, { Parameters::midiInOctave, 0 } }, { { Parameters::midiInNote, 0 } } },
        { "Octave 8, G#", { { Parameters::midiInOctave, 11 }, { Parameters::midiInNote, 8 } }, { { Parameters::midiInNote, 0 } } },
        { "Octave 8, G", { { Parameters::midiInNote, 7 }, { Parameters::midiInOctave, 11 } }, { { Parameters::midiInNote, 1 } } },
        { "Octave 7, B", { { Parameters::midiInNote, 11 }, { Parameters::midiInOctave, 10 } }, { { Parameters::midiInNote, 1 } } },
        { "Octave -2, C", { { Parameters::midiInOctave, 1 }, { Parameters::midiInNote, 0 } }, { { Parameters::midiInNote, 1 } } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        for (auto [index, step] : c.writes)
            editor->setParameterStep (index, step);

        for (auto [index, enabled] : c.enabled)
        {
            ASSERT_NE (controlOf (index), nullptr);
            EXPECT_EQ (controlOf (index)->isEnabled(), enabled == 1) << Parameters::nameOf (index);
        }
    }
}

TEST_F (AudioEditorTest, TheRulesAlsoFollowWhatTheHostSets)
{
    editor->queueParameterStep (Parameters::speedType, Parameters::hertzSynced);
    editor->queueParameterStep (Parameters::midiInOctave, 0);
    editor->refresh();
    EXPECT_TRUE (controlOf (Parameters::speed)->isEnabled());
    EXPECT_FALSE (controlOf (Parameters::loopLength)->isEnabled());
    EXPECT_FALSE (controlOf (Parameters::midiInNote)->isEnabled());
}

TEST_F (AudioEditorTest, TheShowWaveButtonShowsTheUsedWaveAndSaysSo)
{
    ControlTesting::TextLog texts { editor->getGuiDispatcher(), EventKinds::statusText };
    texts.delivered();   // the default tip
    editor->setParameterStep (Parameters::usedWave, 2);

    auto* showWave = onBackground<Button>().front();
    showWave->triggerClick();   // runs on the message loop
    std::vector<juce::String> posted;
    for (int i = 0; i < 100 && posted.empty(); ++i)
    {
        juce::dispatchNextMessageOnSystemQueue (true);
        posted = texts.delivered();
    }

    EXPECT_EQ (editor->mirrorEntry (Parameters::visibleWave).step, 2);
    EXPECT_EQ (dynamic_cast<Switch&> (*controlOf (Parameters::visibleWave)).getCurrentPosition(), 2);
    EXPECT_EQ (posted, std::vector<juce::String> { "Show wave 3." });
    EXPECT_EQ (onBackground<TipView>().front()->getText(), "Show wave 3.");
}

TEST_F (AudioEditorTest, TheSpeedKnobShowsTheLfoRate)
{
    const std::pair<float, const char*> cases[] = { { 0.5f, "10.2Hz" }, { 0.0f, "0.020Hz" }, { 1.0f, "5.24kHz" }, { 0.75f, "231Hz" } };
    auto& speed = dynamic_cast<Knob&> (*controlOf (Parameters::speed));

    for (auto [value, text] : cases)
    {
        editor->setParameterValue (Parameters::speed, value);
        EXPECT_EQ (speed.getValueLabel()->getText(), text) << value;
    }
}

TEST_F (AudioEditorTest, TheDefaultTipNamesTheProductAndItsVersion)
{
    EXPECT_EQ (AudioEditor::defaultTipText(), "Orvanta 2.3.1\n\nClick the Vostrelle logo for additional information.");
    EXPECT_EQ (onBackground<TipView>().front()->getText(), " ");   // until the posted tip is delivered
}

//==============================================================================
namespace
{
    // The curve buttons over a prepared processor whose visible wave is wave 3, holding three points.
    struct CurveButtons : testing::Test
    {
        enum { deleteButton, stepsButton, snapButton, sineButton, triangleButton, randomizeButton,
               earlierButton, laterButton, undoButton, redoButton, numButtons };

        static constexpr int visible = 3;
        static constexpr int startXs[] { 10, 4000, 8100 };

        CurveButtons()
        {
            rig.editor->setParameterStep (Parameters::visibleWave, visible);
            for (int wave : { 0, visible })
            {
                rig.clearWave (wave);
                for (int slot = 0; slot < 3; ++slot)
                    rig.setPoint (wave, slot, startXs[slot], 0.25f * (float) (slot + 1), 1);
            }
            rig.settle();
        }

        ButtonRow* row() const
        {
            for (auto* child : rig.editor->getBackground().getChildren())
                if (auto* found = dynamic_cast<ButtonRow*> (child))
                    return found;
            return nullptr;
        }

        Button& button (int which) const { return dynamic_cast<Button&> (*row()->getChildComponent (which)); }

        void click (int which, int mods = WaveControlTesting::Mouse::left)
        {
            WaveControlTesting::Mouse mouse { button (which) };
            mouse.click (button (which).getLocalBounds().getCentre(), mods);
        }

        const WaveSnapshot& points (int wave = visible) { return rig.waveState().waves[(size_t) wave]; }

        std::vector<int> usedXs (int wave = visible)
        {
            std::vector<int> xs;
            for (int slot = 0; slot < WaveSnapshot::numSlots; ++slot)
                if (points (wave).type[(size_t) slot] != 0)
                    xs.push_back (points (wave).x[(size_t) slot]);
            std::sort (xs.begin(), xs.end());
            return xs;
        }

        // Whether the icon is drawn in the product's orange anywhere.
        static bool showsHighlight (Button& b)
        {
            const auto face = b.createComponentSnapshot (b.getLocalBounds());
            for (int y = 0; y < face.getHeight(); ++y)
                for (int x = 0; x < face.getWidth(); ++x)
                    if (face.getPixelAt (x, y) == Palette::highlight)
                        return true;
            return false;
        }

        WaveControlTesting::Rig rig;
    };
}

TEST_F (CurveButtons, StandInOneColumnUnderTheZoomIconInTheirGroupsWithTheirTips)
{
    const struct
    {
        int top, height;   // window pixels
        bool toggles;
        const char* tip;
    } cases[] = {
        { 51, 19, false, "Delete points." },
        { 86, 24, true, "Activate steps drawing." },
        { 114, 19, true, "Snap to waveform grid when moving a point. You can hold SHIFT while moving a point to "
                         "temporarily inverse this setting." },
        { 149, 19, false, "Select classic analog waveform: Sine" },
        { 172, 19, false, "Select classic analog waveform: Triangle" },
        { 195, 19, false, "Randomize waveform points. The randomized waveform will contain the same number of points "
                          "as the current waveform.\n\nIf snapping to waveform grid is activated, the randomized "
                          "points will snap to the grid." },
        { 230, 19, false, "Move up in time.\n\nSHIFT-click for more precise adjustments." },
        { 253, 19, false, "Move down in time.\n\nSHIFT-click for more precise adjustments." },
        { 288, 19, false, "Undo waveform changes." },
        { 311, 19, false, "Redo waveform changes." },
    };

    ASSERT_NE (row(), nullptr);
    ASSERT_EQ (row()->getNumChildComponents(), numButtons);
    auto& background = rig.editor->getBackground();

    for (int i = 0; i < numButtons; ++i)
    {
        SCOPED_TRACE (i);
        auto& b = button (i);
        EXPECT_EQ (background.getLocalArea (&b, b.getLocalBounds()), juce::Rectangle<int> (307, cases[i].top, 19, cases[i].height));
        EXPECT_TRUE (b.isVisible());
        EXPECT_EQ (b.getClickingTogglesState(), cases[i].toggles);
        EXPECT_EQ (b.getTip(), cases[i].tip);
    }

    // Under the zoom icon, right of the curve editor, and over it so that its last column does not hide them.
    auto& children = background.getChildren();
    EXPECT_GT (children.indexOf (row()), children.indexOf (rig.view));
    EXPECT_GE (row()->getX(), rig.view->getRight() - 1);
}

TEST_F (CurveButtons, DeleteClearsOnlyTheVisibleWaveAndUndoAndRedoTakeItBackAndAgain)
{
    const auto before = points();
    click (deleteButton);
    EXPECT_TRUE (usedXs().empty());
    EXPECT_EQ (usedXs (0), std::vector<int> (std::begin (startXs), std::end (startXs)));

    click (undoButton);
    EXPECT_TRUE (WaveHistory::equal (points(), before));
    click (redoButton);
    EXPECT_TRUE (usedXs().empty());
}

TEST_F (CurveButtons, EarlierAndLaterMoveTheWholeWaveAndShiftMovesItFinely)
{
    const auto shift = WaveControlTesting::Mouse::left | WaveControlTesting::Mouse::shift;
    const struct
    {
        const char* what;
        int button, mods, delta;
    } cases[] = {
        { "earlier", earlierButton, WaveControlTesting::Mouse::left, -512 },
        { "earlier, SHIFT", earlierButton, shift, -32 },
        { "later", laterButton, WaveControlTesting::Mouse::left, 512 },
        { "later, SHIFT", laterButton, shift, 32 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto expected = usedXs();
        for (auto& x : expected)
            x = (x + c.delta + 8192) % 8192;
        std::sort (expected.begin(), expected.end());

        click (c.button, c.mods);
        EXPECT_EQ (usedXs(), expected);
    }
}

TEST_F (CurveButtons, SineAndTriangleReplaceTheVisibleWaveAndRandomizeKeepsItsNumberOfPoints)
{
    const auto before = points();
    const std::pair<int, WaveSnapshot (*) (WaveSnapshot)> shapes[] = { { sineButton, WaveTransforms::sine },
                                                                       { triangleButton, WaveTransforms::triangle } };
    for (auto [which, shape] : shapes)
    {
        const auto expected = shape (points());
        click (which);
        EXPECT_TRUE (WaveHistory::equal (points(), expected)) << which;
    }

    click (undoButton);
    click (undoButton);
    ASSERT_TRUE (WaveHistory::equal (points(), before));
    click (randomizeButton);
    EXPECT_EQ (usedXs().size(), std::size (startXs));
    EXPECT_FALSE (WaveHistory::equal (points(), before));
    EXPECT_EQ (usedXs (0), std::vector<int> (std::begin (startXs), std::end (startXs))) << "only the visible wave changes";
}

TEST_F (CurveButtons, TheTogglesFlipTheirSwitchAndFollowItWhenTheCurveEditorFlipsIt)
{
    const struct
    {
        const char* what;
        int button;
        bool WaveState::*isOn;
        std::function<void (WaveControl&)> flip;
    } cases[] = {
        { "steps drawing", stepsButton, &WaveState::stepsDrawing, [] (WaveControl& c) { c.toggleStepsDrawing(); } },
        { "snap", snapButton, &WaveState::snapToGrid, [] (WaveControl& c) { c.toggleSnap(); } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto& b = button (c.button);
        auto& isOn = rig.waveState().*(c.isOn);
        ASSERT_FALSE (isOn);
        ASSERT_FALSE (b.getToggleState());

        click (c.button);
        rig.editor->getGuiDispatcher().deliverQueued();
        EXPECT_TRUE (isOn);
        EXPECT_TRUE (b.getToggleState());

        EXPECT_TRUE (showsHighlight (b));

        c.flip (*rig.view);
        EXPECT_TRUE (b.getToggleState()) << "until the event arrives";
        rig.editor->getGuiDispatcher().deliverQueued();
        EXPECT_FALSE (isOn);
        EXPECT_FALSE (b.getToggleState());
        EXPECT_FALSE (showsHighlight (b));

        c.flip (*rig.view);
        rig.editor->getGuiDispatcher().deliverQueued();
        EXPECT_TRUE (b.getToggleState());
    }

    // A new window starts with the switches as they are.
    rig.view->toggleStepsDrawing();
    rig.editor.reset (static_cast<AudioEditorBase*> (rig.processor.createEditor()));
    rig.view = rig.findView();
    EXPECT_FALSE (button (stepsButton).getToggleState());
    EXPECT_TRUE (button (snapButton).getToggleState());
}
