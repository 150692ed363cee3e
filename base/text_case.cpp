#include "base/text_case.h"

#include "base/utf8.h"

namespace quorvell::text_case {

namespace {

// Latin Extended-A pairs capitals with the next code point, except in the
// runs U+0139..U+0148 and U+0179..U+017E, where the capital is the odd one.
char32_t lowerLatinExtendedA(char32_t code) {
    if (code == 0x0130) {
        return U'i'; // dotted capital I
    }
    if (code == 0x0178) {
        return 0x00FF; // Y with diaeresis, whose small form lives in Latin-1
    }
    const bool oddCapitals =
        (code >= 0x0139 && code <= 0x0148) || (code >= 0x0179 && code <= 0x017E);
    if (code == 0x0138 || code == 0x0149 || code == 0x017F) {
        return code; // no capital form
    }
    if (oddCapitals) {
        return (code % 2 == 1) ? code + 1 : code;
    }
    return (code % 2 == 0) ? code + 1 : code;
}

} // namespace

char32_t lowerNameChar(char32_t code) {
    if (code >= U'A' && code <= U'Z') {
        return code + 32;
    }
    if (code < 0xC0) {
        return code;
    }
    if (code <= 0xDE) {
        return code == 0xD7 ? code : code + 32; // U+00D7 is the multiplication sign
    }
    if (code >= 0x0100 && code <= 0x017F) {
        return lowerLatinExtendedA(code);
    }
    if (code >= 0x0391 && code <= 0x03AB && code != 0x03A2) {
        return code + 32;
    }
    if (code >= 0x0400 && code <= 0x040F) {
        return code + 80;
    }
    if (code >= 0x0410 && code <= 0x042F) {
        return code + 32;
    }
    return code;
}

namespace {

// Lower-cases the characters that applies() admits; stray bytes stay as
// they were.
template <typename Applies> std::string lowerWhere(std::string_view utf8, Applies applies) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto decoded = utf8::decodeNameChar(utf8, pos);
        const char32_t lower = applies(decoded.code) ? lowerNameChar(decoded.code) : decoded.code;
        if (lower == decoded.code) {
            out.append(utf8.substr(pos, decoded.length));
        } else {
            utf8::append(out, lower);
        }
        pos += decoded.length;
    }
    return out;
}

// The capitals Windows-1252 holds: Latin-1's, and beyond it S and Z with
// caron, OE and Y with diaeresis. Their small forms are in the code page too.
bool isWindows1252Letter(char32_t code) {
    return code < 0x100 || code == 0x0152 || code == 0x0160 || code == 0x0178 || code == 0x017D;
}

} // namespace

std::string lowerName(std::string_view utf8) {
    return lowerWhere(utf8, [](char32_t) { return true; });
}

bool equalNames(std::string_view a, std::string_view b) {
    return a == b || lowerName(a) == lowerName(b);
}

std::string lowerCommandLine(std::string_view utf8) {
    return lowerWhere(utf8, isWindows1252Letter);
}

} // namespace quorvell::text_case
