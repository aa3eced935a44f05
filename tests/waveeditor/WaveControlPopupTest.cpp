// The curve editor's popup menu: its items, their ids, enabling and ticks.

#include "gui/Layout.h"
#include "waveeditor/WaveControlPopup.h"

#include <gtest/gtest.h>

namespace
{
    struct Item
    {
        int id;
        juce::String text;
        bool enabled, ticked, header;

        bool operator== (const Item& o) const
        {
            return id == o.id && text == o.text && enabled == o.enabled && ticked == o.ticked && header == o.header;
        }
    };

    void PrintTo (const Item& i, std::ostream* os)
    {
        *os << i.id << " \"" << i.text << "\"" << (i.enabled ? " enabled" : "") << (i.ticked ? " ticked" : "")
            << (i.header ? " header" : "");
    }

    std::vector<Item> itemsOf (const juce::PopupMenu& menu)
    {
        std::vector<Item> items;
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            auto& i = it.getItem();
            items.push_back ({ i.itemID, i.text, i.isEnabled, i.isTicked, i.isSectionHeader });
        }
        return items;
    }
}

TEST (WaveControlPopupTest, ItemsFollowTheStateOfTheVisibleWave)
{
    Layout layout;
    const WaveControlPopup popup (layout);
    using P = WaveControlPopup;

    WaveControlPopup::State onePoint;
    onePoint.usedPoints = 1;
    onePoint.fixedGrid = true;

    EXPECT_EQ (itemsOf (popup.createMenu (onePoint)), (std::vector<Item> {
        { 0, "Waveform", true, false, true },
        { P::selectAllPoints, "Select all points", false, false, false },
        { P::stepsDrawing, "Steps drawing", true, false, false },
        { P::flipChannels, "Flip channels", true, false, false },
        { P::showTriplets, "Show triplets", false, false, false },
        { P::copy, "Copy", true, false, false },
        { P::paste, "Paste", false, false, false } }));

    WaveControlPopup::State twoPoints { 2, true, true, false, true };

    EXPECT_EQ (itemsOf (popup.createMenu (twoPoints)), (std::vector<Item> {
        { 0, "Waveform", true, false, true },
        { P::selectAllPoints, "Select all points", true, false, false },
        { P::stepsDrawing, "Steps drawing", true, true, false },
        { P::flipChannels, "Flip channels", true, false, false },
        { P::showTriplets, "Show triplets", true, true, false },
        { P::copy, "Copy", true, false, false },
        { P::paste, "Paste", true, false, false } }));

    EXPECT_FALSE (itemsOf (popup.createMenu ({}))[3].enabled) << "flip needs a point";
}
