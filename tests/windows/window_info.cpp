// Reads facts about the program's window back from the window system, for the
// checks under Wine. Prints one line of key=value pairs.
//
//   window_info window   the first visible top-level window of a Qt program:
//                         handle, extended style, outer rectangle, client area
//                         origin and size on the screen, the screen size and
//                         the caption's length
//   window_info cursor   whether the current mouse pointer is the busy one
//
// Exit status 0 when found, 1 when no such window exists.

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK findQtWindow(HWND hwnd, LPARAM result)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (IsWindowVisible(hwnd) && std::strncmp(name, "Qt", 2) == 0) {
        *reinterpret_cast<HWND *>(result) = hwnd;
        return FALSE;
    }
    return TRUE;
}

int window()
{
    HWND hwnd = nullptr;
    EnumWindows(findQtWindow, reinterpret_cast<LPARAM>(&hwnd));
    if (!hwnd)
        return 1;
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    ClientToScreen(hwnd, &origin);
    std::printf("hwnd=%p exstyle=0x%lx outer=%ld,%ld,%ld,%ld client=%ld,%ld,%ld,%ld "
                "screen=%d,%d foreground=%d caption=%d\n",
                static_cast<void *>(hwnd),
                static_cast<unsigned long>(GetWindowLongA(hwnd, GWL_EXSTYLE)), outer.left,
                outer.top, outer.right - outer.left, outer.bottom - outer.top, origin.x, origin.y,
                client.right, client.bottom, GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN), GetForegroundWindow() == hwnd ? 1 : 0,
                GetWindowTextLengthW(hwnd));
    return 0;
}

int cursor()
{
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info))
        return 1;
    const bool busy = info.hCursor == LoadCursor(nullptr, IDC_WAIT) ||
                      info.hCursor == LoadCursor(nullptr, IDC_APPSTARTING);
    std::printf("busy=%d\n", busy ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "window") == 0)
        return window();
    if (argc == 2 && std::strcmp(argv[1], "cursor") == 0)
        return cursor();
    std::fprintf(stderr, "usage: window_info window|cursor\n");
    return 2;
}
