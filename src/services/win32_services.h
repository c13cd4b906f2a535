#pragma once

// The Windows side of the services. Plain C++ with no Qt and no <windows.h>,
// so that these units build with any Windows compiler on their own.

#include <cstdint>

namespace griffwandler::services::win32 {

inline constexpr std::uint32_t ClientEdge = 0x200; // WS_EX_CLIENTEDGE

constexpr std::uint32_t withClientEdge(std::uint32_t exStyle)
{
    return exStyle | ClientEdge;
}

// Adds the sunken client edge to the window `hwnd` (an HWND), has the frame
// recomputed at once and brings the window to the top.
void dickenRandSetzen(void *hwnd);

// The frame of the window `hwnd` (left, top, right, bottom), from the window
// system's own rectangles, as it will be once the sunken client edge is added.
struct Frame {
    int left, top, right, bottom;
};
Frame frameWithClientEdge(void *hwnd);

// Gives the window `hwnd` an empty caption.
void clearTitle(void *hwnd);

// Hands `address` (in the ANSI code page) to the shell's handler for it, with
// `hwnd` as the owner of any message the shell shows.
void browserAufrufen(void *hwnd, const char *address);

} // namespace griffwandler::services::win32
