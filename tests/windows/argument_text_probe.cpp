// Started by argument_text_win_test with chosen raw command lines: writes
// its argument text, as the program would read it, to standard output.

#include "presets/windows_command_line.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

int main() {
    const std::string text = quorvell::presets::windowsArgumentText();
    DWORD written = 0;
    // WriteFile, not the C runtime: no newline or code page translation.
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
                     &written, nullptr) &&
                   written == text.size()
               ? 0
               : 1;
}
