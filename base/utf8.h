#pragma once

// The program's one UTF-8 module: decoding, encoding, UTF-16 both ways and
// character counting. Text is UTF-8 everywhere inside the program; the
// system's wide text and the code page convert through here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::utf8 {

// Decodes one code point at text[i] and moves i past it; nullopt (with i
// moved past one byte) for a malformed sequence: overlong forms, surrogates,
// values past U+10FFFF, truncation.
std::optional<char32_t> decode(std::string_view text, std::size_t& i);

// One character of a name as stored on disk. File names need not be valid
// UTF-8, so a byte that does not start a valid sequence comes back on its own
// as U+DC00 + byte: odd names still compare and round-trip instead of being
// dropped.
struct NameChar {
    char32_t code;
    std::size_t length; // bytes consumed, at least 1
};
NameChar decodeNameChar(std::string_view text, std::size_t pos);

constexpr bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Appends the UTF-8 form of a code point (surrogates included, as they are).
void append(std::string& out, char32_t cp);
// Appends the UTF-16 form of a code point.
void appendUtf16(std::u16string& out, char32_t cp);

// nullopt for malformed UTF-8.
std::optional<std::u16string> toUtf16(std::string_view utf8);
// Malformed sequences become U+FFFD, one per bad byte.
std::u16string toUtf16Lossy(std::string_view utf8);

// Unpaired surrogates become U+FFFD: for text that is shown or converted on.
std::string fromUtf16(std::u16string_view utf16);
// Unpaired surrogates are kept as their own code points: for names read from
// the Wine registry, which must stay apart from one another even when
// malformed, as Windows keeps them apart.
std::string fromUtf16KeepingSurrogates(std::u16string_view utf16);

// Number of characters in text; a stray byte counts as one.
std::size_t charCount(std::string_view text);
// The first count characters of text; all of it when it has fewer.
std::string_view leftChars(std::string_view text, std::size_t count);

} // namespace quorvell::utf8
