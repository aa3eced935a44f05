// The value texts of knobs and of the curve editor's read-out.

#include "gui/ValueFormatters.h"

#include <gtest/gtest.h>

TEST (ValueFormatters, Table)
{
    struct Case
    {
        ValueFormatter format;
        float value;
        const char* text;
    };

    const Case cases[] = {
        { formatFrequency, 12345.0f, "12.3kHz" },
        { formatFrequency, 9999.5f, "10.00kHz" },   // two decimals from the 1000 ... 10000 branch
        { formatFrequency, 1000.0f, "1.00kHz" },
        { formatFrequency, 999.9f, "999Hz" },       // truncated
        { formatFrequency, 99.99f, "100.0Hz" },
        { formatFrequency, 10.0f, "10.0Hz" },
        { formatFrequency, 9.999f, "10.00Hz" },
        { formatFrequency, 1.0f, "1.00Hz" },
        { formatFrequency, 0.5f, "0.500Hz" },
        { formatLfoRate, 0.0f, "0.020Hz" },
        { formatLfoRate, 0.5f, "10.2Hz" },
        { formatLfoRate, 0.75f, "231Hz" },          // 231.7, truncated
        { formatLfoRate, 1.0f, "5.24kHz" },
        { formatPercent, 0.999f, "99%" },
        { formatPercent, 1.0f, "100%" },
        { formatPercent, 20 * 0.005f, "10%" },     // a 20-pixel drag from 0 sums to just under 0.1
        { formatPercent, 0.57f, "57%" },
        { formatPercent, 0.0f, "0%" },
        { formatPercent, -0.5f, "-50%" },
        { formatPercent, -0.001f, "-0%" },
        { formatPanPosition, 0.0f, "L" },
        { formatPanPosition, 0.5f, "C" },
        { formatPanPosition, 1.0f, "R" },
        { formatPanPosition, 0.5495f, "9.9R" },
        { formatPanPosition, 0.5499f, "10R" },      // prints as 10.0
        { formatPanPosition, 0.52f, "4.0R" },
        { formatPanPosition, 0.75f, "50R" },
        { formatPanPosition, 0.7f, "40R" },
        { formatPanPosition, 0.25f, "50L" },
        { formatPanPosition, 0.48f, "4.0L" },
        { formatPan, 0.0f, "R" },
        { formatPan, 1.0f, "L" },
        { formatPan, 0.25f, "50R" },
        { formatTwoDecimals, 0.5f, "0.50" },
        { formatTwoDecimals, 0.567f, "0.57" },
        { formatTwoDecimals, 1.0f, "1.00" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (c.format (c.value), juce::String (c.text)) << "value " << c.value;
}
