// The built Orvanta2.so's editor in a real X11 window, opened by the project's own VST 2 host as
// a Linux host opens it. Needs a display (labelled "display"; scripts/test.sh gives it Xvfb).

#include "Vst2Plugin.h"
#include "X11EditorWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xlib.h>   // last: its macros clash with gtest's names

namespace
{
    constexpr const char* pluginPath = ORVANTA_VST2_PLUGIN;
    constexpr int maxIdles = 500;

    std::unique_ptr<Vst2Plugin> loadPlugin()
    {
        std::string error;
        auto plugin = Vst2Plugin::load (pluginPath, {}, error);
        EXPECT_NE (plugin, nullptr) << error;
        return plugin;
    }

    // Idles the editor until its window is mapped at the expected size; false if it never is.
    bool idleUntilShown (X11EditorWindow& window, X11EditorWindow::Size expected)
    {
        for (int i = 0; i < maxIdles; ++i)
        {
            const auto shown = window.shownEditorSize();
            if (shown.width == expected.width && shown.height == expected.height)
                return true;
            window.idle();
        }
        return false;
    }

    struct ScreenRect
    {
        int x = 0, y = 0, width = 0, height = 0;
    };

    // A mapped top-level window other than the host's own: the plug-in's popup menu.
    std::optional<ScreenRect> popupWindow (unsigned long hostWindow)
    {
        Display* display = XOpenDisplay (nullptr);
        if (display == nullptr)
            return std::nullopt;

        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        std::optional<ScreenRect> found;

        if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) != 0)
            for (unsigned int i = 0; i < count; ++i)
            {
                XWindowAttributes a {};
                if (children[i] != hostWindow && XGetWindowAttributes (display, children[i], &a) != 0
                    && a.map_state == IsViewable)
                    found = ScreenRect { a.x, a.y, a.width, a.height };
            }

        if (children != nullptr)
            XFree (children);
        XCloseDisplay (display);
        return found;
    }

    // Idles the editor until a pixel of the area passes the test; false if none does within
    // five seconds. The editor paints on its own timers, so the bound is time, not a count of idles.
    template <typename PixelTest>
    bool idleUntilAnyPixel (X11EditorWindow& window, ScreenRect area, PixelTest test)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds (5);
        while (std::chrono::steady_clock::now() < giveUp)
        {
            window.idle();
            for (const auto p : window.pixelsIn (area.x, area.y, area.width, area.height))
                if (test ((int) (p >> 16) & 0xff, (int) (p >> 8) & 0xff, (int) p & 0xff))
                    return true;
        }
        return false;
    }

    // Real pointer events through the X server, as a user's mouse makes them.
    bool xdotool (const std::string& arguments)
    {
        return std::system (("xdotool " + arguments).c_str()) == 0;
    }

    std::string at (int x, int y)
    {
        return "mousemove " + std::to_string (x) + " " + std::to_string (y);
    }

    void idleSome (X11EditorWindow& window)
    {
        for (int i = 0; i < 20; ++i)
            window.idle();
    }

    // Moves to one point (letting the window see the pointer arrive), presses, moves to the other
    // in ten steps and releases, idling the editor in between.
    bool realDrag (X11EditorWindow& window, int fromX, int fromY, int toX, int toY)
    {
        if (! xdotool (at (fromX, fromY)))
            return false;
        idleSome (window);
        if (! xdotool ("mousedown 1"))
            return false;
        for (int step = 1; step <= 10; ++step)
        {
            if (! xdotool (at (fromX + (toX - fromX) * step / 10, fromY + (toY - fromY) * step / 10)))
                return false;
            for (int i = 0; i < 5; ++i)
                window.idle();
        }
        const bool released = xdotool ("mouseup 1");
        idleSome (window);
        return released;
    }

    // Processes a tone in blocks of 256 on its own thread, as a host's audio thread does, and
    // checks every sample against program 0's equal-power law: left² + right² = 2 · input².
    class AudioThread
    {
    public:
        explicit AudioThread (Vst2Plugin& p) : plugin (p), thread ([this] { run(); }) {}

        ~AudioThread() { stop(); }

        void stop()
        {
            running = false;
            if (thread.joinable())
                thread.join();
        }

        std::atomic<long> blocks { 0 };
        std::atomic<bool> undisturbed { true };

    private:
        void run()
        {
            std::vector<float> in (256), left (256), right (256);
            for (long n = 0; running; ++n)
            {
                for (size_t i = 0; i < in.size(); ++i)
                    in[i] = 0.5f * std::sin (0.03f * (float) (n * 256 + (long) i));

                plugin.processStereo (in.data(), in.data(), left.data(), right.data(), 256);

                for (size_t i = 0; i < in.size(); ++i)
                {
                    const float power = left[i] * left[i] + right[i] * right[i];
                    if (! (std::abs (power - 2.0f * in[i] * in[i]) < 1e-5f))
                        undisturbed = false;
                }
                ++blocks;
            }
        }

        Vst2Plugin& plugin;
        std::atomic<bool> running { true };
        std::thread thread;
    };
}

