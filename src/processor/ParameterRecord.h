#pragma once

#include "ParameterLayout.h"

#include <juce_core/juce_core.h>

// One parameter as the signal nodes see it: the number they read (storage) and what the store
// needs to write it. Every value is normalized to 0 ... 1. A stepped record of n steps stores the
// bottom of its step's interval, s / n, and exactly 1.0 for the top step.
struct ParameterRecord
{
    enum Kind
    {
        plain = 0,
        wavePoint = 1,
        placeholder = 2
    };

    static constexpr int continuous = ParameterLayout::continuous;

    ParameterRecord() = default;
    explicit ParameterRecord (int numSteps) noexcept : steps (numSteps) {}

    bool isStepped() const noexcept { return steps != continuous; }

    static int stepOf (float value, int numSteps) noexcept { return ParameterLayout::stepOf (value, numSteps); }
    static float valueOfStep (int step, int numSteps) noexcept { return ParameterLayout::valueOfStep (step, numSteps); }

    int currentStep() const noexcept { return stepOf (storage, steps); }
    void writeStep (int step) noexcept { storage = valueOfStep (step, steps); }

    void writeValue (float newValue) noexcept
    {
        value = juce::jlimit (0.0f, 1.0f, newValue);
        storage = value;
    }

    int steps = continuous;
    float value = -1.0f;   // last value written to a continuous record; -1 until the first write
    float storage = 0.0f;
    int kind = plain;
    int index = -1;        // position in the processor's parameter table; -1 until registered
    juce::String name;
    int group = 0;         // the wave number 0 ... 9 of a wave-point parameter
};
