#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Plug-in hosting needs JUCE's message system; this thread is its message thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
