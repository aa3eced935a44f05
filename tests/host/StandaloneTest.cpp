// The built Standalone app in a real window: it starts, shows the editor and quits when its
// window is asked to close. Needs a display (labelled "display"; scripts/test.sh gives it Xvfb).

#include <gtest/gtest.h>

// After GoogleTest: Xlib's macros (None among them) would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace
{
    constexpr int attempts = 300;           // each waits at most one pause for the X server
    constexpr long pauseMicroseconds = 100000;
    constexpr unsigned long curveColour = 0xec7811;   // the curve's 0xffec7811 on a 24-bit screen

    // The test's own connection, which hears every top-level window being mapped or destroyed.
    struct XConnection
    {
        XConnection() : display (XOpenDisplay (nullptr))
        {
            // Windows come and go while we look at them: a BadWindow must not end the test.
            XSetErrorHandler ([] (::Display*, XErrorEvent*) { return 0; });

            if (display == nullptr)
                return;

            XSelectInput (display, DefaultRootWindow (display), SubstructureNotifyMask);
            // JUCE looks these up only if they exist when it starts, as they do wherever a window
            // manager runs; on a bare server it would never hear the request to close.
            protocols = XInternAtom (display, "WM_PROTOCOLS", False);
            deleteWindow = XInternAtom (display, "WM_DELETE_WINDOW", False);
            XSync (display, False);
        }

        ~XConnection()
        {
            if (display != nullptr)
                XCloseDisplay (display);
        }

        // Waits until the server reports something, or a pause has passed, and drops what it reported.
        void waitForEvents() const
        {
            XFlush (display);
            if (XPending (display) == 0)
            {
                fd_set fds;
                FD_ZERO (&fds);
                FD_SET (ConnectionNumber (display), &fds);
                timeval pause { 0, pauseMicroseconds };
                select (ConnectionNumber (display) + 1, &fds, nullptr, nullptr, &pause);
            }

            while (XPending (display) > 0)
            {
                XEvent event;
                XNextEvent (display, &event);
            }
        }

        // JUCE writes the title as UTF8_STRING, which XFetchName does not return.
        std::string nameOf (Window window) const
        {
            XTextProperty name {};
            if (XGetWMName (display, window, &name) == 0 || name.value == nullptr)
                return {};

            std::string text (reinterpret_cast<const char*> (name.value), name.nitems);
            XFree (name.value);
            return text;
        }

        // The viewable top-level window with this title.
        std::optional<Window> mappedWindow (const std::string& title) const
        {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            std::optional<Window> found;

            if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) == 0)
                return found;

            for (unsigned int i = 0; i < count && ! found; ++i)
            {
                XWindowAttributes attributes;
                if (XGetWindowAttributes (display, children[i], &attributes) != 0 && attributes.map_state == IsViewable
                    && nameOf (children[i]) == title)
                    found = children[i];
            }

            XFree (children);
            return found;
        }

        bool showsColour (Window window, unsigned long colour) const
        {
            XWindowAttributes attributes;
            if (XGetWindowAttributes (display, window, &attributes) == 0)
                return false;

            auto* image = XGetImage (display, window, 0, 0, (unsigned int) attributes.width, (unsigned int) attributes.height,
                                     AllPlanes, ZPixmap);
            if (image == nullptr)
                return false;

            bool found = false;
            for (int y = 0; y < attributes.height && ! found; ++y)
                for (int x = 0; x < attributes.width && ! found; ++x)
                    found = (XGetPixel (image, x, y) & 0xffffff) == colour;

            XDestroyImage (image);
            return found;
        }

        // What a window manager sends when the user clicks the close button.
        void askToClose (Window window) const
        {
            XEvent event {};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = (long) deleteWindow;
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent (display, window, False, NoEventMask, &event);
            XFlush (display);
        }

        ::Display* display;
        Atom protocols = 0, deleteWindow = 0;
    };

    // The app as a child process; killed if a test leaves it running.
    struct App
    {
        explicit App (const char* path)
        {
            char* argv[] = { const_cast<char*> (path), nullptr };
            if (posix_spawn (&pid, path, nullptr, nullptr, argv, environ) != 0)
                pid = -1;
        }

        ~App()
        {
            if (pid > 0 && ! exitStatus)
            {
                kill (pid, SIGKILL);
                waitpid (pid, nullptr, 0);
            }
        }

        bool hasExited()
        {
            int status = 0;
            if (! exitStatus && pid > 0 && waitpid (pid, &status, WNOHANG) == pid)
                exitStatus = status;
            return exitStatus.has_value();
        }

        pid_t pid = -1;
        std::optional<int> exitStatus;
    };
}

TEST (Standalone, ShowsTheEditorInItsWindowAndQuitsWhenTheWindowIsClosed)
{
    XConnection x;
    ASSERT_NE (x.display, nullptr) << "no display: run under xvfb-run";

    App app (ORVANTA_STANDALONE_APP);
    ASSERT_GT (app.pid, 0) << ORVANTA_STANDALONE_APP;

    std::optional<Window> window;
    for (int i = 0; i < attempts && ! window && ! app.hasExited(); ++i, x.waitForEvents())
        window = x.mappedWindow ("Orvanta2");
    ASSERT_TRUE (window.has_value()) << "no window appeared";

    XWindowAttributes attributes;
    ASSERT_NE (XGetWindowAttributes (x.display, *window, &attributes), 0);
    // The editor's 525 × 633 with the window's frame, its title bar and the notice of muted input.
    EXPECT_GE (attributes.width, 525);
    EXPECT_LE (attributes.width, 535);
    EXPECT_GE (attributes.height, 633);
    EXPECT_LE (attributes.height, 733);

    // The curve appears once the editor has painted and the wave is drawn.
    bool curveShown = false;
    for (int i = 0; i < attempts && ! curveShown; ++i, x.waitForEvents())
        curveShown = x.showsColour (*window, curveColour);
    EXPECT_TRUE (curveShown) << "no pixel of the curve's colour";

    x.askToClose (*window);
    for (int i = 0; i < attempts && ! app.hasExited(); ++i)
        x.waitForEvents();

    ASSERT_TRUE (app.hasExited()) << "the app is still running";
    EXPECT_TRUE (WIFEXITED (*app.exitStatus) && WEXITSTATUS (*app.exitStatus) == 0) << "status " << *app.exitStatus;
}
