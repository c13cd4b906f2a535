#pragma once

// The X11 side of the window frame. Plain C++ with no Qt, so that the xcb
// calls stay in one unit of their own.

#include <array>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace griffwandler::services::x11 {

// Frame extents as the window manager gives them: left, right, top, bottom.
using Rahmen = std::array<std::uint32_t, 4>;

// The frame that the window manager puts (or will put) around the top-level
// window `window`. A window that is not mapped yet is given an estimate on
// request (_NET_REQUEST_FRAME_EXTENTS), so the frame is known before the
// window is first shown. Empty when no window manager that publishes frame
// extents runs, or when it does not answer within `waitMilliseconds`.
std::optional<Rahmen> erwarteterRahmen(xcb_connection_t *connection, std::uint32_t window,
                                       int waitMilliseconds);

} // namespace griffwandler::services::x11
