#pragma once

#include <juce_core/juce_core.h>

#include <array>

// Orvanta2's parameters by index, as hosts list them, programs store them and the editor's menus
// show them: every index, name, step count and step name is written here and nowhere else. The
// processor registers its parameters in this order (a test holds the two together). Header only,
// with nothing but juce_core, so the tools that host the plug-in read the same layout.
struct ParameterLayout
{
    //==============================================================================
    // The 24 plug-in parameters; the indices in between are placeholders.
    static constexpr int loopLength = 0;
    static constexpr int usedWave = 1;
    static constexpr int visibleWave = 2;
    static constexpr int reservedAfterVisibleWave = 3;   // older programs kept a value here
    static constexpr int speedType = 4;
    static constexpr int speed = 5;
    static constexpr int midiIn = 8;
    static constexpr int midiInChannel = 9;
    static constexpr int midiInOctave = 10;
    static constexpr int midiInNote = 11;
    static constexpr int oscilloscopeZoom = 14;
    static constexpr int mix = 16;
    static constexpr int numPluginParameters = 24;

    static constexpr const char* placeholderName = "X (Reserved)";
    static constexpr int continuous = 0;   // the step count of a parameter without steps

    //==============================================================================
    // The points of the ten waves follow: X, Y and Type of every slot.
    static constexpr int numWaves = 10;
    static constexpr int numSlots = 40;
    enum PointField { pointX = 0, pointY, pointType };
    static constexpr int fieldsPerPoint = 3;
    static constexpr int xSteps = 8192;
    static constexpr int typeSteps = 4;
    static constexpr int firstPointParameter = numPluginParameters;
    static constexpr int numPointParameters = numWaves * numSlots * fieldsPerPoint;
    static constexpr int numParameters = numPluginParameters + numPointParameters;

    // Slots 1 ... 20 of every wave come first, then slots 21 ... 40: banks saved when waves had
    // 20 points keep their indices.
    static constexpr int slotsPerHalf = numSlots / 2;
    // The parameters before the second half: what programs held before waves had 40 points.
    static constexpr int numFirstHalfParameters = firstPointParameter + numWaves * slotsPerHalf * fieldsPerPoint;

    static constexpr int pointParameter (int wave, int slot, PointField field) noexcept
    {
        const int position = (slot / slotsPerHalf) * numWaves * slotsPerHalf + wave * slotsPerHalf + slot % slotsPerHalf;
        return firstPointParameter + fieldsPerPoint * position + field;
    }

    struct PointAddress
    {
        int wave, slot;
        PointField field;
    };

    static constexpr bool isPointParameter (int index) noexcept
    {
        return index >= firstPointParameter && index < numParameters;
    }

    // The inverse of pointParameter; only for point parameters.
    static constexpr PointAddress pointAt (int index) noexcept
    {
        const int position = (index - firstPointParameter) / fieldsPerPoint;
        const int half = position / (numWaves * slotsPerHalf);
        const int inHalf = position % (numWaves * slotsPerHalf);
        return { inHalf / slotsPerHalf, half * slotsPerHalf + inHalf % slotsPerHalf,
                 (PointField) ((index - firstPointParameter) % fieldsPerPoint) };
    }

    //==============================================================================
    // The items of the editor's menus, step 0 first.
    static constexpr std::array<const char*, 18> loopLengthSteps {
        "1/128", "1/64", "1/32", "1/16", "1/8", "1/8d (3/16)", "1/4", "1/4d (3/8)", "1/2", "3/4",
        "1 Bar (4/4)", "1.5 Bars (6/4)", "2 Bars (8/4)", "3 Bars (12/4)", "4 Bars", "8 Bars", "16 Bars", "32 Bars"
    };
    static constexpr std::array<const char*, numWaves> waveSteps {
        "Wave 1", "Wave 2", "Wave 3", "Wave 4", "Wave 5", "Wave 6", "Wave 7", "Wave 8", "Wave 9", "Wave 10"
    };
    static constexpr std::array<const char*, 7> speedTypeSteps {
        "Beat Synced", "Beat Retrig.", "Beat 1-Shot", "Hertz Synced", "Hertz Retrig.", "Hertz 1-Shot", "Pitch -> Rate"
    };
    // "Midi In" names only step 0 here: the other steps are the system's MIDI inputs.
    static constexpr std::array<const char*, 1> midiInFirstSteps { "In From Host" };
    static constexpr std::array<const char*, 17> midiInChannelSteps {
        "All", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"
    };
    static constexpr std::array<const char*, 12> midiInOctaveSteps {
        "All Notes", "Octave -2", "Octave -1", "Octave 0", "Octave 1", "Octave 2", "Octave 3", "Octave 4",
        "Octave 5", "Octave 6", "Octave 7", "Octave 8"
    };
    static constexpr std::array<const char*, 12> midiInNoteSteps {
        "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"
    };

    // "Oscilloscope Zoom" where the editor's reset puts it.
    static constexpr double defaultOscilloscopeZoom = 5.0 / 13.0;

