// The message screen: errors posted by anyone, their title and body, and how they are dismissed.

#include "ControlTesting.h"
#include "GuiTestProcessor.h"
#include "gui/MessageScreen.h"
#include "events/EventKinds.h"
#include "events/StringEvent.h"

#include <gtest/gtest.h>

namespace
{
    struct MessageScreenTest : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        MessageScreen& screen = find();

        MessageScreen& find()
        {
            for (auto* child : editor->getChildren())
                if (auto* s = dynamic_cast<MessageScreen*> (child))
                    return *s;
            throw std::runtime_error ("the editor has no message screen");
        }

        void post (const juce::String& text)
        {
            processor.getEventDispatcher().post (StringEvent (EventKinds::errorMessage, text), true);
            editor->getGuiDispatcher().deliverQueued();
        }
    };
}

TEST_F (MessageScreenTest, TheEditorHasOneHiddenOverItsWholeWindow)
{
    EXPECT_FALSE (screen.isVisible());
    EXPECT_EQ (screen.getBounds(), editor->getLocalBounds());
    EXPECT_EQ (screen.getPanel(), juce::Rectangle<int> (62, 176, 400, 280));
    EXPECT_EQ (screen.getOkButton().getBounds(), juce::Rectangle<int> (62 + 400 - 54 - 20, 176 + 280 - 34, 54, 19));
}

TEST_F (MessageScreenTest, AnErrorFromAnySideSplitsAtItsFirstLineFeed)
{
    struct Case
    {
        const char* text;
        const char* title;
        const char* body;
    };

    for (const auto& c : { Case { "Error\nCannot open this MIDI port. Please choose another MIDI port.", "Error",
                                  "Cannot open this MIDI port. Please choose another MIDI port." },
                           Case { "Only a title", "Only a title", "" },
                           Case { "Error\nfirst\nsecond", "Error", "first\nsecond" },
                           Case { "\nno title", "", "no title" } })
    {
        post (c.text);
        EXPECT_TRUE (screen.isVisible());
        EXPECT_EQ (screen.getTitle(), juce::String (c.title));
        EXPECT_EQ (screen.getBody(), juce::String (c.body));
    }
}

TEST_F (MessageScreenTest, ReturnEscapeOkAndLostFocusCloseItAndEveryKeyIsTaken)
{
    const auto shown = [this] { screen.show ("Error\nbody"); return screen.isVisible(); };

    ASSERT_TRUE (shown());
    EXPECT_TRUE (screen.keyPressed (juce::KeyPress ('a')));
    EXPECT_TRUE (screen.keyPressed (juce::KeyPress (juce::KeyPress::spaceKey)));
    EXPECT_TRUE (screen.isVisible());

    for (const auto& key : { juce::KeyPress (juce::KeyPress::escapeKey), juce::KeyPress (juce::KeyPress::returnKey) })
    {
        ASSERT_TRUE (shown());
        EXPECT_TRUE (screen.keyPressed (key));
        EXPECT_FALSE (screen.isVisible());
    }

    ASSERT_TRUE (shown());
    screen.getOkButton().onClick();
    EXPECT_FALSE (screen.isVisible());

    ASSERT_TRUE (shown());
    screen.focusLost (juce::Component::focusChangedByMouseClick);
    EXPECT_FALSE (screen.isVisible());
}

TEST_F (MessageScreenTest, DarkensTheWindowUnderAPanelWithATitleBarAndTheBodyInBlack)
{
    screen.show ("Error\nCannot open this MIDI port.");
    const auto snapshot = screen.createComponentSnapshot (screen.getLocalBounds());
    const auto panel = screen.getPanel();

    const auto dark = juce::Colour (0xB3000000), grey = dark.overlaidWith (juce::Colour (0xE66E6E6E));
    EXPECT_TRUE (ControlTesting::near (snapshot.getPixelAt (5, 5), dark));
    EXPECT_TRUE (ControlTesting::near (snapshot.getPixelAt (panel.getX() + 200, panel.getY() + 150), grey));
    EXPECT_TRUE (ControlTesting::near (snapshot.getPixelAt (panel.getRight() - 20, panel.getY() + 20),
                                       grey.overlaidWith (juce::Colour (0xE6000000))));

    int blackPixels = 0;
    for (int y = panel.getY() + 48; y < panel.getY() + 66; ++y)
        for (int x = panel.getX() + 20; x < panel.getX() + 200; ++x)
            blackPixels += snapshot.getPixelAt (x, y).getBrightness() < 0.1f ? 1 : 0;

    EXPECT_GT (blackPixels, 40);
}
