#include "base/windows_lock_name.h"

#define WIN32_LEAN_AND_MEAN
#include <cstdint>
#include <cstdio>
#include <system_error>
#include <windows.h>

namespace quorvell::win {

std::wstring lockName(std::wstring_view kind, const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::weakly_canonical(path, error);
    if (error) {
        full = std::filesystem::absolute(path, error);
    }
    std::wstring text = (error ? path : full).lexically_normal().make_preferred().wstring();
    while (text.size() > 3 && text.back() == L'\\') {
        text.pop_back();
    }
    if (!text.empty()) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : text) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    }
    wchar_t hex[17];
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(hash));
    return L"Local\\Quorvell-" + std::wstring(kind) + L"-" + std::wstring(hex);
}

} // namespace quorvell::win
