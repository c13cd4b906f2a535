// Exercises the Windows bodies of the services on a real (emulated) window
// system: the sunken client edge, the shell hand-over of a web address and the
// executable's version resource. Prints each check in the Test Anything
// Protocol ("ok N - NAME" or "not ok N - NAME"), the plan "1..N" and, last,
// "N passed, N failed"; the exit code is the number of failures.
//
//   win32_services_test <record file> <expected icon images> <address>...
//
// The record file is where the browser stand-in appends "<argument count>|<arguments>"
// for each address it is handed.

#include "services/win32_services.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

using griffwandler::services::win32::browserAufrufen;
using griffwandler::services::win32::dickenRandSetzen;

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const std::string &name, const std::string &detail = {})
{
    if (ok) {
        ++passed;
        std::printf("ok %d - %s\n", passed + failed, name.c_str());
    } else {
        ++failed;
        std::printf("not ok %d - %s\n", passed + failed, name.c_str());
        if (!detail.empty())
            std::printf("# %s\n", detail.c_str());
    }
    std::fflush(stdout);
}

std::string hex(unsigned long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

std::string rectText(const RECT &r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool sameRect(const RECT &a, const RECT &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND createWindow(DWORD exStyle, int x)
{
    HWND hwnd =
        CreateWindowExA(exStyle, "GriffwandlerTest", "Griffwandler Test", WS_OVERLAPPEDWINDOW, x,
                        40, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    return hwnd;
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct WindowState {
    DWORD exStyle;
    RECT window;
    RECT client;
};

WindowState stateOf(HWND hwnd)
{
    WindowState s{};
    s.exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    GetWindowRect(hwnd, &s.window);
    GetClientRect(hwnd, &s.client);
    return s;
}

// True when `upper` comes before `lower` in the Z order of top-level windows.
bool above(HWND upper, HWND lower)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper)
            return true;
        if (w == lower)
            return false;
    }
    return false;
}

void checkClientEdge()
{
    // Extra bits that must survive: accept files and control parent.
    const DWORD extra = WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT;
    HWND first = createWindow(extra, 40);
    HWND second = createWindow(extra, 80);
    pumpMessages();

    const WindowState before = stateOf(first);
    check((before.exStyle & WS_EX_CLIENTEDGE) == 0, "edge: window starts without the client edge",
          hex(before.exStyle));
    check(above(second, first), "edge: the later window starts on top");

    dickenRandSetzen(first);
    pumpMessages();
    const WindowState once = stateOf(first);
    check(once.exStyle == (before.exStyle | 0x200),
          "edge: ex-style gains 0x200 and keeps every other bit",
          hex(before.exStyle) + " -> " + hex(once.exStyle));
    check((once.exStyle & extra) == extra, "edge: the window's own extra bits are still set");
    check(sameRect(once.window, before.window), "edge: window rectangle unchanged",
          rectText(before.window) + " -> " + rectText(once.window));
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const int shrinkX =
        (before.client.right - before.client.left) - (once.client.right - once.client.left);
    const int shrinkY =
        (before.client.bottom - before.client.top) - (once.client.bottom - once.client.top);
    check(edgeX > 0 && shrinkX == 2 * edgeX && shrinkY == 2 * edgeY,
          "edge: client area shrinks by the edge on every side",
          "shrink " + std::to_string(shrinkX) + "x" + std::to_string(shrinkY) + ", edge " +
              std::to_string(edgeX) + "x" + std::to_string(edgeY));
    // Activation is not suppressed either, and it alone would raise the window
    // too: these two checks do not tell which of the two raised it.
    check(above(first, second), "edge: window raised to the top of the Z order");
    check(GetForegroundWindow() == first, "edge: window activated");

    dickenRandSetzen(first);
    pumpMessages();
    const WindowState twice = stateOf(first);
    check(twice.exStyle == once.exStyle && sameRect(twice.window, once.window) &&
              sameRect(twice.client, once.client),
          "edge: twice equals once",
          hex(once.exStyle) + " " + rectText(once.client) + " vs " + hex(twice.exStyle) + " " +
              rectText(twice.client));

    // A window that has the edge already keeps the same value, and is still raised.
    HWND edged = createWindow(extra | WS_EX_CLIENTEDGE, 120);
    pumpMessages();
    SetWindowPos(edged, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const WindowState edgedBefore = stateOf(edged);
    dickenRandSetzen(edged);
    pumpMessages();
    const WindowState edgedAfter = stateOf(edged);
    check(edgedBefore.exStyle == edgedAfter.exStyle &&
              sameRect(edgedBefore.client, edgedAfter.client),
          "edge: a window that has the edge keeps its style value",
          hex(edgedBefore.exStyle) + " -> " + hex(edgedAfter.exStyle));
    check(above(edged, first), "edge: that window is still raised to the top");

    // An invalid handle: the calls fail without effect, and nothing crashes.
    SetLastError(0);
    dickenRandSetzen(reinterpret_cast<void *>(static_cast<uintptr_t>(0x1234560)));
    check(GetLastError() == ERROR_INVALID_WINDOW_HANDLE, "edge: invalid handle fails quietly",
          "last error " + std::to_string(GetLastError()));

    DestroyWindow(edged);
    DestroyWindow(second);
    DestroyWindow(first);
    pumpMessages();
}

std::vector<std::string> readLines(const std::string &path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

void checkBrowser(const std::string &recordFile, const std::vector<std::string> &addresses)
{
    HWND owner = createWindow(0, 60);
    pumpMessages();
    for (const std::string &address : addresses)
        browserAufrufen(owner, address.c_str());

    // The shell starts the browser asynchronously: wait for every request.
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) {
        lines = readLines(recordFile);
        if (lines.size() >= addresses.size())
            break;
        pumpMessages();
        Sleep(100);
    }
    Sleep(300); // a late surplus request would show up now
    lines = readLines(recordFile);

    check(lines.size() == addresses.size(), "browser: one request per call",
          std::to_string(lines.size()) + " requests for " + std::to_string(addresses.size()) +
              " calls");
    // Requests may arrive in any order; each address must arrive whole, as one argument.
    std::vector<std::string> expected;
    for (const std::string &address : addresses)
        expected.push_back("1|" + address);
    std::vector<std::string> got = lines;
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    std::string detail;
    for (const std::string &line : got)
        detail += "[" + line + "] ";
    check(got == expected, "browser: the shell hands over exactly the addresses", detail);

    DestroyWindow(owner);
    pumpMessages();
}

std::string stringValue(const std::vector<char> &data, const char *name)
{
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    char *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void **>(&value), &length) ||
        !value)
        return "<missing>";
    return std::string(value, strnlen(value, length));
}

void checkVersionResource(int expectedIconImages)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(module, &handle);
    check(size > 0, "version: resource present");
    if (size == 0)
        return;
    std::vector<char> data(size);
    check(GetFileVersionInfoA(module, 0, size, data.data()) != 0, "version: resource readable");

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    const bool haveFixed =
        VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO);
    check(haveFixed, "version: fixed part present");
    if (haveFixed) {
        check(fixed->dwSignature == 0xFEEF04BD, "version: signature", hex(fixed->dwSignature));
        check(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0,
              "version: file version 1.0.0.0",
              hex(fixed->dwFileVersionMS) + " " + hex(fixed->dwFileVersionLS));
        check(fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0,
              "version: product version 1.0.0.0",
              hex(fixed->dwProductVersionMS) + " " + hex(fixed->dwProductVersionLS));
        check(fixed->dwFileFlagsMask == 0 && fixed->dwFileFlags == 0,
              "version: file flags mask 0, flags 0",
              hex(fixed->dwFileFlagsMask) + " " + hex(fixed->dwFileFlags));
        check(fixed->dwFileOS == 0x4, "version: operating system VOS__WINDOWS32",
              hex(fixed->dwFileOS));
        check(fixed->dwFileType == 0x1 && fixed->dwFileSubtype == 0,
              "version: file type VFT_APP, subtype 0",
              hex(fixed->dwFileType) + " " + hex(fixed->dwFileSubtype));
    }

    WORD *translation = nullptr;
    const bool haveTranslation = VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                                reinterpret_cast<void **>(&translation), &length) &&
                                 translation && length == 4;
    check(haveTranslation && translation[0] == 0x0409 && translation[1] == 1200,
          "version: one translation entry 0x0409, 1200",
          haveTranslation ? hex(translation[0]) + " " + std::to_string(translation[1])
                          : "missing, length " + std::to_string(length));

    const struct {
        const char *name;
        const char *value;
    } texts[] = {
        {"FileVersion", "1.00"},
        {"ProductVersion", "1.00"},
        {"CompanyName", "Griffwandler-Entwickler"},
        {"ProductName", "Griffwandler"},
        {"InternalName", "griffwandler"},
        {"OriginalFilename", "griffwandler.exe"},
    };
    for (const auto &text : texts) {
        const std::string value = stringValue(data, text.name);
        check(value == text.value,
              std::string("version: ") + text.name + " in block 040904B0 is \"" + text.value + "\"",
              "\"" + value + "\"");
    }

    // The icon group: its header counts the images it holds.
    HRSRC group = FindResourceA(nullptr, "IDI_ICON1", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    const WORD *header = nullptr;
    if (group) {
        HGLOBAL loaded = LoadResource(nullptr, group);
        header = loaded ? static_cast<const WORD *>(LockResource(loaded)) : nullptr;
    }
    const int images = header ? header[2] : -1;
    check(images == expectedIconImages,
          "icon: group IDI_ICON1 holds " + std::to_string(expectedIconImages) + " images",
          std::to_string(images));
    check(LoadIconA(GetModuleHandleA(nullptr), "IDI_ICON1") != nullptr, "icon: loads as an icon");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::printf("usage: %s <record file> <icon images> <address>...\n", argv[0]);
        return 2;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GriffwandlerTest";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);

    checkClientEdge();
    checkBrowser(argv[1], std::vector<std::string>(argv + 3, argv + argc));
    checkVersionResource(std::atoi(argv[2]));

    std::printf("1..%d\n%d passed, %d failed\n", passed + failed, passed, failed);
    return failed;
}