TEST (Vst2Editor, OpensAt525By633InTheHostsWindowAndClosesAgain)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();

    const auto size = X11EditorWindow::requestedSize (*plugin);
    EXPECT_EQ (size.width, 525);
    EXPECT_EQ (size.height, 633);

    std::string error;
    auto window = X11EditorWindow::open (*plugin, error);
    ASSERT_NE (window, nullptr) << error;
    EXPECT_TRUE (idleUntilShown (*window, { 525, 633 }));

    window.reset();
    plugin->suspend();
}

TEST (Vst2Editor, TwentyOpenAndCloseCyclesWhileAnotherThreadProcessesAudio)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    AudioThread audio (*plugin);

    for (int cycle = 0; cycle < 20; ++cycle)
    {
        std::string error;
        auto window = X11EditorWindow::open (*plugin, error);
        ASSERT_NE (window, nullptr) << error;
        ASSERT_TRUE (idleUntilShown (*window, { 525, 633 })) << "cycle " << cycle;

        // Some audio runs while this editor is open, whatever the scheduler does.
        const long before = audio.blocks.load();
        for (int i = 0; i < maxIdles * 100 && audio.blocks.load() < before + 4; ++i)
            window->idle();
    }

    audio.stop();
    EXPECT_TRUE (audio.undisturbed.load());
    EXPECT_GE (audio.blocks.load(), 80);
}

TEST (Vst2Editor, ShowsTheCurveViewInTheProductColourWhileAudioPlays)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    AudioThread audio (*plugin);
    std::string error;
    auto window = X11EditorWindow::open (*plugin, error);
    ASSERT_NE (window, nullptr) << error;
    ASSERT_TRUE (idleUntilShown (*window, { 525, 633 }));

    // Somewhere across the curve view's row 300 (the view spans x 35 ... 307) the curve crosses
    // in orange; the editor paints within a few refresh ticks.
    const auto orange = [] (int r, int g, int b) { return r > 0xc8 && g > 0x50 && g < 0xb0 && b < 0x50; };
    EXPECT_TRUE (idleUntilAnyPixel (*window, { 35, 300, 273, 1 }, orange));

    // For the picture: the point markers (white) and the default tip in the tip area show once
    // the first refresh has delivered the processor's values.
    const auto white = [] (int r, int g, int b) { return r > 0xd0 && g > 0xd0 && b > 0xd0; };
    EXPECT_TRUE (idleUntilAnyPixel (*window, { 35, 0, 273, 633 }, white));
    EXPECT_TRUE (idleUntilAnyPixel (*window, { 335, 378, 162, 99 }, white));

    // The README's picture of the window is this one (scripts/editor-picture.sh names the file).
    const auto* named = std::getenv ("ORVANTA_EDITOR_PICTURE");
    const std::string picture = named != nullptr ? named : ::testing::TempDir() + "orvanta-editor.ppm";
    ASSERT_TRUE (window->writePicture (picture));
    const auto header = "P6\n525 633\n255\n";
    EXPECT_EQ (std::filesystem::file_size (picture), std::strlen (header) + 525u * 633u * 3u);

    window.reset();
    audio.stop();
    plugin->suspend();
}

// "Speed Type" is parameter 4 with 7 steps; "Hertz Retrig." is step 4. The menu sits at
// (371, 54), 84 x 15, in the window, which an X server without a window manager puts at (0, 0).
TEST (Vst2Editor, ARealClickOnTheSpeedTypeMenuAndItsHertzRetrigItemSetsTheParameter)
{
    if (std::system ("command -v xdotool >/dev/null") != 0)
        GTEST_SKIP() << "xdotool is not installed (scripts/setup.sh installs it)";

    constexpr int speedType = 4, speedTypeSteps = 7, hertzRetrig = 4;
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    auto& effect = plugin->effect();
    effect.setParameter (&effect, speedType, 0.0f);

    std::string error;
    auto window = X11EditorWindow::open (*plugin, error);
    ASSERT_NE (window, nullptr) << error;
    ASSERT_TRUE (idleUntilShown (*window, { 525, 633 }));

    ASSERT_TRUE (xdotool (at (413, 61) + " click 1"));
    std::optional<ScreenRect> popup;
    for (int i = 0; i < maxIdles && ! popup; ++i)
    {
        window->idle();
        popup = popupWindow (window->windowId());
    }
    ASSERT_TRUE (popup.has_value()) << "the menu did not open";

    // The items fill the popup evenly, but for its thin border.
    const int itemX = popup->x + popup->width / 2;
    const int itemY = popup->y + (2 * hertzRetrig + 1) * popup->height / (2 * speedTypeSteps);
    ASSERT_TRUE (xdotool (at (itemX, itemY - 2) + " " + at (itemX, itemY)));

    // A popup ignores clicks in its first moments; click again while it is still open.
    const float wanted = (float) hertzRetrig / (float) speedTypeSteps;
    for (int attempt = 0; attempt < 100 && effect.getParameter (&effect, speedType) != wanted; ++attempt)
    {
        if (popupWindow (window->windowId()))
        {
            ASSERT_TRUE (xdotool ("click 1"));
        }
        for (int i = 0; i < 20; ++i)
            window->idle();
    }

    EXPECT_FLOAT_EQ (effect.getParameter (&effect, speedType), wanted);
    EXPECT_FALSE (popupWindow (window->windowId()).has_value());
}

