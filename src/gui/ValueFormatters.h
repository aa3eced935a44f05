#pragma once

#include <juce_core/juce_core.h>

// The texts knobs show for their values; plain functions so a knob stores only a pointer.
using ValueFormatter = juce::String (*) (float);

// Hertz with fixed decimals chosen by magnitude: 10.0kHz, 1.00kHz, 100Hz, 10.0Hz, 1.00Hz, 0.100Hz.
juce::String formatFrequency (float hz);
// The LFO rate 0.02 · 2^(18 v) Hz: 0.020Hz at 0, 5.24kHz at 1.
juce::String formatLfoRate (float value);
// The truncated hundredths: 0.999 gives 99%.
juce::String formatPercent (float value);
// 0 is "L", 0.5 "C", 1 "R"; between them the distance from the centre with its side: 4.0R, 50L.
juce::String formatPanPosition (float position);
// A pan value whose 0 is the right side.
juce::String formatPan (float value);
juce::String formatTwoDecimals (float value);
