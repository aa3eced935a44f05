#pragma once

#include <algorithm>
#include <array>

// Control values for one processing span of at most 512 samples. While varying is clear only
// entry 0 is valid and stands for every sample of the span.
struct SignalBuffer
{
    static constexpr int capacity = 512;

    // Makes entries 0 ... n - 1 valid, copying entry 0 over the span when it was constant.
    void makeVarying (int n) noexcept
    {
        if (! varying)
            std::fill_n (samples.begin(), std::clamp (n, 0, capacity), samples[0]);

        varying = true;
    }

    float* data() noexcept { return samples.data(); }
    const float* data() const noexcept { return samples.data(); }

    std::array<float, capacity> samples {};
    bool varying = false;
};

// A stereo signal of one processing span.
struct SignalPair
{
    SignalBuffer left, right;
};
