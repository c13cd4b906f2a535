#pragma once

// The X11 side of the window frame. Plain C++ with no Qt, so that the xcb
// calls stay in one unit of their own.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct xcb_connection_t;

namespace griffwandler::services::x11 {

// Frame extents as the window manager gives them: left, right, top, bottom.
using FrameExtents = std::array<std::uint32_t, 4>;

// The frame that the window manager puts (or will put) around the top-level
// window `window`. A window that is not mapped yet is given an estimate on
// request (_NET_REQUEST_FRAME_EXTENTS), so the frame is known before the
// window is first shown. Empty when no window manager that publishes frame
// extents runs, or when it does not answer within `waitMilliseconds`.
std::optional<FrameExtents> expectedFrame(xcb_connection_t *connection, std::uint32_t window,
                                          int waitMilliseconds);

// The window manager of the screen that `window` belongs to, as far as the X
// server tells without asking the manager anything.
struct WindowManager {
    bool running = false; // someone redirects the root window's children: a manager frames them
    std::string name;     // as it names itself (_NET_WM_NAME of its check window); may be empty
};
WindowManager windowManager(xcb_connection_t *connection, std::uint32_t window);

// The window gravities of WM_NORMAL_HINTS: which point of the frame the
// manager keeps where that point of the window was asked to be.
enum class Gravity : std::uint32_t {
    NorthWest = 1,
    North = 2,
    NorthEast = 3,
    West = 4,
    Centre = 5,
    East = 6,
    SouthWest = 7,
    South = 8,
    SouthEast = 9,
};

// A place on the root window, in the window system's pixels.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Runs `show`, which maps the top-level `window` and in doing so writes its
// WM_NORMAL_HINTS anew, and gives those hints `gravity` before the window
// manager reads them: the server serves this connection alone until then.
void showWithGravity(xcb_connection_t *connection, std::uint32_t window, Gravity gravity,
                     const std::function<void()> &show);

// Asks the manager to put the client area of the shown `window` at `place`
// (its corner on the root window), with the gravity it was shown with: a
// manager that learns the frame only after it has placed the window, or
// places it by a rule of its own first, applies the gravity to the frame then.
void askForPlace(xcb_connection_t *connection, std::uint32_t window, Point place);

// Gives `window` an empty title (_NET_WM_NAME), the same as its WM_NAME.
void clearTitle(xcb_connection_t *connection, std::uint32_t window);

} // namespace griffwandler::services::x11
