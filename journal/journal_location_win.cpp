#include "journal/journal_location.h"

#include <string>
#include <windows.h>

namespace quorvell::journal {

std::optional<std::filesystem::path> journalFolder() {
    const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (size <= 1) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), size);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    value.resize(length);
    return std::filesystem::path(value) / L"Quorvell";
}

} // namespace quorvell::journal
