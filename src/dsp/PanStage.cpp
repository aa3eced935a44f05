#include "PanStage.h"

#include <cmath>

#if defined (__SSE2__)
 #include <emmintrin.h>
#endif

namespace
{
    // Single precision on purpose: the gains are formed from float square roots and this constant.
    constexpr float sqrtTwo = 1.4142135f;
    constexpr float centre = 0.5f;

    inline float clampUnit (float c) noexcept
    {
        return c < 0.0f ? 0.0f : (c > 1.0f ? 1.0f : c);
    }

    inline void panSample (float m, float amount, float inL, float inR, float& outL, float& outR) noexcept
    {
        const float c = clampUnit (0.5f * m + 0.5f);
        // In single precision sqrt (0.5) * sqrt (2) is 1 - 2^-24; the centre must be exactly unity,
        // so a wave without points leaves the signal untouched.
        const float gainL = c == centre ? 1.0f : std::sqrt (c) * sqrtTwo;
        const float gainR = c == centre ? 1.0f : std::sqrt (1.0f - c) * sqrtTwo;
        outL = ((gainL - 1.0f) * amount + 1.0f) * inL;
        outR = ((gainR - 1.0f) * amount + 1.0f) * inR;
    }

   #if defined (__SSE2__)
    inline __m128 select (__m128 mask, __m128 ifSet, __m128 otherwise) noexcept
    {
        return _mm_or_ps (_mm_and_ps (mask, ifSet), _mm_andnot_ps (mask, otherwise));
    }

    // Four samples of panSample with the same operations in the same order, so bit for bit the
    // same results (the modulation is never NaN, where the clamps would differ).
    inline void panFour (const float* m, __m128 amount, const float* inL, const float* inR, float* outL, float* outR) noexcept
    {
        const __m128 half = _mm_set1_ps (centre), one = _mm_set1_ps (1.0f), root2 = _mm_set1_ps (sqrtTwo);
        const __m128 c = _mm_min_ps (_mm_max_ps (_mm_add_ps (_mm_mul_ps (half, _mm_loadu_ps (m)), half), _mm_setzero_ps()), one);
        const __m128 atCentre = _mm_cmpeq_ps (c, half);
        const __m128 gainL = select (atCentre, one, _mm_mul_ps (_mm_sqrt_ps (c), root2));
        const __m128 gainR = select (atCentre, one, _mm_mul_ps (_mm_sqrt_ps (_mm_sub_ps (one, c)), root2));
        _mm_storeu_ps (outL, _mm_mul_ps (_mm_add_ps (_mm_mul_ps (_mm_sub_ps (gainL, one), amount), one), _mm_loadu_ps (inL)));
        _mm_storeu_ps (outR, _mm_mul_ps (_mm_add_ps (_mm_mul_ps (_mm_sub_ps (gainR, one), amount), one), _mm_loadu_ps (inR)));
    }
   #endif
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

    int i = 0;

   #if defined (__SSE2__)
    for (; i + 4 <= n; i += 4)
        panFour (m + i, mixVaries ? _mm_loadu_ps (k + i) : _mm_set1_ps (k[0]), inL + i, inR + i, outL + i, outR + i);
   #endif

    for (; i < n; ++i)
        panSample (m[i], k[mixVaries ? i : 0], inL[i], inR[i], outL[i], outR[i]);
}
