#include "AudioEditor.h"

#include "../gui/Button.h"
#include "../gui/ButtonRow.h"
#include "../gui/ButtonWithParameter.h"
#include "../gui/Font.h"
#include "../gui/Menu.h"
#include "../gui/Splash.h"
#include "../gui/SplashClickArea.h"
#include "../gui/Switch.h"
#include "../gui/TipView.h"
#include "../dsp/MidiPortsProcessor.h"
#include "../dsp/OscilloscopeProcessor.h"
#include "../dsp/WaveCubicProcessor.h"
#include "../events/EventKinds.h"
#include "../processor/AudioProcessor.h"
#include "../processor/ParameterLayout.h"
#include "../waveeditor/WaveControl.h"

#include <Resources.h>

#include <optional>
#include <vector>

namespace
{
    using Parameters = ParameterLayout;

    constexpr int wideMenuFrames = 4, narrowMenuFrames = 4, waveMenuFrames = 2;
    // The top octave holds only the notes up to G8: G# (8) and above pick no MIDI note.
    constexpr int highestOctaveStep = (int) Parameters::midiInOctaveSteps.size() - 1;
    constexpr int notesInHighestOctave =
        AudioProcessor::numNotes - (highestOctaveStep - 1) * (int) Parameters::midiInNoteSteps.size();
    constexpr juce::uint32 linkColour = 0xff878787;
    const juce::Point<int> linkPosition { 332, 595 };
    constexpr int linkHeight = 14;
    const juce::Rectangle<int> tipArea { 335, 378, 162, 99 };

    const char* const midiInTip =
        "We recommend selecting \"In From Host\" to receive MIDI directly from your host sequencer.\n\n"
        "If this does not work with your host, choose one of the given MIDI ins.";
    const char* const virtualPortsTip =
        "We recommend installing MIDI Yoke, LoopBe or loopMIDI if you want to add virtual MIDI ports.";
    const char* const portFlawsTip =
        "Note that (virtual) MIDI ports have two flaws:\n"
        "- Timing might not be accurate, especially when you bounce a song.\n"
        "- If you install or remove MIDI ports later, you might need to set up the chosen MIDI port again.";
    const char* const channelTip = "Select the MIDI In channel. This is only active if you receive MIDI from a MIDI port.";
    const char* const triggerNoteTip = "Select the note that will trigger Orvanta's LFO.";
    const char* const speedTypeTip =
        "Set the tempo in musical units or to a rate in hertz, synced to your host sequencer or retriggered when "
        "playing a note. Or let the LFO play at the pitch of the last played note.\n\n"
        "If set to \"1-Shot\", the LFO will play exactly once and keep the last value of the waveform until a new "
        "note is played.\n\n"
        "Note that \"Retrig.\", \"1-Shot\" and \"Pitch -> Rate\" only work if the plugin is receiving notes.";
    const char* const mixTip = "Set the balance between the processed and original audio signal. A value of 0% will "
                               "only play the original audio signal.";
    const char* const zoomTip = "Click and move mouse up/down to zoom oscilloscope.\n\n"
                                "CTRL-click to set the oscilloscope's default zooming.";

    // The curve buttons' column starts one group gap under the zoom icon, which sits 16 pixels down.
    constexpr int curveButtonsX = 307, curveButtonsGap = 32;
    constexpr int commandStyle = 0, toggleStyle = 1;   // grey icons; orange while on

    // A switch of the curve editor that a button flips and shows.
    struct CurveToggle
    {
        bool WaveState::*isOn;
        int onKind, offKind;
        void (*flip) (WaveControl&);
    };

    const CurveToggle stepsDrawingToggle { &WaveState::stepsDrawing, EventKinds::stepDrawingOn, EventKinds::stepDrawingOff,
                                           [] (WaveControl& c) { c.toggleStepsDrawing(); } };
    const CurveToggle snapToggle { &WaveState::snapToGrid, EventKinds::snapToGridOn, EventKinds::snapToGridOff,
                                   [] (WaveControl& c) { c.toggleSnap(); } };

