#include "win32_services.h"

#include <windows.h>

namespace griffwandler::services::win32 {

void dickenRandSetzen(void *hwnd)
{
    // The results are not examined: an invalid handle makes all three calls
    // fail without effect.
    const HWND window = static_cast<HWND>(hwnd);
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE,
                   static_cast<LONG>(withClientEdge(static_cast<std::uint32_t>(style))));
    // Keeps place and size, recomputes the frame and raises the window to the top.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
}

Frame frameWithClientEdge(void *hwnd)
{
    const HWND window = static_cast<HWND>(hwnd);
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    const bool hasEdge =
        (static_cast<std::uint32_t>(GetWindowLongA(window, GWL_EXSTYLE)) & ClientEdge) != 0;
    // The edge is SM_CXEDGE wide at the left and right, SM_CYEDGE high at the
    // top and bottom.
    const int edgeX = hasEdge ? 0 : GetSystemMetrics(SM_CXEDGE);
    const int edgeY = hasEdge ? 0 : GetSystemMetrics(SM_CYEDGE);
    return {origin.x - outer.left + edgeX, origin.y - outer.top + edgeY,
            outer.right - origin.x - client.right + edgeX,
            outer.bottom - origin.y - client.bottom + edgeY};
}

void clearTitle(void *hwnd)
{
    SetWindowTextW(static_cast<HWND>(hwnd), L"");
}

} // namespace griffwandler::services::win32
