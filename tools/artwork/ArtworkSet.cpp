#include "ArtworkSet.h"

#include "gui/Palette.h"

#include <cmath>

namespace
{
    using juce::Colour;
    using juce::Graphics;
    using juce::Path;
    using juce::Rectangle;

    // Surfaces, darkest first; the named palette carries the text and highlight colours.
    const Colour windowTop { 0xFF1E1F22 }, windowBottom { 0xFF141517 };
    const Colour well { 0xFF0D0E0F }, wellEdge { 0xFF2B2D31 };
    const Colour panel { 0xFF1A1B1E }, panelEdge { 0xFF303236 };
    const Colour fieldTop { 0xFF2C2E32 }, fieldBottom { 0xFF222327 };
    const Colour shadow { 0xFF08090A };

    constexpr float knobStart = -2.35619449f, knobEnd = 2.35619449f; // 7 and 5 o'clock
    constexpr float pi = juce::MathConstants<float>::pi;

    void strokeIcon (Graphics& g, const Path& p, float thickness = 1.6f)
    {
        g.setColour (juce::Colours::white);
        g.strokePath (p, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    void drawArrowHead (Path& p, juce::Point<float> tip, float angle, float size)
    {
        const auto left = tip.getPointOnCircumference (size, angle + pi - 0.55f);
        const auto right = tip.getPointOnCircumference (size, angle + pi + 0.55f);
        p.startNewSubPath (left);
        p.lineTo (tip);
        p.lineTo (right);
    }

    // The icons are white shapes on transparency: the buttons tint them from their alpha.
    void iconZoom (Graphics& g)
    {
        Path p;
        p.addEllipse (3.0f, 3.0f, 9.5f, 9.5f);
        p.startNewSubPath (11.2f, 11.2f);
        p.lineTo (16.0f, 16.0f);
        p.startNewSubPath (5.5f, 7.75f);
        p.lineTo (10.0f, 7.75f);
        p.startNewSubPath (7.75f, 5.5f);
        p.lineTo (7.75f, 10.0f);
        strokeIcon (g, p);
    }

    void iconDelete (Graphics& g)
    {
        Path p;
        p.startNewSubPath (5.0f, 5.0f);
        p.lineTo (14.0f, 14.0f);
        p.startNewSubPath (14.0f, 5.0f);
        p.lineTo (5.0f, 14.0f);
        strokeIcon (g, p, 2.0f);
    }

    void iconSnap (Graphics& g)
    {
        g.setColour (juce::Colours::white.withAlpha (0.55f));
        for (int i = 0; i < 4; ++i)
        {
            g.fillRect (3 + 4 * i, 3, 1, 13);
            g.fillRect (3, 3 + 4 * i, 13, 1);
        }
        g.setColour (juce::Colours::white);
        g.fillEllipse (8.5f, 8.5f, 5.0f, 5.0f);
    }

    void iconSine (Graphics& g)
    {
        Path p;
        for (int i = 0; i <= 30; ++i)
        {
            const float x = 2.5f + 14.0f * (float) i / 30.0f;
            const float y = 9.5f - 5.5f * std::sin (2.0f * pi * (float) i / 30.0f);
            i == 0 ? p.startNewSubPath (x, y) : p.lineTo (x, y);
        }
        strokeIcon (g, p);
    }

    void iconTriangle (Graphics& g)
    {
        Path p;
        p.startNewSubPath (2.5f, 9.5f);
        p.lineTo (6.0f, 4.0f);
        p.lineTo (13.0f, 15.0f);
        p.lineTo (16.5f, 9.5f);
        strokeIcon (g, p);
    }

    void iconRandomize (Graphics& g)
    {
        Path p;
        p.addRoundedRectangle (3.0f, 3.0f, 13.0f, 13.0f, 2.5f);
        strokeIcon (g, p, 1.4f);
        for (auto [x, y] : { std::pair { 6.5f, 6.5f }, { 12.5f, 6.5f }, { 9.5f, 9.5f }, { 6.5f, 12.5f }, { 12.5f, 12.5f } })
            g.fillEllipse (x - 1.2f, y - 1.2f, 2.4f, 2.4f);
    }

    // Time runs down the curve editor: earlier is up, later is down.
    void iconShift (Graphics& g, bool up)
    {
        const float tipY = up ? 3.5f : 15.5f, tailY = up ? 15.5f : 3.5f;
        Path p;
        p.startNewSubPath (9.5f, tailY);
        p.lineTo (9.5f, tipY);
        drawArrowHead (p, { 9.5f, tipY }, up ? 0.0f : pi, 5.0f);
        strokeIcon (g, p, 1.8f);
    }

    // Undo bends back to the left; redo is its mirror image.
    void iconHistory (Graphics& g, bool undo)
    {
        Path p;
        p.startNewSubPath (15.0f, 15.5f);
        p.quadraticTo (15.0f, 6.5f, 8.0f, 6.5f);
        p.lineTo (4.0f, 6.5f);
        p.startNewSubPath (7.5f, 3.0f);
        p.lineTo (4.0f, 6.5f);
        p.lineTo (7.5f, 10.0f);

        if (! undo)
            p.applyTransform (juce::AffineTransform::scale (-1.0f, 1.0f).translated (19.0f, 0.0f));

        strokeIcon (g, p);
    }

    void iconSteps (Graphics& g)
    {
        Path p;
        p.startNewSubPath (3.0f, 20.5f);
        p.lineTo (3.0f, 15.5f);
        p.lineTo (7.5f, 15.5f);
        p.lineTo (7.5f, 10.5f);
        p.lineTo (12.0f, 10.5f);
        p.lineTo (12.0f, 5.5f);
        p.lineTo (16.0f, 5.5f);
        strokeIcon (g, p);
        g.fillEllipse (14.5f, 2.0f, 3.0f, 3.0f);
    }

    void fillField (Graphics& g, Rectangle<float> r, float corner, Colour top, Colour bottom, Colour edge)
    {
        g.setGradientFill (juce::ColourGradient (top, 0.0f, r.getY(), bottom, 0.0f, r.getBottom(), false));
        g.fillRoundedRectangle (r, corner);
        g.setColour (edge);
        g.drawRoundedRectangle (r, corner, 1.0f);
    }
}

ArtworkSet::ArtworkSet (juce::Typeface::Ptr regularFace, juce::Typeface::Ptr boldFace)
    : regular (std::move (regularFace)), bold (std::move (boldFace))
{
    const auto whole = [] (auto draw) { return [draw] (Graphics& g, int, int, int) { draw (g); }; };

    list = {
        { "background.png", width, height, 1, whole ([this] (Graphics& g) { drawBackground (g); }) },
        { "about.png", width, height, 1, whole ([this] (Graphics& g) { drawAbout (g); }) },
        { "knob.png", 36, 4356, 121, [this] (Graphics& g, int, int, int f) { drawKnob (g, f, true); } },
        { "knob_disabled.png", 36, 4356, 121, [this] (Graphics& g, int, int, int f) { drawKnob (g, f, false); } },
        { "switch.png", 160, 150, 10, [this] (Graphics& g, int, int, int f) { drawSwitch (g, f); }, true },
        { "menu_wide.png", 84, 60, 4, [this] (Graphics& g, int w, int h, int f) { drawMenu (g, w, h, f); } },
        { "menu_narrow.png", 35, 60, 4, [this] (Graphics& g, int w, int h, int f) { drawMenu (g, w, h, f); } },
        { "menu_wave.png", 60, 30, 2, [this] (Graphics& g, int w, int h, int f) { drawMenu (g, w, h, f); } },
        { "icon_zoom.png", 19, 19, 1, whole (iconZoom) },
        { "icon_delete.png", 19, 19, 1, whole (iconDelete) },
        { "icon_steps.png", 19, 24, 1, whole (iconSteps) },
        { "icon_snap.png", 19, 19, 1, whole (iconSnap) },
        { "icon_sine.png", 19, 19, 1, whole (iconSine) },
        { "icon_triangle.png", 19, 19, 1, whole (iconTriangle) },
        { "icon_randomize.png", 19, 19, 1, whole (iconRandomize) },
        { "icon_earlier.png", 19, 19, 1, whole ([] (Graphics& g) { iconShift (g, true); }) },
        { "icon_later.png", 19, 19, 1, whole ([] (Graphics& g) { iconShift (g, false); }) },
        { "icon_undo.png", 19, 19, 1, whole ([] (Graphics& g) { iconHistory (g, true); }) },
        { "icon_redo.png", 19, 19, 1, whole ([] (Graphics& g) { iconHistory (g, false); }) },
        { "button_show_wave.png", 17, 48, 3, [this] (Graphics& g, int w, int h, int f) { drawShowWave (g, w, h, f); } },
        { "logo_company_highlight.png", 56, 32, 1, whole ([this] (Graphics& g) { drawCompanyLogo (g, Palette::highlight); }) },
        { "logo_product_highlight.png", 90, 21, 1, whole ([this] (Graphics& g) { drawProductLogo (g, Palette::highlight); }) },
        { "tick.png", 10, 10, 1, whole ([this] (Graphics& g) { drawTick (g); }) },
        { "button_ok.png", 54, 38, 2, [this] (Graphics& g, int w, int h, int f) { drawTextButton (g, w, h, f, "OK"); } },
    };
}

juce::Image ArtworkSet::render (const Picture& picture) const
{
    juce::Image image (juce::Image::ARGB, picture.width, picture.height, true);
    Graphics g (image);
    const bool sideBySide = picture.sideBySide;
    const int frameWidth = sideBySide ? picture.width / picture.frames : picture.width;
    const int frameHeight = sideBySide ? picture.height : picture.height / picture.frames;

    for (int frame = 0; frame < picture.frames; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        g.setOrigin (sideBySide ? frame * frameWidth : 0, sideBySide ? 0 : frame * frameHeight);
        g.reduceClipRegion (0, 0, frameWidth, frameHeight);
        picture.drawFrame (g, frameWidth, frameHeight, frame);
    }

    return image;
}

juce::Font ArtworkSet::font (float h, bool isBold) const
{
    return juce::Font (isBold ? bold : regular).withHeight (h);
}

//==============================================================================
void ArtworkSet::drawBackground (Graphics& g) const
{
    g.setGradientFill (juce::ColourGradient (windowTop, 0.0f, 0.0f, windowBottom, 0.0f, (float) height, false));
    g.fillAll();

    // The strip of the visible-wave switch, the curve editor's well and the button column.
    fillField (g, { 17.5f, 13.5f, 20.0f, 156.0f }, 3.0f, panel, panel, panelEdge);
    g.setColour (shadow);
    g.fillRect (34, 0, 275, 633);
    g.setColour (well);
    g.fillRect (35, 0, 273, 632);
    drawWellGrid (g);
    g.setColour (wellEdge);
    g.drawRect (34, -1, 275, 634);
    fillField (g, { 305.5f, 13.5f, 23.0f, 330.0f }, 3.0f, panel, panel, panelEdge);

    g.setColour (Palette::dimText);
    g.setFont (font (9.0f, true));
    {
        juce::Graphics::ScopedSaveState state (g);
        g.addTransform (juce::AffineTransform::rotation (-pi / 2.0f, 27.5f, 200.0f));
        g.drawText ("WAVE", 0, 193, 55, 14, juce::Justification::centred);
    }

    drawSection (g, { 333.5f, 14.5f, 184.0f, 86.0f }, "LFO");
    drawFieldLabel (g, "Wave", 337, 34);
    drawFieldLabel (g, "Type", 337, 54);
    drawFieldLabel (g, "Length", 337, 74);

    drawSection (g, { 333.5f, 118.5f, 184.0f, 58.0f }, "MIDI TRIGGER");
    drawFieldLabel (g, "Input", 337, 138);
    drawFieldLabel (g, "Note", 337, 155);

    drawSection (g, { 333.5f, 194.5f, 184.0f, 80.0f }, "OUTPUT");
    g.setColour (Palette::dimText);
    g.setFont (font (9.0f));
    g.drawText ("DRY", 362, 238, 40, 12, juce::Justification::centredRight);
    g.drawText ("WET", 460, 238, 40, 12, juce::Justification::centredLeft);

    drawSection (g, { 331.5f, 358.5f, 170.0f, 124.0f }, "INFO");
    g.setColour (well);
    g.fillRect (335, 378, 162, 99);

    // The two logos; their highlight images are drawn with the same shapes on top.
    {
        juce::Graphics::ScopedSaveState state (g);
        g.setOrigin (346, 526);
        drawProductLogo (g, Palette::valueText);
    }
    g.setColour (Palette::dimText);
    g.setFont (font (9.0f));
    g.drawText ("STEREO AUTO-PAN", 346, 548, 90, 12, juce::Justification::centred);
    {
        juce::Graphics::ScopedSaveState state (g);
        g.setOrigin (441, 579);
        drawCompanyLogo (g, Palette::valueText.withAlpha (0.8f));
    }
    g.setColour (panelEdge);
    g.fillRect (340, 572, 170, 1);
}

void ArtworkSet::drawWellGrid (Graphics& g) const
{
    // Pan position across (left, centre, right), time down: what the curve editor draws over.
    constexpr int left = 35, width = 273, top = 0, height = 632;
    for (int i = 1; i < 8; ++i)
    {
        const int x = left + width * i / 8;
        g.setColour (i == 4 ? Colour (0xFF24262A) : Colour (0xFF16171A));
        g.fillRect (x, top, 1, height);
    }
    for (int i = 1; i < 16; ++i)
    {
        g.setColour (i % 4 == 0 ? Colour (0xFF1D1E21) : Colour (0xFF131416));
        g.fillRect (left, top + height * i / 16, width, 1);
    }

    g.setColour (Palette::dimText);
    g.setFont (font (9.0f, true));
    g.drawText ("L", left + 4, height - 16, 12, 12, juce::Justification::centredLeft);
    g.drawText ("C", left + width / 2 - 6, height - 16, 12, 12, juce::Justification::centred);
    g.drawText ("R", left + width - 16, height - 16, 12, 12, juce::Justification::centredRight);
}

void ArtworkSet::drawSection (Graphics& g, Rectangle<float> area, const juce::String& title) const
{
    // A soft drop shadow, the panel, and a light top edge as if lit from above.
    g.setColour (Colour (0x40000000));
    g.fillRoundedRectangle (area.translated (0.0f, 1.5f).expanded (0.5f), 4.5f);
    fillField (g, area, 4.0f, panel, panel.darker (0.15f), panelEdge);
    g.setColour (Colour (0x14FFFFFF));
    g.fillRect (area.getX() + 4.0f, area.getY() + 1.0f, area.getWidth() - 8.0f, 1.0f);
    g.setColour (Palette::highlight);
    g.setFont (font (9.0f, true).withExtraKerningFactor (0.1f));
    g.drawText (title, area.withTrimmedLeft (6.0f).withTrimmedTop (3.0f).withHeight (11.0f), juce::Justification::centredLeft);
}

void ArtworkSet::drawFieldLabel (Graphics& g, const juce::String& text, int x, int y) const
{
    g.setColour (Palette::valueText.withAlpha (0.75f));
    g.setFont (font (9.5f));
    g.drawText (text, x, y, 31, 15, juce::Justification::centredLeft);
}

void ArtworkSet::drawProductLogo (Graphics& g, Colour colour) const
{
    g.setColour (colour);
    g.setFont (font (14.0f, true).withExtraKerningFactor (0.06f));
    g.drawText ("ORVANTA", 0, 1, 74, 19, juce::Justification::centredLeft, false);
    Path mark;
    mark.addEllipse (75.5f, 3.5f, 13.0f, 13.0f);
    g.strokePath (mark, juce::PathStrokeType (1.4f));
    g.setFont (font (10.0f, true));
    g.drawText ("2", 75, 3, 14, 14, juce::Justification::centred);
}

void ArtworkSet::drawCompanyLogo (Graphics& g, Colour colour) const
{
    // A V made of two pan arcs meeting at the bottom, over the company's name.
    Path v;
    v.startNewSubPath (19.0f, 3.0f);
    v.quadraticTo (23.0f, 14.0f, 28.0f, 19.0f);
    v.quadraticTo (33.0f, 14.0f, 37.0f, 3.0f);
    g.setColour (colour);
    g.strokePath (v, juce::PathStrokeType (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.setFont (font (8.5f, true).withExtraKerningFactor (0.08f));
    g.drawText ("VOSTRELLE", 0, 20, 56, 11, juce::Justification::centred);
}

void ArtworkSet::drawAbout (Graphics& g) const
{
    g.fillAll (Colour (0xF2101113));
    const Rectangle<float> card (62.5f, 120.5f, 400.0f, 360.0f);
    fillField (g, card, 6.0f, Colour (0xFF1E1F23), Colour (0xFF16171A), panelEdge);
    g.setColour (Palette::highlight);
    g.fillRect (card.getX() + 1.0f, card.getY() + 1.0f, card.getWidth() - 2.0f, 3.0f);

    {
        juce::Graphics::ScopedSaveState state (g);
        g.addTransform (juce::AffineTransform::scale (2.0f).translated (172.0f, 150.0f));
        drawProductLogo (g, Palette::lightText);
    }

    const auto line = [&] (const juce::String& text, int y, float size, Colour colour, bool isBold = false) {
        g.setColour (colour);
        g.setFont (font (size, isBold));
        g.drawText (text, 82, y, 360, (int) size + 6, juce::Justification::centred);
    };

    line ("Stereo auto-pan with drawn waveforms", 206, 12.0f, Palette::valueText);
    line ("Version 2.3.1", 226, 11.0f, Palette::dimHighlight, true);
    line ("Draw a wave of up to 40 points and let it move your", 268, 11.0f, Palette::valueText);
    line ("signal between the left and right channels, synced to", 284, 11.0f, Palette::valueText);
    line ("the host tempo, in hertz, or restarted by notes.", 300, 11.0f, Palette::valueText);
    line ("Ten waves per program, undo for every edit.", 324, 11.0f, Palette::valueText);
    line ("Typeface: DejaVu Sans, Bitstream Vera licence.", 380, 10.0f, Palette::dimText.brighter (0.4f));
    line (juce::String (juce::CharPointer_UTF8 ("\xc2\xa9 Vostrelle. Free software under the GPL, version 3 or later.")),
          396, 10.0f, Palette::dimText.brighter (0.4f));
    line ("Click anywhere to close.", 444, 10.0f, Palette::highlight);
}

void ArtworkSet::drawKnob (Graphics& g, int frame, bool enabled) const
{
    const float value = (float) frame / 120.0f;
    const float cx = 18.0f, cy = 18.0f;
    const Colour accent = enabled ? Palette::highlight : Palette::dimText;

    Path track, arc;
    track.addCentredArc (cx, cy, 15.5f, 15.5f, 0.0f, knobStart, knobEnd, true);
    g.setColour (Colour (0xFF2A2B2F));
    g.strokePath (track, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt));
    if (frame > 0)
    {
        arc.addCentredArc (cx, cy, 15.5f, 15.5f, 0.0f, knobStart, knobStart + value * (knobEnd - knobStart), true);
        g.setColour (accent);
        g.strokePath (arc, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::butt));
    }

    g.setColour (shadow);
    g.fillEllipse (cx - 12.5f, cy - 11.5f, 25.0f, 25.0f);
    const Colour bodyTop = enabled ? Colour (0xFF45474C) : Colour (0xFF323337);
    const Colour bodyBottom = enabled ? Colour (0xFF222327) : Colour (0xFF1D1E21);
    g.setGradientFill (juce::ColourGradient (bodyTop, cx, cy - 12.0f, bodyBottom, cx, cy + 12.0f, false));
    g.fillEllipse (cx - 12.0f, cy - 12.0f, 24.0f, 24.0f);
    g.setColour (Colour (0x30FFFFFF));
    g.drawEllipse (cx - 11.5f, cy - 11.5f, 23.0f, 23.0f, 1.0f);

    const float angle = knobStart + value * (knobEnd - knobStart);
    Path pointer;
    pointer.startNewSubPath (juce::Point<float> (cx, cy).getPointOnCircumference (4.0f, angle));
    pointer.lineTo (juce::Point<float> (cx, cy).getPointOnCircumference (10.0f, angle));
    g.setColour (enabled ? Palette::lightText : Colour (0xFF77787C));
    g.strokePath (pointer, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void ArtworkSet::drawSwitch (Graphics& g, int frame) const
{
    // Ten cells of 16 × 15, one per wave; the frame of wave n lights cell n.
    g.setFont (font (9.0f, true));
    for (int cell = 0; cell < 10; ++cell)
    {
        const Rectangle<float> r (1.0f, (float) cell * 15.0f + 1.0f, 14.0f, 13.0f);
        const bool lit = cell == frame;
        g.setColour (lit ? Palette::highlight : Colour (0xFF26272B));
        g.fillRoundedRectangle (r, 2.0f);
        g.setColour (lit ? Colour (0xFF141414) : Palette::valueText.withAlpha (0.55f));
        g.drawText (juce::String (cell + 1), r, juce::Justification::centred);
    }
}

void ArtworkSet::drawMenu (Graphics& g, int w, int h, int frame) const
{
    // Frames: normal, hovered, disabled, disabled and hovered.
    const bool hovered = frame % 2 == 1, disabled = frame >= 2;
    const Rectangle<float> r (0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f);
    const Colour edge = disabled ? (hovered ? Palette::dimHighlight : Colour (0xFF2A2B2E))
                                 : (hovered ? Palette::highlight : Colour (0xFF3C3E43));
    fillField (g, r, 3.0f, disabled ? Colour (0xFF1E1F22) : fieldTop, disabled ? Colour (0xFF1A1B1D) : fieldBottom, edge);

    Path arrow;
    const float ax = (float) w - 7.5f, ay = (float) h * 0.5f;
    arrow.addTriangle (ax - 3.0f, ay - 1.5f, ax + 3.0f, ay - 1.5f, ax, ay + 2.0f);
    g.setColour (disabled ? Palette::dimText : hovered ? Palette::highlight : Palette::valueText);
    g.fillPath (arrow);
}

void ArtworkSet::drawTextButton (Graphics& g, int w, int h, int frame, const juce::String& text) const
{
    const bool over = frame == 1;
    fillField (g, { 0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f }, 3.0f, fieldTop, fieldBottom,
               over ? Palette::highlight : Colour (0xFF3C3E43));
    g.setColour (over ? Palette::highlight : Palette::lightText);
    g.setFont (font (11.0f, true));
    g.drawText (text, 0, 0, w, h, juce::Justification::centred);
}

void ArtworkSet::drawShowWave (Graphics& g, int w, int h, int frame) const
{
    // Frames: normal, over, down. An arrow pointing at the curve editor on the left.
    const bool over = frame == 1, down = frame == 2;
    fillField (g, { 0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f }, 3.0f, down ? Palette::highlight : fieldTop,
               down ? Palette::highlight.darker (0.3f) : fieldBottom, over ? Palette::highlight : Colour (0xFF3C3E43));
    Path arrow;
    arrow.addTriangle (4.5f, (float) h * 0.5f, 11.5f, (float) h * 0.5f - 4.0f, 11.5f, (float) h * 0.5f + 4.0f);
    g.setColour (down ? Colour (0xFF141414) : over ? Palette::highlight : Palette::valueText);
    g.fillPath (arrow);
}

void ArtworkSet::drawTick (Graphics& g) const
{
    Path tick;
    tick.startNewSubPath (1.5f, 5.5f);
    tick.lineTo (4.0f, 8.0f);
    tick.lineTo (8.5f, 2.0f);
    g.setColour (Palette::highlight);
    g.strokePath (tick, juce::PathStrokeType (1.8f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}
