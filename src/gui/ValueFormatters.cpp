#include "ValueFormatters.h"

namespace
{
    juce::String withUnit (double number, int decimals, const char* unit)
    {
        return juce::String (number, decimals) + unit;
    }

    // Below 10 one decimal, except that what would print as 10.0 prints as 10; truncated from 10 up.
    juce::String panNumber (float number)
    {
        if (number < 10.0f)
        {
            const auto text = juce::String (number, 1);
            return text == "10.0" ? juce::String ("10") : text;
        }

        return juce::String ((int) number);
    }
}

juce::String formatFrequency (float hz)
{
    if (hz >= 10000.0f) return withUnit (hz / 1000.0, 1, "kHz");
    if (hz >= 1000.0f) return withUnit (hz / 1000.0, 2, "kHz");
    if (hz >= 100.0f) return juce::String ((int) hz) + "Hz";
    if (hz >= 10.0f) return withUnit (hz, 1, "Hz");
    if (hz >= 1.0f) return withUnit (hz, 2, "Hz");
    return withUnit (hz, 3, "Hz");
}

juce::String formatLfoRate (float value)
{
    // The factor is the 32-bit 0.02, carried in double precision.
    return formatFrequency ((float) ((double) 0.02f * std::pow (2.0, 18.0 * (double) value)));
}

juce::String formatPercent (float value)
{
    // Truncated, but not below what the value stands for: a drag to 0.1 sums to 0.099999994,
    // which is 10% and not 9%. The allowance is far below one hundredth.
    constexpr double allowance = 1.0e-4;
    const auto scaled = (double) value * 100.0;
    const auto hundredths = (int) (scaled + (scaled < 0.0 ? -allowance : allowance));
    return (value < 0.0f && hundredths == 0 ? "-" : "") + juce::String (hundredths) + "%";
}

juce::String formatPanPosition (float position)
{
    if (position == 0.0f) return "L";
    if (position == 0.5f) return "C";
    if (position == 1.0f) return "R";

    // In single precision, as the value is stored, so 0.7 is 40R and not 39R.
    const float fromCentre = position * 200.0f - 100.0f;
    return position < 0.5f ? panNumber (-fromCentre) + "L" : panNumber (fromCentre) + "R";
}

juce::String formatPan (float value)
{
    return formatPanPosition (1.0f - value);
}

juce::String formatTwoDecimals (float value)
{
    return juce::String (value, 2);
}