    // A button runs a command (its shift command on a SHIFT-click), or flips a toggle.
    struct CurveButton
    {
        bool startsGroup;
        const char* image;
        int imageSize;
        const char* tip;
        WaveModifier command;                       // left at 0 by a toggle
        std::optional<WaveModifier> shiftCommand;   // the command itself when empty
        const CurveToggle* toggle;
    };

    using M = WaveModifier;

    std::vector<CurveButton> curveButtons()
    {
        using namespace Resources;
        return {
            { true, icon_delete_png, icon_delete_pngSize, "Delete points.", M::DeletePoints, {}, nullptr },
            { true, icon_steps_png, icon_steps_pngSize, "Activate steps drawing.", {}, {}, &stepsDrawingToggle },
            { false, icon_snap_png, icon_snap_pngSize,
              "Snap to waveform grid when moving a point. You can hold SHIFT while moving a point to temporarily "
              "inverse this setting.", {}, {}, &snapToggle },
            { true, icon_sine_png, icon_sine_pngSize, "Select classic analog waveform: Sine", M::ShapeSine, {}, nullptr },
            { false, icon_triangle_png, icon_triangle_pngSize, "Select classic analog waveform: Triangle", M::ShapeTriangle,
              {}, nullptr },
            { false, icon_randomize_png, icon_randomize_pngSize,
              "Randomize waveform points. The randomized waveform will contain the same number of points as the current "
              "waveform.\n\nIf snapping to waveform grid is activated, the randomized points will snap to the grid.",
              M::Randomize, {}, nullptr },
            { true, icon_earlier_png, icon_earlier_pngSize, "Move up in time.\n\nSHIFT-click for more precise adjustments.",
              M::TimeEarlier, M::TimeEarlierFine, nullptr },
            { false, icon_later_png, icon_later_pngSize, "Move down in time.\n\nSHIFT-click for more precise adjustments.",
              M::TimeLater, M::TimeLaterFine, nullptr },
            { true, icon_undo_png, icon_undo_pngSize, "Undo waveform changes.", M::Undo, {}, nullptr },
            { false, icon_redo_png, icon_redo_pngSize, "Redo waveform changes.", M::Redo, {}, nullptr },
        };
    }

    void addItems (Menu& menu, const juce::StringArray& items)
    {
        for (auto& item : items)
            menu.addItem (item);
    }
}

const juce::String AudioEditor::updateUrl =
    juce::String ("https://www.vostrelle.com/web_app.py?page_name=update&product=orvanta&version=") + JucePlugin_VersionString;

AudioEditor::AudioEditor (AudioProcessor& owner)
    : AudioEditorHelpers (owner)
{
    addMidiMenus (owner.getMidiPorts()->getMidiInputNames());
    addSpeedMenus();
    addWaveChoice();
    addKnobs();
    auto& visibleWaveSwitch = addVisibleWaveSwitch();
    addCurveEditor (owner);
    visibleWaveSwitch.toFront (false);   // it overlaps the curve editor
    addCurveButtons (owner, curveButtonsGap + addZoom().getHeight());

    addAboutScreen();
    addTipArea();
    addUpdateLink();
    start (defaultTipText());
}

AudioEditor::~AudioEditor() = default;

const juce::String& AudioEditor::defaultTipText()
{
    static const juce::String text = juce::String (JucePlugin_Name).removeCharacters ("23") + " "
                                   + JucePlugin_VersionString + "\n\nClick the Vostrelle logo for additional information.";
    return text;
}

const ParameterRecord& AudioEditor::record (int index) const
{
    const auto* found = getProcessorBase().getParameterRecord (index);
    jassert (found != nullptr);
    return *found;
}

int AudioEditor::currentStep (int index) const
{
    const auto entry = mirrorEntry (index);
    return entry.isStep ? entry.step : Parameters::stepOf (entry.value, Parameters::stepsOf (index));
}

