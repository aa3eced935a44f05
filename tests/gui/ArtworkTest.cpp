// Every image the editor uses: compiled in, decodable, of its size and frame count.

#include <Resources.h>
#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
    struct Picture
    {
        const char* name;
        int width, height, frames;
        bool sideBySide; // the frames run across instead of down
    };

    const Picture pictures[] = {
        { "background_png", 525, 633, 1, false }, { "about_png", 525, 633, 1, false },
        { "knob_png", 36, 4356, 121, false }, { "knob_disabled_png", 36, 4356, 121, false },
        { "switch_png", 160, 150, 10, true },
        { "menu_wide_png", 84, 60, 4, false }, { "menu_narrow_png", 35, 60, 4, false }, { "menu_wave_png", 60, 30, 2, false },
        { "icon_zoom_png", 19, 19, 1, false }, { "icon_delete_png", 19, 19, 1, false }, { "icon_steps_png", 19, 24, 1, false },
        { "icon_snap_png", 19, 19, 1, false }, { "icon_sine_png", 19, 19, 1, false }, { "icon_triangle_png", 19, 19, 1, false },
        { "icon_randomize_png", 19, 19, 1, false }, { "icon_earlier_png", 19, 19, 1, false }, { "icon_later_png", 19, 19, 1, false },
        { "icon_undo_png", 19, 19, 1, false }, { "icon_redo_png", 19, 19, 1, false },
        { "button_show_wave_png", 17, 48, 3, false }, { "logo_company_highlight_png", 56, 32, 1, false },
        { "logo_product_highlight_png", 90, 21, 1, false }, { "tick_png", 10, 10, 1, false }, { "button_ok_png", 54, 38, 2, false },
    };

    // Frames of a strip: square knob frames, 16 × 150 switch cells, menu and button faces.
    const std::pair<const char*, std::pair<int, int>> frameSizes[] = {
        { "knob_png", { 36, 36 } }, { "switch_png", { 16, 150 } }, { "menu_wide_png", { 84, 15 } },
        { "menu_narrow_png", { 35, 15 } }, { "menu_wave_png", { 60, 15 } }, { "button_show_wave_png", { 17, 16 } },
        { "button_ok_png", { 54, 19 } },
    };
}

TEST (Artwork, EveryImageDecodesAtItsSizeWithItsFrameCount)
{
    for (const auto& p : pictures)
    {
        int size = 0;
        const auto* data = Resources::getNamedResource (p.name, size);
        ASSERT_NE (data, nullptr) << p.name;
        const auto image = juce::ImageFileFormat::loadFrom (data, (size_t) size);
        EXPECT_EQ (image.getWidth(), p.width) << p.name;
        EXPECT_EQ (image.getHeight(), p.height) << p.name;
        const int along = p.sideBySide ? p.width : p.height;
        EXPECT_EQ (along % p.frames, 0) << p.name;
    }

    for (const auto& [name, frame] : frameSizes)
    {
        for (const auto& p : pictures)
        {
            if (juce::String (p.name) == name)
            {
                EXPECT_EQ (p.sideBySide ? p.width / frame.first : p.height / frame.second, p.frames) << name;
            }
        }
    }
}

TEST (Artwork, NoImageIsCompiledInThatTheTableDoesNotKnow)
{
    std::set<std::string> known;
    for (const auto& p : pictures)
        known.insert (p.name);

    for (int i = 0; i < Resources::namedResourceListSize; ++i)
    {
        const juce::String name (Resources::namedResourceList[i]);
        if (name.endsWith ("_png"))
        {
            EXPECT_EQ (known.count (name.toStdString()), 1u) << name;
        }
    }
}

TEST (Artwork, TheMoreDetailedImagesAreDrawnNotEmpty)
{
    // A background is opaque everywhere; a knob's first and last frames differ.
    const auto background = juce::ImageCache::getFromMemory (Resources::background_png, Resources::background_pngSize);
    for (auto [x, y] : { std::pair { 0, 0 }, { 524, 0 }, { 0, 632 }, { 524, 632 }, { 200, 300 } })
        EXPECT_EQ (background.getPixelAt (x, y).getAlpha(), 255);

    const auto knob = juce::ImageCache::getFromMemory (Resources::knob_png, Resources::knob_pngSize);
    // The arc's end, at five o'clock: the grey track at value 0, the orange highlight at value 1.
    EXPECT_NE (knob.getPixelAt (29, 29).getARGB(), knob.getPixelAt (29, 4320 + 29).getARGB());
}
