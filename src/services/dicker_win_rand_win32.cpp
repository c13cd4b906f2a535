#include "win32_dienste.h"

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

} // namespace griffwandler::services::win32
