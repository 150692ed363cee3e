#include "app/parent_console.h"

#include <cstdio>
#include <windows.h>

namespace quorvell::app {

void attachParentConsole() {
    // Streams redirected by the caller (a script capturing output) are
    // already valid handles and are left alone.
    const bool outRedirected = GetStdHandle(STD_OUTPUT_HANDLE) != nullptr &&
                               GetStdHandle(STD_OUTPUT_HANDLE) != INVALID_HANDLE_VALUE;
    if (outRedirected || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    FILE* ignored = nullptr;
    freopen_s(&ignored, "CONOUT$", "w", stdout);
    freopen_s(&ignored, "CONOUT$", "w", stderr);
}

} // namespace quorvell::app
