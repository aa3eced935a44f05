#include "AudioEditorHelpers.h"

#include "Button.h"
#include "ButtonWithParameter.h"
#include "Knob.h"
#include "Menu.h"
#include "../processor/ParameterRecord.h"

#include <Resources.h>

namespace
{
    const juce::Point<int> knobOffset { -9, -2 };
    const juce::Point<int> zoomPosition { 307, 16 };
    const juce::Point<int> showWavePosition { 435, 34 };
    constexpr int showWaveStyle = 4;   // normal, over and down pictures
}

Menu& AudioEditorHelpers::addMenu (const ParameterRecord& parameter, int x, int y, const void* imageData, int imageSize,
                                   int frameCount, const juce::String& tip)
{
    auto menu = std::make_unique<Menu> (*this, parameter.index, imageData, imageSize, frameCount);
    menu->setLookAndFeel (&getLayout());
    menu->setTip (tip);
    return addToBackground (std::move (menu), x, y);
}

Knob& AudioEditorHelpers::addKnob (const ParameterRecord& parameter, const juce::String& name, int x, int y,
                                   ValueFormatter formatter, const juce::String& tip, float defaultValue)
{
    auto knob = std::make_unique<Knob> (*this, parameter.index, Resources::knob_png, Resources::knob_pngSize,
                                        Resources::knob_disabled_png, Resources::knob_disabled_pngSize, defaultValue);
    if (name.isNotEmpty())
        knob->setNameLabel (name);

    knob->setValueLabel (formatter);
    knob->setTip (tip);
    return addToBackground (std::move (knob), x + knobOffset.x, y + knobOffset.y);
}

ButtonWithParameter& AudioEditorHelpers::addButtonWithParameter (int index, float defaultValue, const juce::String& tip)
{
    auto button = std::make_unique<ButtonWithParameter> (*this, index, defaultValue);
    button->setTip (tip);
    return addToBackground (std::move (button), zoomPosition.x, zoomPosition.y);
}

Button& AudioEditorHelpers::addButton()
{
    auto button = std::make_unique<Button> (*this, Resources::button_show_wave_png, Resources::button_show_wave_pngSize,
                                            showWaveStyle);
    button->setTip ("Show current wave in waveform editor.");
    return addToBackground (std::move (button), showWavePosition.x, showWavePosition.y);
}