void AudioEditor::addMidiMenus (const juce::StringArray& midiInputs)
{
    // Every format of this product receives the host's MIDI, so "In From Host" is always enabled.
    auto& midiIn = addMenu (record (Parameters::midiIn), 371, 138, Resources::menu_wide_png, Resources::menu_wide_pngSize,
                            wideMenuFrames, juce::String (midiInTip) + " " + virtualPortsTip + "\n\n" + portFlawsTip);
    addItems (midiIn, Parameters::stepNamesOf (Parameters::midiIn));
    addItems (midiIn, midiInputs);

    addItems (addMenu (record (Parameters::midiInChannel), 455, 138, Resources::menu_narrow_png,
                       Resources::menu_narrow_pngSize, narrowMenuFrames, channelTip),
              Parameters::stepNamesOf (Parameters::midiInChannel));
    addItems (addMenu (record (Parameters::midiInOctave), 371, 155, Resources::menu_wide_png, Resources::menu_wide_pngSize,
                       wideMenuFrames, triggerNoteTip),
              Parameters::stepNamesOf (Parameters::midiInOctave));
    addItems (addMenu (record (Parameters::midiInNote), 455, 155, Resources::menu_narrow_png,
                       Resources::menu_narrow_pngSize, narrowMenuFrames, triggerNoteTip),
              Parameters::stepNamesOf (Parameters::midiInNote));
}

void AudioEditor::addSpeedMenus()
{
    addItems (addMenu (record (Parameters::speedType), 371, 54, Resources::menu_wide_png, Resources::menu_wide_pngSize,
                       wideMenuFrames, speedTypeTip),
              Parameters::stepNamesOf (Parameters::speedType));
    addItems (addMenu (record (Parameters::loopLength), 371, 74, Resources::menu_wide_png, Resources::menu_wide_pngSize,
                       wideMenuFrames, {}),
              Parameters::stepNamesOf (Parameters::loopLength));
}

void AudioEditor::addWaveChoice()
{
    addItems (addMenu (record (Parameters::usedWave), 371, 34, Resources::menu_wave_png, Resources::menu_wave_pngSize,
                       waveMenuFrames, {}),
              Parameters::stepNamesOf (Parameters::usedWave));
    addButton().addAction ([this] { showCurrentWave(); });
}

void AudioEditor::addKnobs()
{
    addKnob (record (Parameters::speed), "Speed", 460, 35, formatLfoRate, {}, 0.5f);
    addKnob (record (Parameters::mix), "Mix", 415, 213, formatPercent, mixTip, 1.0f);
}

Switch& AudioEditor::addVisibleWaveSwitch()
{
    return addToBackground (std::make_unique<Switch> (*this, Parameters::visibleWave), 20, 16);
}

void AudioEditor::addCurveEditor (AudioProcessor& owner)
{
    WaveControl::Options options;
    options.colour = Palette::highlight;
    options.transposed = true;
    options.oscilloscope = owner.getOscilloscope()->getScopeTraces (0);
    options.editable = true;
    options.gridAndPoints = true;
    auto control = std::make_unique<WaveControl> (*this, *owner.getWaveProcessor()->getWaveState(), options);
    control->setValueName ("Panning");
    control->setTopLeftPosition (35, 0);
    curveEditor = &getBackground().addOwnedChild (std::move (control));

    // It hears the visible wave and every point of every wave.
    registerControl (Parameters::visibleWave, *curveEditor);

    for (int wave = 0; wave < Parameters::numWaves; ++wave)
        for (int slot = 0; slot < Parameters::numSlots; ++slot)
            for (auto field : { Parameters::pointX, Parameters::pointY, Parameters::pointType })
                registerControl (Parameters::pointParameter (wave, slot, field), *curveEditor);
}

