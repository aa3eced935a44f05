// Tips of the control under the mouse reach the tip area; a nested control's tip wins.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/ImagePanel.h"
#include "gui/TipClient.h"
#include "gui/TipView.h"
#include "events/EventKinds.h"
#include "events/StringEvent.h"

#include <Resources.h>
#include <gtest/gtest.h>

using namespace ControlTesting;

namespace
{
    struct Panel : ImagePanel
    {
        explicit Panel (ControlEditor& owner) : ImagePanel (owner, Resources::tick_png, Resources::tick_pngSize, false) {}
    };

    struct TipClientTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        Panel outer { *editor }, inner { *editor }, plain { *editor };
        TextLog tips { editor->getGuiDispatcher(), EventKinds::statusText };

        void SetUp() override
        {
            outer.addChildComponent (inner);
            inner.addChildComponent (plain);
            outer.setTip ("outer");
            inner.setTip ("inner");
            tips.delivered();   // the editor's default tip
        }

        // What JUCE does on an event over c: c's own listeners, then those of its ancestors that
        // listen to nested components.
        std::vector<juce::String> enter (juce::Component& c, bool entering = true)
        {
            const auto e = mouseAt (c, { 1, 1 });
            for (auto* at = &c; at != nullptr; at = at->getParentComponent())
                if (auto* control = dynamic_cast<Control*> (at); control != nullptr && control->getTipClient() != nullptr)
                    entering ? control->getTipClient()->mouseEnter (e) : control->getTipClient()->mouseExit (e);
            return tips.delivered();
        }
    };
}

TEST_F (TipClientTest, TheInnermostTipWinsAndLeavingBlanksTheArea)
{
    EXPECT_EQ (enter (outer), std::vector<juce::String> { "outer" });
    EXPECT_EQ (enter (inner), std::vector<juce::String> { "inner" });
    EXPECT_EQ (enter (plain), std::vector<juce::String> { "inner" });   // a child without a tip of its own
    EXPECT_EQ (enter (inner, false), std::vector<juce::String> { "" });
    EXPECT_EQ (enter (outer, false), std::vector<juce::String> { "" });
}

TEST_F (TipClientTest, AnEmptyTipCreatesNothingAndSilencesAnExistingOne)
{
    Panel silent { *editor };
    silent.setTip ({});
    EXPECT_FALSE (silent.hasTip());

    inner.setTip ({});
    EXPECT_TRUE (enter (inner).empty());   // still its own: the outer tip does not show through
}

TEST_F (TipClientTest, TheTipAreaShowsTheLastStatusTextFromAnySide)
{
    TipView view (*editor, " ");
    view.setBounds (0, 0, 162, 99);
    enter (outer);
    EXPECT_EQ (view.getText(), "outer");

    // A text the processor posts crosses to the editor's side.
    processor.getEventDispatcher().post (StringEvent (EventKinds::statusText, "Loaded preset."), true);
    editor->getGuiDispatcher().deliverQueued();
    EXPECT_EQ (view.getText(), "Loaded preset.");
}
