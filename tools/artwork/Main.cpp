// orvanta-artwork: draws the editor's images.
//   orvanta-artwork write <folder> <regular .ttf> <bold .ttf>   writes every image as a PNG file
//   orvanta-artwork check <folder> <regular .ttf> <bold .ttf>   fails unless the folder's images
//                                                               are pixel for pixel what it draws

#include "ArtworkSet.h"

#include <cstdio>
#include <cstring>

namespace
{
    juce::File argumentFile (const char* path)
    {
        return juce::File::getCurrentWorkingDirectory().getChildFile (path);
    }

    juce::Typeface::Ptr loadTypeface (const juce::File& file)
    {
        juce::MemoryBlock data;
        if (! file.loadFileAsData (data))
            return nullptr;
        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }

    bool write (const juce::Image& image, const juce::File& file)
    {
        file.deleteFile();
        juce::FileOutputStream out (file);
        return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
    }

    // Compared after a PNG round trip, so both sides lose the same bits to premultiplied alpha.
    bool samePixels (const juce::Image& image, const juce::File& file)
    {
        juce::MemoryOutputStream encoded;
        juce::PNGImageFormat().writeImageToStream (image, encoded);
        const auto drawn = juce::ImageFileFormat::loadFrom (encoded.getData(), encoded.getDataSize());
        const auto stored = juce::ImageFileFormat::loadFrom (file);
        if (! stored.isValid() || stored.getBounds() != drawn.getBounds())
            return false;

        for (int y = 0; y < drawn.getHeight(); ++y)
            for (int x = 0; x < drawn.getWidth(); ++x)
                if (stored.getPixelAt (x, y).getARGB() != drawn.getPixelAt (x, y).getARGB())
                    return false;

        return true;
    }
}

int main (int argc, char** argv)
{
    const bool check = argc == 5 && std::strcmp (argv[1], "check") == 0;

    if (argc != 5 || (! check && std::strcmp (argv[1], "write") != 0))
    {
        std::fprintf (stderr, "usage: orvanta-artwork write|check <folder> <regular .ttf> <bold .ttf>\n");
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = argumentFile (argv[2]);
    auto regular = loadTypeface (argumentFile (argv[3]));
    auto bold = loadTypeface (argumentFile (argv[4]));

    if (regular == nullptr || bold == nullptr || ! folder.createDirectory())
    {
        std::fprintf (stderr, "orvanta-artwork: cannot read the typefaces or the folder %s\n", argv[2]);
        return 1;
    }

    const ArtworkSet artwork (regular, bold);
    int failures = 0;

    for (const auto& picture : artwork.pictures())
    {
        const auto file = folder.getChildFile (picture.fileName);
        const auto image = artwork.render (picture);

        if (check ? samePixels (image, file) : write (image, file))
            continue;

        std::fprintf (stderr, "orvanta-artwork: %s %s\n", file.getFullPathName().toRawUTF8(),
                      check ? "differs from what the program draws (build orvanta-artwork-update)" : "cannot be written");
        ++failures;
    }

    return failures == 0 ? 0 : 1;
}
