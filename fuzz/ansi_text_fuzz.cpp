// Arbitrary bytes through the text conversions: no crash, and whatever has an
// ANSI form comes back as the same text.

#include "base/ansi_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvell::ansi;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // As ANSI bytes: every byte has a meaning and survives the round trip.
    if (fromUtf8(toUtf8(bytes)) != std::optional<std::string>(std::string(bytes))) {
        std::abort();
    }
    // As UTF-8: a name with an ANSI form converts back to the same UTF-8.
    if (const auto ansi = fromUtf8(bytes); ansi && toUtf8(*ansi) != bytes) {
        std::abort();
    }
    if (fromUtf8Lossy(bytes).size() > size) {
        std::abort();
    }
    std::u16string utf16(size / 2, u'\0');
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        utf16[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    if (fromUtf16Lossy(utf16).size() > utf16.size()) {
        std::abort();
    }
    return 0;
}