namespace
{
    // Wave 1's point in one slot of the first twenty: its X, Y and Type parameters follow the 24
    // plug-in parameters. Read through the host interface, with its pixel in the window.
    struct HostPoint
    {
        float x, y, type;
        int windowX() const;
        int windowY() const;
    };

    // The curve editor spans x 35 ... 307 of the window, time running down from y 26 to 606 and
    // the pan position across from x 46 (left, y = 1) to 297 (right, y = 0).
    constexpr int curveLeft = 35;
    int HostPoint::windowX() const { return curveLeft + (int) (11.0f + 251.0f * (1.0f - y)); }
    int HostPoint::windowY() const { return (int) (26.0f + 580.0f * x); }
    float curveValueAt (int windowX) { return 1.0f - (float) (windowX - curveLeft - 11) / 251.0f; }
    float cycleAt (int windowY) { return (float) (windowY - 26) / 580.0f; }

    // The curve buttons run down from the zoom icon at x 307; Undo is the ninth, at (307, 288).
    constexpr int undoX = 316, undoY = 297;

    // Left and right power of a steady tone through the plug-in, after enough blocks for the
    // waves to be rebuilt and queued edits to be applied.
    std::pair<double, double> channelPowers (Vst2Plugin& plugin)
    {
        std::vector<float> in (256), left (256), right (256);
        double l = 0.0, r = 0.0;
        for (int block = 0; block < 400; ++block)
        {
            for (size_t i = 0; i < in.size(); ++i)
                in[i] = 0.5f * std::sin (0.03f * (float) (block * 256 + (int) i));
            plugin.processStereo (in.data(), in.data(), left.data(), right.data(), 256);
            if (block >= 300)
                for (size_t i = 0; i < in.size(); ++i)
                {
                    l += left[i] * left[i];
                    r += right[i] * right[i];
                }
        }
        return { l, r };
    }

    // The plug-in on one program, processing, with its editor open for real X events.
    struct EditorInTheHost : testing::Test
    {
        void SetUp() override
        {
            if (std::system ("command -v xdotool >/dev/null") != 0)
                GTEST_SKIP() << "xdotool is not installed (scripts/setup.sh installs it)";
            plugin = loadPlugin();
            ASSERT_NE (plugin, nullptr);
        }

        void TearDown() override
        {
            window.reset();
            if (plugin != nullptr)
                plugin->suspend();
        }

        AEffect& effect() { return plugin->effect(); }

        void startOn (int program)
        {
            plugin->dispatch (effSetProgram, 0, program);
            plugin->resume();
        }

        void openWindow()
        {
            std::string error;
            window = X11EditorWindow::open (*plugin, error);
            ASSERT_NE (window, nullptr) << error;
            ASSERT_TRUE (idleUntilShown (*window, { 525, 633 }));
        }

        HostPoint point (int slot)
        {
            const int first = 24 + 3 * slot;
            return { effect().getParameter (&effect(), first), effect().getParameter (&effect(), first + 1),
                     effect().getParameter (&effect(), first + 2) };
        }

        // The host applies the editor's writes while it processes.
        void applyEdits()
        {
            idleSome (*window);
            channelPowers (*plugin);
        }

        void clickUndo()
        {
            ASSERT_TRUE (xdotool (at (undoX, undoY) + " click 1"));
            applyEdits();
        }

        std::unique_ptr<Vst2Plugin> plugin;
        std::unique_ptr<X11EditorWindow> window;
    };

    constexpr int initProgram = 15, leftToRightProgram = 0;
}

