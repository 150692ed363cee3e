// On Windows the ANSI code page is the system's own (CP_ACP), the one the
// game and the "A" functions use.

#include "base/ansi_platform.h"
#include "base/utf8.h"
#include "base/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace quorvell::ansi::detail {

namespace {

// With "Use Unicode UTF-8 for worldwide language support" the ANSI code page
// is UTF-8, for which WideCharToMultiByte refuses default characters.
bool ansiIsUtf8() {
    return GetACP() == CP_UTF8;
}

const wchar_t* wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

std::optional<std::string> convert(std::u16string_view text, DWORD flags, const char* defaultChar,
                                   BOOL* usedDefault) {
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, flags, wide(text), length, nullptr, 0, defaultChar,
                                         usedDefault);
    if (size <= 0) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide(text), length, out.data(), size, defaultChar,
                            usedDefault) != size) {
        return std::nullopt;
    }
    return out;
}

// Each surrogate becomes '?' on its own: a lone one is no character at all,
// and with pairs kept whole (keepPairs) a pair stays one character. Single-byte
// and double-byte code pages have no form for characters beyond U+FFFF, so
// there a pair turns into one '?' too.
std::u16string questionMarkSurrogates(std::u16string_view text, bool keepPairs) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (utf8::isHighSurrogate(unit) && i + 1 < text.size() &&
            utf8::isLowSurrogate(text[i + 1])) {
            if (keepPairs) {
                out += unit;
                out += text[i + 1];
            } else {
                out += u'?';
            }
            ++i;
        } else if (utf8::isHighSurrogate(unit) || utf8::isLowSurrogate(unit)) {
            out += u'?';
        } else {
            out += unit;
        }
    }
    return out;
}

} // namespace

std::optional<std::string> ansiFromUtf16(std::u16string_view text, bool lossy) {
    if (text.empty()) {
        return std::string();
    }
    if (ansiIsUtf8()) {
        if (lossy) {
            return convert(questionMarkSurrogates(text, true), 0, nullptr, nullptr);
        }
        return convert(text, WC_ERR_INVALID_CHARS, nullptr, nullptr);
    }
    // No best fit: a name must never turn into a different name that happens
    // to exist ("é" must not become "e").
    if (lossy) {
        return convert(questionMarkSurrogates(text, false), WC_NO_BEST_FIT_CHARS, "?", nullptr);
    }
    BOOL usedDefault = FALSE;
    auto out = convert(text, WC_NO_BEST_FIT_CHARS, "?", &usedDefault);
    if (!out || usedDefault) {
        return std::nullopt;
    }
    return out;
}

std::u16string utf16FromAnsi(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const std::wstring text = win::wideFromCodePage(CP_ACP, ansi);
    return std::u16string(text.begin(), text.end());
}

} // namespace quorvell::ansi::detail