ButtonWithParameter& AudioEditor::addZoom()
{
    return addButtonWithParameter (Parameters::oscilloscopeZoom, (float) Parameters::defaultOscilloscopeZoom, zoomTip);
}

void AudioEditor::addCurveButtons (AudioProcessor& owner, int top)
{
    const auto& waveState = *owner.getWaveProcessor()->getWaveState();
    auto& row = addToBackground (std::make_unique<ButtonRow> (*this), curveButtonsX, top);

    for (auto& b : curveButtons())
    {
        auto& button = row.addButton (b.startsGroup, b.image, b.imageSize, b.tip, b.toggle != nullptr ? toggleStyle : commandStyle);

        if (auto* toggle = b.toggle)
        {
            button.setToggleState (waveState.*(toggle->isOn), juce::dontSendNotification);
            button.followState (toggle->onKind, toggle->offKind);
            button.addAction ([this, flip = toggle->flip] { flip (*curveEditor); });
            continue;
        }

        const auto run = [this] (WaveModifier command) -> Button::Action { return [this, command] { curveEditor->modify (command); }; };
        button.addAction (run (b.command), b.shiftCommand ? run (*b.shiftCommand) : Button::Action {});
    }
}

void AudioEditor::addAboutScreen()
{
    aboutScreen = std::make_unique<Splash> (*this);
    addChildComponent (*aboutScreen);
    auto& splash = *aboutScreen;
    addToBackground (std::make_unique<SplashClickArea> (*this, Resources::logo_company_highlight_png,
                                                        Resources::logo_company_highlight_pngSize, splash),
                     441, 579);
    addToBackground (std::make_unique<SplashClickArea> (*this, Resources::logo_product_highlight_png,
                                                        Resources::logo_product_highlight_pngSize, splash),
                     346, 526);
}

void AudioEditor::addTipArea()
{
    auto& tips = addToBackground (std::make_unique<TipView> (*this, " "), tipArea.getX(), tipArea.getY());
    tips.setSize (tipArea.getWidth(), tipArea.getHeight());
}

void AudioEditor::addUpdateLink()
{
    auto link = std::make_unique<juce::HyperlinkButton> ("Check for updates", juce::URL (updateUrl));
    link->setFont (Font (1, juce::Font::underlined), false, juce::Justification::centred);
    link->setColour (juce::HyperlinkButton::textColourId, juce::Colour (linkColour));
    link->setSize (0, linkHeight);
    link->changeWidthToFitText();
    addToBackground (std::move (link), linkPosition.x, linkPosition.y);
}

void AudioEditor::showCurrentWave()
{
    const int wave = currentStep (Parameters::usedWave);
    setParameterStep (Parameters::visibleWave, wave);
    postString (EventKinds::statusText, "Show wave " + juce::String (wave + 1) + ".");
}

void AudioEditor::parameterStepChanged (int index, int step)
{
    if (index == Parameters::speedType)
        enableSpeedControls (step);
    else if (index == Parameters::midiIn)
        setParameterControlsEnabled (Parameters::midiInChannel, step != MidiPortsProcessor::noPort);
    else if (index == Parameters::midiInOctave || index == Parameters::midiInNote)
        enableNoteMenu();
}

void AudioEditor::enableSpeedControls (int speedTypeStep)
{
    const bool hertz = speedTypeStep >= Parameters::hertzSynced && speedTypeStep <= Parameters::hertzOneShot;
    const bool beat = speedTypeStep <= Parameters::beatOneShot;
    setParameterControlsEnabled (Parameters::speed, hertz);
    setParameterControlsEnabled (Parameters::loopLength, beat);
}

void AudioEditor::enableNoteMenu()
{
    const int octave = currentStep (Parameters::midiInOctave), note = currentStep (Parameters::midiInNote);
    const bool enabled = octave > Parameters::allNotesStep && (octave < highestOctaveStep || note < notesInHighestOctave);
    setParameterControlsEnabled (Parameters::midiInNote, enabled);
}