// "Mix" is parameter 16; its knob's strip sits at (406, 211), 48 px across. Dragging it down
// with real pointer events turns it down; the host hears the new value once it processes.
TEST_F (EditorInTheHost, ARealDragDownOnTheMixKnobTurnsItDown)
{
    constexpr int mix = 16;
    startOn (leftToRightProgram);
    effect().setParameter (&effect(), mix, 1.0f);
    channelPowers (*plugin);
    ASSERT_EQ (effect().getParameter (&effect(), mix), 1.0f);
    openWindow();

    ASSERT_TRUE (realDrag (*window, 430, 228, 430, 288));
    applyEdits();

    const float turned = effect().getParameter (&effect(), mix);
    EXPECT_LT (turned, 0.9f);
    EXPECT_GE (turned, 0.0f);
}

// On "Init" (no points, the signal stays in the centre) a real click in the curve editor adds a
// point and a real drag takes it to the left; the host reads the point back and hears the
// signal on the left.
TEST_F (EditorInTheHost, ARealClickAndDragDrawsAPointThatPansTheSound)
{
    startOn (initProgram);
    const auto centred = channelPowers (*plugin);
    ASSERT_NEAR (centred.first / centred.second, 1.0, 1e-3);
    openWindow();

    constexpr int fromX = 135, fromY = 300, toX = 95, toY = 320;
    ASSERT_TRUE (realDrag (*window, fromX, fromY, toX, toY));

    const auto panned = channelPowers (*plugin);
    EXPECT_FLOAT_EQ (point (0).type, 0.25f) << "a smooth point";
    EXPECT_NEAR (point (0).x, cycleAt (toY), 0.003f);
    EXPECT_NEAR (point (0).y, curveValueAt (toX), 0.005f);
    EXPECT_GT (panned.first, 2.0 * panned.second) << "the sound moved to the left";
}

// A real key press moves the drawn wave later (the right arrow: 512 of 8192 units), and the
// Undo button takes back first the move, then the point.
TEST_F (EditorInTheHost, ARealKeyMovesTheDrawnPointAndTheUndoButtonTakesBackBothSteps)
{
    startOn (initProgram);
    openWindow();

    ASSERT_TRUE (realDrag (*window, 200, 400, 180, 420));
    applyEdits();
    ASSERT_FLOAT_EQ (point (0).type, 0.25f) << "the point was drawn";
    const float drawnX = point (0).x;

    ASSERT_TRUE (xdotool ("key Right"));
    applyEdits();
    EXPECT_FLOAT_EQ (point (0).x, drawnX + 512.0f / 8192.0f);

    clickUndo();
    EXPECT_FLOAT_EQ (point (0).x, drawnX);
    EXPECT_FLOAT_EQ (point (0).type, 0.25f);
    clickUndo();
    EXPECT_FLOAT_EQ (point (0).type, 0.0f) << "undone";
}

// Program 0 ("Left to Right") has three points on the right half of wave 1. A real SHIFT-drag
// around them makes a selection; once it has settled, a real drag on its bottom-middle handle
// squeezes the points together in time; Undo takes the squeeze back.
TEST_F (EditorInTheHost, ARealRubberBandSelectsPointsAndARealHandleDragSqueezesThem)
{
    startOn (leftToRightProgram);

    std::vector<int> right;
    int top = 633, bottom = 0, column = 0;
    for (int slot = 0; slot < 20; ++slot)
        if (const auto p = point (slot); p.type > 0.0f && p.windowX() > curveLeft + 200)
        {
            right.push_back (slot);
            top = std::min (top, p.windowY());
            bottom = std::max (bottom, p.windowY());
            column = p.windowX();
        }
    ASSERT_GE (right.size(), 2u);
    const int lowest = *std::max_element (right.begin(), right.end(), [&] (int a, int b) { return point (a).x < point (b).x; });
    const float lowestX = point (lowest).x;
    openWindow();

    ASSERT_TRUE (xdotool ("keydown shift"));
    ASSERT_TRUE (realDrag (*window, column - 20, top - 20, column + 8, bottom + 15));
    ASSERT_TRUE (xdotool ("keyup shift"));

    // Settled, the selection is the points' box plus 12 px and shows its white handles; the
    // bottom-middle one is centred 8 px above its bottom edge.
    const int handleX = column, handleY = bottom + 12 - 5;
    const auto white = [] (int r, int g, int b) { return r > 0xf0 && g > 0xf0 && b > 0xf0; };
    ASSERT_TRUE (idleUntilAnyPixel (*window, { handleX - 1, handleY - 1, 3, 3 }, white))
        << "no handle at " << handleX << ", " << handleY;

    ASSERT_TRUE (realDrag (*window, handleX, handleY, handleX, handleY - 60));
    applyEdits();
    EXPECT_LT (point (lowest).x, lowestX - 40.0f / 580.0f) << "the last point moved up with the edge";

    clickUndo();
    EXPECT_FLOAT_EQ (point (lowest).x, lowestX) << "undone";
}
