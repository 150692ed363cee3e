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

std::filesystem::path programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

bool stderrIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

void prepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace quorvell::cli
