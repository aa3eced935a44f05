#pragma once

#include <juce_core/juce_core.h>

// A one-line progress bar on the terminal, redrawn in place; silent when stdout is not a
// terminal or the render is short.
class ProgressBar
{
public:
    static constexpr double minimumSecondsShown = 1.0;

    ProgressBar (juce::int64 total, bool visible);
    ~ProgressBar();

    // Whether a render of that many seconds of audio shows a bar: only on a terminal.
    static bool wanted (double audioSeconds);

    void update (juce::int64 done);
    // Clears the bar's line so the summary prints in its place.
    void finish();

private:
    juce::int64 total;
    bool visible;
    int shownPercent = -1;
};
