#pragma once

#include "AudioControl.h"

#include <array>

// A ten-position picture switch for a stepped parameter, positions stacked from top to bottom.
// The strip holds one frame per position side by side. A click or drag picks the position under
// the pointer; the picture changes only when the parameter's change comes back.
//
// A strip that does not decode, or is not ten whole frames wide, gives a switch of no size that
// draws nothing.
class Switch : public AudioControl, public juce::Component
{
public:
    static constexpr int positionCount = 10;

    // The product's switch strip.
    Switch (AudioEditorBase& editor, int parameterIndex);
    Switch (AudioEditorBase& editor, int parameterIndex, const void* stripData, int stripSize);

    void stepChanged (int step) override;

    void mouseDrag (const juce::MouseEvent& e) override { pick (e); }
    void mouseUp (const juce::MouseEvent& e) override { pick (e); }
    void paint (juce::Graphics&) override;

    int getCurrentPosition() const noexcept { return currentPosition; }

private:
    void pick (const juce::MouseEvent&);
    int positionAt (int y) const noexcept;

    juce::Image image;
    int currentPosition = 0;
    std::array<int, positionCount> boundaries {};
};
