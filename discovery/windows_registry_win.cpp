#include "base/ansi_text.h"
#include "base/windows_text.h"
#include "discovery/windows_registry.h"

#define WIN32_LEAN_AND_MEAN
#include <algorithm>
#include <windows.h>

namespace quorvell::discovery {

namespace {

class OpenKey {
public:
    OpenKey(std::string_view subKey, REGSAM view) {
        const std::wstring path = win::wideFromUtf8(subKey);
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | view, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The value through the ANSI function, so strings arrive in the ANSI code
// page exactly as the game's own tools see them: size first, then the data.
std::optional<RegistryValue> queryValue(HKEY key, const std::string& ansiName) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        RegistryValue value;
        value.data.assign(size, ' ');
        DWORD got = size;
        const LONG status = RegQueryValueExA(key, ansiName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(value.data.data()), &got);
        if (status == ERROR_MORE_DATA) {
            continue; // the value grew between the two calls
        }
        if (status != ERROR_SUCCESS) {
            return std::nullopt;
        }
        // The size probe of a string may be larger than its ANSI form.
        value.data.resize(std::min<DWORD>(got, size));
        value.type = type;
        return value;
    }
    return std::nullopt;
}

class WindowsRegistry final : public RegistrySource {
public:
    std::optional<RegistryValue> queryLocalMachine(std::string_view subKey,
                                                   std::string_view valueName) const override {
        const std::string ansiName = ansi::fromUtf8Lossy(valueName);
        // The 32-bit view is where a 32-bit installer wrote; the native view
        // (64-bit view on 64-bit Windows, the only one on 32-bit Windows)
        // only when that has no such value.
        for (const REGSAM view : {REGSAM{KEY_WOW64_32KEY}, REGSAM{KEY_WOW64_64KEY}}) {
            const OpenKey key(subKey, view);
            if (!key.get()) {
                continue;
            }
            if (auto value = queryValue(key.get(), ansiName)) {
                return value;
            }
        }
        return std::nullopt;
    }
};

} // namespace

std::unique_ptr<RegistrySource> makeWindowsRegistry() {
    return std::make_unique<WindowsRegistry>();
}

} // namespace quorvell::discovery
