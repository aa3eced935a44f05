// "Name=Value" against the hosted VST 2 plug-in: step names of the product's menus, normalized
// values, names VST 2 hosts see shortened, and what is refused.

#include "ParameterAssignment.h"
#include "ReferenceHost.h"
#include "ToolError.h"

#include <gtest/gtest.h>

namespace
{
    struct Assignment
    {
        const char* text;
        int index;
        float value;
    };

    struct Refusal
    {
        const char* text;
        const char* message;
    };

    void PrintTo (const Assignment& a, std::ostream* out) { *out << a.text; }
    void PrintTo (const Refusal& r, std::ostream* out) { *out << r.text; }

    class ParameterAssignmentFixture
    {
    protected:
        static juce::AudioPluginInstance& plugin()
        {
            static auto instance = ReferenceHost::load (ReferenceHost::vst2, 48000.0, 512);
            return *instance;
        }
    };

    class ParameterAssignments : public testing::TestWithParam<Assignment>, protected ParameterAssignmentFixture {};
    class ParameterRefusals : public testing::TestWithParam<Refusal>, protected ParameterAssignmentFixture {};
}

TEST_P (ParameterAssignments, ResolveToTheParameterAndItsValue)
{
    const auto assignment = ParameterAssignment::resolve (plugin(), GetParam().text, true);

    EXPECT_EQ (assignment.getParameter(), plugin().getParameters()[GetParam().index]);
    EXPECT_FLOAT_EQ (assignment.getValue(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P (
    Cases, ParameterAssignments,
    testing::Values (Assignment { "Mix=0.5", 16, 0.5f },
                     Assignment { " mix = 1 ", 16, 1.0f },
                     Assignment { "Speed Type=Hertz Retrig.", 4, 4.0f / 7.0f },
                     Assignment { "Speed Type=beat synced", 4, 0.0f },
                     Assignment { "Speed Type=Pitch -> Rate", 4, 1.0f }, // the last step is exactly 1
                     Assignment { "Loop Length=1/8d (3/16)", 0, 5.0f / 18.0f },
                     Assignment { "Used Wave=Wave 10", 1, 1.0f },
                     Assignment { "Midi In=In From Host", 8, 0.0f },
                     Assignment { "Midi In Channel=16", 9, 1.0f },  // a step name, not a value
                     Assignment { "Midi In Channel=1", 9, 1.0f / 17.0f },
                     Assignment { "Midi In Octave=Octave 0", 10, 3.0f / 12.0f },
                     Assignment { "Midi In Note=G#", 11, 8.0f / 12.0f },
                     Assignment { "Oscilloscope Zoom=0.3", 14, 0.3f }, // VST 2 hosts see "Oscilloscope Zo"
                     Assignment { "Wave10.40 Type=0.75", 1223, 0.75f },
                     Assignment { "16=0.2", 16, 0.2f }));

TEST_P (ParameterRefusals, NameWhatIsWrong)
{
    try
    {
        ParameterAssignment::resolve (plugin(), GetParam().text, true);
        FAIL() << "accepted";
    }
    catch (const ToolError& error)
    {
        EXPECT_NE (std::string (error.what()).find (GetParam().message), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P (
    Cases, ParameterRefusals,
    testing::Values (Refusal { "Mix", "not of the form Name=Value" },
                     Refusal { "Mixer=0.5", "no parameter \"Mixer\"" },
                     Refusal { "X (Reserved)=0", "not unique" },
                     Refusal { "Mix=-0.1", "out of range 0 ... 1" },
                     Refusal { "Mix=loud", "not a step of \"Mix\" (it takes a value 0 ... 1)" },
                     Refusal { "Speed Type=Hertz", "steps: Beat Synced, Beat Retrig." },
                     Refusal { "Mix=0.5.5", "is not a number" }));
