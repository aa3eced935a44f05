#pragma once

#include <juce_core/juce_core.h>

// The step names Orvanta2's editor shows in its menus, by parameter name, so that a stepped
// parameter can be set the way a user picks it: "Speed Type=Hertz Retrig.".
class StepNames
{
public:
    // The names of steps 0, 1, ... of the parameter; empty when it has none. "Midi In" names only
    // step 0: the others are the system's MIDI inputs.
    static juce::StringArray forParameter (const juce::String& parameterName);

    // The normalized value that selects step s of a parameter with n steps: s / n, and exactly
    // 1 for the last step, the way the plug-in writes steps itself.
    static float valueOfStep (int step, int numSteps);
};
