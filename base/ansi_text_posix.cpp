// Away from Windows there is no system ANSI code page; the game's files use
// Windows-1252, the code page of the Western-language Windows it shipped for.
// The C library's iconv converts it, with one gap filled here: the five bytes
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D), which iconv
// refuses but Windows maps to the C1 control of the same value. Keeping that
// mapping makes every byte of a map file round-trip, as it does on Windows.

#include "base/ansi_platform.h"
#include "base/utf8.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace quorvell::ansi::detail {

namespace {

constexpr std::array<unsigned char, 5> kUndefinedBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool isUndefinedByte(char32_t value) {
    for (const unsigned char byte : kUndefinedBytes) {
        if (value == byte) {
            return true;
        }
    }
    return false;
}

// One iconv descriptor per direction and thread, opened on first use: opening
// one costs more than converting a name.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("the C library cannot convert ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts what it can of in into out; returns false at a unit it cannot
    // convert (or an incomplete one at the end), with in advanced up to it.
    bool convert(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char buffer[256];
            char* outAt = buffer;
            std::size_t outLeft = sizeof buffer;
            char* inAt = const_cast<char*>(in);
            const std::size_t done = iconv(cd_, &inAt, &inLeft, &outAt, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outAt - buffer));
            in = inAt;
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

// Big-endian UTF-16 on our side keeps the byte order independent of the host.
Converter& toAnsi() {
    thread_local Converter converter("WINDOWS-1252", "UTF-16BE");
    return converter;
}

Converter& fromAnsi() {
    thread_local Converter converter("UTF-16BE", "WINDOWS-1252");
    return converter;
}

std::string utf16Bytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit >> 8));
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return bytes;
}

char16_t unitAt(const char* bytes) {
    return static_cast<char16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                 static_cast<unsigned char>(bytes[1]));
}

} // namespace

std::optional<std::string> ansiFromUtf16(std::u16string_view text, bool lossy) {
    const std::string bytes = utf16Bytes(text);
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    std::string out;
    out.reserve(text.size());
    while (!toAnsi().convert(in, inLeft, out)) {
        const char16_t unit = unitAt(in);
        std::size_t skip = 2;
        if (isUndefinedByte(unit)) {
            out.push_back(static_cast<char>(unit));
        } else if (!lossy) {
            return std::nullopt;
        } else {
            // A surrogate pair is one character and so one '?'.
            if (utf8::isHighSurrogate(unit) && inLeft >= 4) {
                const char16_t low = unitAt(in + 2);
                if (utf8::isLowSurrogate(low)) {
                    skip = 4;
                }
            }
            out.push_back('?');
        }
        in += skip;
        inLeft -= skip;
    }
    return out;
}

std::u16string utf16FromAnsi(std::string_view ansi) {
    const char* in = ansi.data();
    std::size_t inLeft = ansi.size();
    std::string bytes;
    bytes.reserve(ansi.size() * 2);
    while (!fromAnsi().convert(in, inLeft, bytes)) {
        // Only the undefined bytes stop the conversion: each stands for the
        // C1 control of its own value.
        bytes.push_back('\0');
        bytes.push_back(*in);
        ++in;
        --inLeft;
    }
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(unitAt(bytes.data() + i));
    }
    return out;
}

} // namespace quorvell::ansi::detail
