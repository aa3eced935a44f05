#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

// The processor and the GUI dispatcher run timers, which need JUCE's message system; this thread
// is its message thread. No message loop runs: tests call the timer work themselves.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