    // The steps of "Speed Type".
    enum SpeedTypeStep { beatSynced = 0, beatRetrig, beatOneShot, hertzSynced, hertzRetrig, hertzOneShot, pitchToRate };
    // Steps of "Midi In Octave": 0 is every note; step 1 is the octave of note 0.
    static constexpr int allNotesStep = 0;

    //==============================================================================
    // A named plug-in parameter and the menu items of its steps (none when it has no steps).
    struct Named
    {
        int index;
        const char* name;
        const char* const* stepNames;
        int numSteps;
    };

    static constexpr std::array<Named, 11> namedParameters {
        Named { loopLength, "Loop Length", loopLengthSteps.data(), (int) loopLengthSteps.size() },
        Named { usedWave, "Used Wave", waveSteps.data(), (int) waveSteps.size() },
        Named { visibleWave, "Visible Wave", waveSteps.data(), (int) waveSteps.size() },
        Named { speedType, "Speed Type", speedTypeSteps.data(), (int) speedTypeSteps.size() },
        Named { speed, "Speed", nullptr, continuous },
        Named { midiIn, "Midi In", midiInFirstSteps.data(), (int) midiInFirstSteps.size() },
        Named { midiInChannel, "Midi In Channel", midiInChannelSteps.data(), (int) midiInChannelSteps.size() },
        Named { midiInOctave, "Midi In Octave", midiInOctaveSteps.data(), (int) midiInOctaveSteps.size() },
        Named { midiInNote, "Midi In Note", midiInNoteSteps.data(), (int) midiInNoteSteps.size() },
        Named { oscilloscopeZoom, "Oscilloscope Zoom", nullptr, continuous },
        Named { mix, "Mix", nullptr, continuous },
    };

    // The entry of a named plug-in parameter, or null for placeholders and points.
    static constexpr const Named* namedAt (int index) noexcept
    {
        for (auto& named : namedParameters)
            if (named.index == index)
                return &named;

        return nullptr;
    }

    static constexpr bool isPlaceholder (int index) noexcept
    {
        return index >= 0 && index < numPluginParameters && namedAt (index) == nullptr;
    }

    // The step count; 0 for a parameter without steps. "Midi In" counts only its first step here,
    // as its other steps are the system's MIDI inputs.
    static constexpr int stepsOf (int index) noexcept
    {
        if (isPointParameter (index))
        {
            const auto field = pointAt (index).field;
            return field == pointX ? xSteps : field == pointType ? typeSteps : continuous;
        }

        const auto* named = namedAt (index);
        return named != nullptr ? named->numSteps : continuous;
    }

    // "Loop Length", "Wave3.12 Type", "X (Reserved)"; empty outside 0 ... 1223.
    static juce::String nameOf (int index)
    {
        if (isPointParameter (index))
        {
            const auto point = pointAt (index);
            static constexpr const char* fieldNames[] = { "X", "Y", "Type" };
            return "Wave" + juce::String (point.wave + 1) + "." + juce::String (point.slot + 1) + " "
                 + fieldNames[point.field];
        }

        if (index < 0 || index >= numPluginParameters)
            return {};

        const auto* named = namedAt (index);
        return named != nullptr ? juce::String (named->name) : juce::String (placeholderName);
    }

    // The menu items of a stepped plug-in parameter, step 0 first; empty for the others.
    static juce::StringArray stepNamesOf (int index)
    {
        juce::StringArray names;

        if (const auto* named = namedAt (index))
            for (int step = 0; step < named->numSteps; ++step)
                names.add (named->stepNames[step]);

        return names;
    }

    // The index of a parameter by its name, or -1.
    static int indexOf (const juce::String& name)
    {
        for (int index = 0; index < numParameters; ++index)
            if (nameOf (index) == name)
                return index;

        return -1;
    }

    //==============================================================================
    // The step rule: a value v of a parameter with n steps is on step min(n - 1, trunc((v + 0.00001) n)),
    // the offset a single-precision constant, sum and product in double precision.
    // A value outside 0 ... 1 (damaged data of an old program) falls on the nearest end.
    static int stepOf (float value, int numSteps) noexcept
    {
        constexpr float offset = 0.00001f;
        const auto scaled = ((double) value + (double) offset) * (double) numSteps;

        if (! (scaled >= 0.0))   // below 0, or not a number
            return 0;

        return scaled < (double) (numSteps - 1) ? (int) scaled : numSteps - 1;
    }

    // The value that stands for step s: s / n, and exactly 1.0 for the top step. Steps outside
    // 0 ... n - 1 are taken as the nearest end.
    static float valueOfStep (int step, int numSteps) noexcept
    {
        step = juce::jlimit (0, numSteps - 1, step);
        return step == numSteps - 1 ? 1.0f : (float) step / (float) numSteps;
    }
};

static_assert (ParameterLayout::numParameters == 1224);
static_assert (ParameterLayout::pointAt (ParameterLayout::pointParameter (7, 33, ParameterLayout::pointType)).slot == 33);
