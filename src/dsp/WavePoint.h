#pragma once

// One point of a drawn wave as the editor, the copy buffer and wave files hold it.
struct WavePoint
{
    static constexpr int emptyType = 0;
    static constexpr int maxType = 3;   // entered three times into the control polygon: a corner

    bool isUsed() const noexcept { return type > emptyType; }

    // The curve runs from -1 at y = 0 to +1 at y = 1.
    float curveValue() const noexcept { return 2.0f * y - 1.0f; }

    int x = 0;          // position in the cycle, 0 ... 8191, in units of 1/8192 cycle
    float y = 0.0f;     // normalized value, 0 ... 1
    int type = emptyType;
};
