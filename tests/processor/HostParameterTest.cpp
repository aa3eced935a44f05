#include "processor/HostParameter.h"

#include <gtest/gtest.h>

TEST (HostParameter, ShowsTwoDecimalsRoundedHalfUp)
{
    const std::pair<float, const char*> cases[] = {
        { 0.0f, "0.00" }, { 1.0f, "1.00" }, { 3.0f / 7.0f, "0.43" }, { 0.384615f, "0.38" },
        { 0.995f, "1.00" }, { 0.125f, "0.13" }, { 0.0049f, "0.00" }, { 0.44f, "0.44" },
    };

    for (auto& [value, text] : cases)
        EXPECT_EQ (HostParameter::formatValue (value), text) << value;
}

TEST (HostParameter, Vst2NamesKeepSixteenCharactersInFifteenBytes)
{
    EXPECT_EQ (HostParameter::vst2Name ("Oscilloscope Zoom"), "Oscilloscope Zo");
    EXPECT_EQ (HostParameter::vst2Name ("Wave10.40 Type"), "Wave10.40 Type");
    EXPECT_EQ (HostParameter::vst2Name ("Mix"), "Mix");
    // A multi-byte character is dropped whole, never cut in half.
    EXPECT_EQ (HostParameter::vst2Name (juce::String::fromUTF8 ("Oscilloscope Z\xc3\xa9ro")),
               juce::String::fromUTF8 ("Oscilloscope Z"));
}
