#include "cli/name_forms.h"

#include "base/hex_digit.h"
#include "base/utf8.h"
#include "patching/map_file.h"

namespace quorvell::cli {

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (!utf8::decode(text, i)) {
            return false;
        }
    }
    return true;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

namespace {

std::optional<std::string> fromHex(std::string_view hex) {
    if (hex.empty() || hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

} // namespace

std::string operandName(const std::string& operand) {
    if (operand.starts_with(kHexNamePrefix)) {
        if (auto bytes = fromHex(std::string_view(operand).substr(kHexNamePrefix.size()))) {
            return *bytes;
        }
    }
    return operand;
}

std::optional<std::string> unwritableReason(std::string_view rowText) {
    if (patching::ansiBaseNameOf(rowText)) {
        return std::nullopt;
    }
    if (!isUtf8(rowText)) {
        return "its name is not valid UTF-8, so it has no form in the ANSI code page the maps "
               "are written in";
    }
    if (patching::baseNameOf(rowText).empty()) {
        return "its name has nothing before its extension";
    }
    return "its name is not representable in the ANSI code page the maps are written in";
}

} // namespace quorvell::cli
