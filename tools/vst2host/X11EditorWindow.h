#pragma once

#include "Vst2Plugin.h"

#include <memory>
#include <string>
#include <vector>

// A plug-in's editor embedded in an X11 window, as a Linux VST 2 host shows it: a window of the
// size effEditGetRect reports, effEditOpen with the window's id, effEditIdle from this thread
// while it is open, effEditClose when it goes. One per plug-in at a time.
class X11EditorWindow
{
public:
    struct Size
    {
        int width = 0, height = 0;
    };

    // The editor's size as the plug-in reports it; 0 × 0 when it reports none.
    static Size requestedSize (Vst2Plugin& plugin);

    // Opens the editor in a new window on the default display; null with a message in error when
    // there is no display or the plug-in opens no editor.
    static std::unique_ptr<X11EditorWindow> open (Vst2Plugin& plugin, std::string& error);

    // Closes the editor, then the window.
    ~X11EditorWindow();

    // One effEditIdle, then the display's pending requests are flushed.
    void idle();

    // The size of the plug-in's child window while it is mapped; 0 × 0 while it is not.
    Size shownEditorSize() const;

    // The colour on screen at (x, y) of the window, as 0xRRGGBB of a 24-bit visual.
    unsigned long pixelAt (int x, int y) const;

    // The colours of an area of the window, row by row, as pixelAt gives them; empty when the
    // area cannot be read.
    std::vector<unsigned long> pixelsIn (int x, int y, int width, int height) const;

    // Writes the window's picture as a binary PPM file; false when it cannot.
    bool writePicture (const std::string& path) const;

    unsigned long windowId() const noexcept { return window; }

private:
    X11EditorWindow (Vst2Plugin& plugin, void* display, unsigned long window);

    Vst2Plugin& plugin;
    void* display;
    unsigned long window;
};
