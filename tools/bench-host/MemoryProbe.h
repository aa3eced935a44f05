#pragma once

#include <juce_core/juce_core.h>

// This process's resident memory from /proc/self/status, in KiB: the current amount (VmRSS)
// and the peak (VmHWM), which can be reset to the current amount.
class MemoryProbe
{
public:
    static juce::int64 residentKib() { return readKib ("VmRSS:"); }
    static juce::int64 peakKib() { return readKib ("VmHWM:"); }

    // Starts a new peak from what is resident now; false where the kernel does not allow it.
    static bool resetPeak();

private:
    static juce::int64 readKib (const juce::String& field);
};
