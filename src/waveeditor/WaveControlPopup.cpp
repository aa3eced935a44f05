#include "WaveControlPopup.h"

WaveControlPopup::WaveControlPopup (juce::LookAndFeel& editorLook) noexcept : look (editorLook) {}

juce::PopupMenu WaveControlPopup::createMenu (const State& s) const
{
    juce::PopupMenu menu;
    menu.setLookAndFeel (&look);
    menu.addSectionHeader ("Waveform");
    menu.addItem (selectAllPoints, "Select all points", s.usedPoints > 1);
    menu.addItem (stepsDrawing, "Steps drawing", true, s.stepsDrawing);
    menu.addItem (flipChannels, "Flip channels", s.usedPoints > 0);
    menu.addItem (showTriplets, "Show triplets", ! s.fixedGrid, s.showTriplets);
    menu.addItem (copy, "Copy");
    menu.addItem (paste, "Paste", s.copyBufferValid);
    return menu;
}

void WaveControlPopup::show (const State& s, juce::Point<int> screenPosition, juce::Component& owner,
                             std::function<void (int)> chosen) const
{
    const auto options = juce::PopupMenu::Options().withTargetScreenArea ({ screenPosition.x, screenPosition.y, 80, 1 });

    createMenu (s).showMenuAsync (options, [safeOwner = juce::Component::SafePointer<juce::Component> (&owner),
                                            chosen = std::move (chosen)] (int result)
    {
        if (safeOwner != nullptr && chosen)
            chosen (result);
    });
}
