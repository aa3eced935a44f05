#include "Font.h"

#include <Resources.h>

namespace
{
    juce::Typeface::Ptr decode (const char* data, int size)
    {
        return juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
    }
}

Font::Font (int type, int styleFlags)
    : font (embeddedTypeface ((styleFlags & juce::Font::bold) != 0))
{
    font.setHeight (heightOf (type));
    font.setUnderline ((styleFlags & juce::Font::underlined) != 0);
}

float Font::heightOf (int type) noexcept
{
    constexpr float heights[] = { 10.0f, 11.4f, 13.8f, 13.8f, 14.8f, 12.8f };
    return type >= 0 && type < (int) std::size (heights) ? heights[type] : heights[0];
}

juce::Typeface::Ptr Font::embeddedTypeface (bool isBold)
{
    // Function statics: built on first use by the message thread, shared by every editor.
    static const auto regularFace = decode (Resources::DejaVuSans_ttf, Resources::DejaVuSans_ttfSize);
    static const auto boldFace = decode (Resources::DejaVuSansBold_ttf, Resources::DejaVuSansBold_ttfSize);
    return isBold ? boldFace : regularFace;
}
