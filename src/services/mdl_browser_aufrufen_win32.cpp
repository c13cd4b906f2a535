#include "win32_services.h"

#include <windows.h>

#include <shellapi.h>

namespace griffwandler::services::win32 {

void browserAufrufen(void *hwnd, const char *address)
{
    // Empty strings, not null pointers, for parameters and directory. The
    // result says nothing about whether a browser really opened the page;
    // the shell itself tells the user when it cannot.
    ShellExecuteA(static_cast<HWND>(hwnd), "Open", address, "", "", SW_SHOWNORMAL);
}

} // namespace griffwandler::services::win32
