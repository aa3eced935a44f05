#pragma once

#include "../gui/AudioEditorHelpers.h"

class AudioProcessor;
class ButtonWithParameter;
class Splash;
class Switch;
class WaveControl;

// Orvanta2's window: every control on the 525 × 633 background, bound to its parameter, with
// the speed and MIDI controls enabled only while they mean something.
class AudioEditor : public AudioEditorHelpers
{
public:
    static const juce::String updateUrl;

    explicit AudioEditor (AudioProcessor& owner);
    ~AudioEditor() override;

    // Greys out the speed controls the speed type does not use, the channel menu without a
    // system MIDI input, and the note menu while it cannot pick a note.
    void parameterStepChanged (int index, int step) override;

    // Shows the played wave in the curve editor and says so in the tip area.
    void showCurrentWave();

    // The product's name without the figures 2 and 3, its version and where to find more.
    static const juce::String& defaultTipText();

private:
    const ParameterRecord& record (int index) const;
    // The step of a stepped parameter in the editor's mirror.
    int currentStep (int index) const;

    void addMidiMenus (const juce::StringArray& midiInputs);
    void addSpeedMenus();
    void addWaveChoice();
    void addKnobs();
    Switch& addVisibleWaveSwitch();
    void addCurveEditor (AudioProcessor& owner);
    ButtonWithParameter& addZoom();
    void addCurveButtons (AudioProcessor& owner, int top);
    void addAboutScreen();
    void addTipArea();
    void addUpdateLink();

    void enableSpeedControls (int speedTypeStep);
    void enableNoteMenu();

    WaveControl* curveEditor = nullptr;   // owned by the background
    std::unique_ptr<Splash> aboutScreen;   // a child of the window itself, over everything else

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioEditor)
};
