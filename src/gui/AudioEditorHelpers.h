#pragma once

#include "AudioControl.h"
#include "AudioEditorBase.h"

// The editor base with the step every control factory shares: place the new control, make it
// a visible child of the background panel (which owns it) and bind it to its parameter.
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
};
