#include "base/windows_text.h"
#include "cli/platform.h"

#include <cstdio>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace quorvell::cli {

// argv holds the ANSI code page's rendering, which loses every name outside
// it; the wide command line has them all.
std::vector<std::string> processArguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        return args;
    }
    for (int i = 1; i < count; ++i) {
        args.push_back(win::utf8FromWide(wide[i]));
    }
    ::LocalFree(wide);
    return args;
}

bool stderrIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

void prepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace quorvell::cli
