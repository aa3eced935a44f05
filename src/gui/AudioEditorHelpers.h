#pragma once

#include "AudioControl.h"
#include "AudioEditorBase.h"
#include "ValueFormatters.h"

class Button;
class ButtonWithParameter;
class Knob;
class Menu;
struct ParameterRecord;

// The editor base with factories for the standard controls: each builds the control, gives it
// its tip, places it, makes it a visible child of the background panel (which owns it) and binds
// it to its parameter.
class AudioEditorHelpers : public AudioEditorBase
{
public:
    using AudioEditorBase::AudioEditorBase;

    template <typename ControlType>
    ControlType& addToBackground (std::unique_ptr<ControlType> control, int x, int y)
    {
        control->setTopLeftPosition (x, y);
        auto& added = getBackground().addOwnedChild (std::move (control));

        if constexpr (std::is_base_of_v<AudioControl, ControlType>)
            registerControl (added);

        return added;
    }

    // A menu from a strip of frameCount frames; it shows its first item, once added, until its step arrives.
    Menu& addMenu (const ParameterRecord& parameter, int x, int y, const void* imageData, int imageSize, int frameCount,
                   const juce::String& tip);
    // A knob of the product's strips whose frame sits at (x − 9, y − 2); no name label for an empty name.
    Knob& addKnob (const ParameterRecord& parameter, const juce::String& name, int x, int y, ValueFormatter formatter,
                   const juce::String& tip, float defaultValue);
    // The zoom icon, dragged like a knob.
    ButtonWithParameter& addButtonWithParameter (int index, float defaultValue, const juce::String& tip);
    // The show-current-wave button; bound to no parameter.
    Button& addButton();
};
