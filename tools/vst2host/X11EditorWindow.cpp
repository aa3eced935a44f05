#include "X11EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace
{
    // A bare X server answers some of JUCE's requests with errors (BadAtom on a property with
    // atom 0); Xlib's default handler would end the host for them. Only the first is reported.
    int reportXError (Display*, XErrorEvent* event)
    {
        static bool reported = false;

        if (! reported)
            std::fprintf (stderr, "X error %d (request %d) ignored, and any that follow\n", event->error_code, event->request_code);

        reported = true;
        return 0;
    }

    Display* asDisplay (void* display) { return static_cast<Display*> (display); }
}

X11EditorWindow::Size X11EditorWindow::requestedSize (Vst2Plugin& plugin)
{
    ERect* rect = nullptr;
    plugin.dispatch (effEditGetRect, 0, 0, &rect);

    if (rect == nullptr)
        return {};

    return { rect->right - rect->left, rect->bottom - rect->top };
}

std::unique_ptr<X11EditorWindow> X11EditorWindow::open (Vst2Plugin& plugin, std::string& error)
{
    if ((plugin.effect().flags & effFlagsHasEditor) == 0)
    {
        error = "the plug-in has no editor";
        return nullptr;
    }

    const auto size = requestedSize (plugin);
    if (size.width <= 0 || size.height <= 0)
    {
        error = "effEditGetRect reports no size";
        return nullptr;
    }

    Display* display = XOpenDisplay (nullptr);
    if (display == nullptr)
    {
        error = "no X display";
        return nullptr;
    }

    XSetErrorHandler (reportXError);
    const Window window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, (unsigned) size.width,
                                               (unsigned) size.height, 0, 0, BlackPixel (display, DefaultScreen (display)));
    XMapWindow (display, window);
    XSync (display, False);

    std::unique_ptr<X11EditorWindow> editor (new X11EditorWindow (plugin, display, window));
    plugin.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (window));
    editor->idle();
    return editor;
}

X11EditorWindow::X11EditorWindow (Vst2Plugin& p, void* d, unsigned long w) : plugin (p), display (d), window (w) {}

X11EditorWindow::~X11EditorWindow()
{
    plugin.dispatch (effEditClose);
    XDestroyWindow (asDisplay (display), window);
    XCloseDisplay (asDisplay (display));
}

void X11EditorWindow::idle()
{
    plugin.dispatch (effEditIdle);
    XSync (asDisplay (display), False);

    while (XPending (asDisplay (display)) > 0)
    {
        XEvent event;
        XNextEvent (asDisplay (display), &event);
    }
}

X11EditorWindow::Size X11EditorWindow::shownEditorSize() const
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Size size;

    if (XQueryTree (asDisplay (display), window, &root, &parent, &children, &count) == 0)
        return size;

    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes {};
        if (XGetWindowAttributes (asDisplay (display), children[i], &attributes) != 0 && attributes.map_state == IsViewable)
            size = { attributes.width, attributes.height };
    }

    if (children != nullptr)
        XFree (children);

    return size;
}

unsigned long X11EditorWindow::pixelAt (int x, int y) const
{
    // The window's picture includes the editor's child window painted over it.
    auto* image = XGetImage (asDisplay (display), window, x, y, 1, 1, AllPlanes, ZPixmap);

    if (image == nullptr)
        return 0;

    const auto pixel = XGetPixel (image, 0, 0);
    XDestroyImage (image);
    return pixel;
}

std::vector<unsigned long> X11EditorWindow::pixelsIn (int x, int y, int width, int height) const
{
    std::vector<unsigned long> pixels;
    auto* image = XGetImage (asDisplay (display), window, x, y, (unsigned) width, (unsigned) height, AllPlanes, ZPixmap);

    if (image == nullptr)
        return pixels;

    pixels.reserve ((size_t) (width * height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels.push_back (XGetPixel (image, column, row));

    XDestroyImage (image);
    return pixels;
}

bool X11EditorWindow::writePicture (const std::string& path) const
{
    XWindowAttributes attributes {};
    if (XGetWindowAttributes (asDisplay (display), window, &attributes) == 0)
        return false;

    const auto pixels = pixelsIn (0, 0, attributes.width, attributes.height);
    auto* file = pixels.empty() ? nullptr : std::fopen (path.c_str(), "wb");

    if (file == nullptr)
        return false;

    bool written = std::fprintf (file, "P6\n%d %d\n255\n", attributes.width, attributes.height) > 0;

    for (const auto pixel : pixels)
    {
        const unsigned char rgb[] { (unsigned char) (pixel >> 16), (unsigned char) (pixel >> 8), (unsigned char) pixel };
        written = std::fwrite (rgb, 1, 3, file) == 3 && written;
    }

    return std::fclose (file) == 0 && written;
}
