#include "discovery/wine_registry.h"

#include "base/ansi_text.h"
#include "base/io_error.h"
#include "base/text_case.h"
#include "base/text_file.h"

#include <vector>

namespace quorvell::discovery {

namespace {

constexpr std::string_view kSoftware = "software\\";
constexpr std::string_view kWow64Software = "software\\wow6432node\\";

bool isStringType(std::uint32_t type) {
    return type == 1 || type == 2 || type == 7;
}

// Converts piece by piece between NULs so every NUL survives as one byte and
// the reader's NUL rules see exactly where the text stopped.
std::string utf16LeToAnsi(std::string_view bytes) {
    std::string out;
    std::u16string piece;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == u'\0') {
            out += ansi::fromUtf16Lossy(piece);
            out += '\0';
            piece.clear();
        } else {
            piece += unit;
        }
    }
    out += ansi::fromUtf16Lossy(piece);
    return out;
}

std::vector<std::string> viewsOf(std::string_view subKey) {
    const std::string key = normalizedKeyPath(subKey);
    if (key.starts_with(kSoftware) && !key.starts_with(kWow64Software)) {
        return {std::string(kWow64Software) + key.substr(kSoftware.size()), key};
    }
    return {key};
}

} // namespace

WineRegistryFile::WineRegistryFile(const std::filesystem::path& systemReg) {
    // A registry file that cannot be read, or is no file at all, is passed
    // over like a prefix without one.
    std::optional<std::string> text;
    try {
        text = readTextFile(systemReg);
    } catch (const IoError&) {
        return;
    }
    if (!text) {
        return;
    }
    if (auto keys = parseWineRegistry(*text)) {
        keys_ = std::move(*keys);
    }
}

WineRegistryFile WineRegistryFile::fromText(std::string_view text) {
    WineRegistryFile file;
    if (auto keys = parseWineRegistry(text)) {
        file.keys_ = std::move(*keys);
    }
    return file;
}

WineRegistryFile WineRegistryFile::fromKeys(WineRegistryKeys keys) {
    WineRegistryFile file;
    file.keys_ = std::move(keys);
    return file;
}

std::optional<RegistryValue> WineRegistryFile::queryLocalMachine(std::string_view subKey,
                                                                 std::string_view valueName) const {
    const std::string name = text_case::lowerName(valueName);
    for (const auto& view : viewsOf(subKey)) {
        const auto key = keys_.find(view);
        if (key == keys_.end()) {
            continue;
        }
        const auto value = key->second.find(name);
        if (value == key->second.end()) {
            continue;
        }
        const WineRegistryValue& stored = value->second;
        return RegistryValue{stored.type,
                             isStringType(stored.type) ? utf16LeToAnsi(stored.data) : stored.data};
    }
    return std::nullopt;
}

} // namespace quorvell::discovery
