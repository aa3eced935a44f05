#include "PanStage.h"

#include <cmath>

namespace
{
    // Single precision on purpose: the gains are formed from float square roots and this constant.
    constexpr float sqrtTwo = 1.4142135f;
    constexpr float centre = 0.5f;

    inline float clampUnit (float c) noexcept
    {
        return c < 0.0f ? 0.0f : (c > 1.0f ? 1.0f : c);
    }
}

PanStage::PanStage (AudioNode& parentNode, const SignalPair& inputPair, SignalBuffer& modulationBuffer,
                    const SignalBuffer& mixBuffer, SignalPair& outputPair) noexcept
    : AudioNode (parentNode), input (&inputPair), modulation (&modulationBuffer), mix (&mixBuffer), output (&outputPair)
{
}

void PanStage::render (int n) noexcept
{
    n = juce::jlimit (0, SignalBuffer::capacity, n);
    modulation->makeVarying (n);

    const float* m = modulation->data();
    const float* inL = input->left.data();
    const float* inR = input->right.data();
    float* outL = output->left.data();
    float* outR = output->right.data();
    const float* k = mix->data();
    const bool mixVaries = mix->varying;

    for (int i = 0; i < n; ++i)
    {
        const float c = clampUnit (0.5f * m[i] + 0.5f);
        // In single precision sqrt (0.5) * sqrt (2) is 1 - 2^-24; the centre must be exactly unity,
        // so a wave without points leaves the signal untouched.
        const float gainL = c == centre ? 1.0f : std::sqrt (c) * sqrtTwo;
        const float gainR = c == centre ? 1.0f : std::sqrt (1.0f - c) * sqrtTwo;
        const float amount = k[mixVaries ? i : 0];

        outL[i] = ((gainL - 1.0f) * amount + 1.0f) * inL[i];
        outR[i] = ((gainR - 1.0f) * amount + 1.0f) * inR[i];
    }
}
