#include "cli/terminal_text.h"

#include "base/utf8.h"

#include <cstdio>

namespace quorvell::cli {

namespace {

bool isBidiFormatting(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

void appendEscape(std::string& out, const char* format, unsigned value) {
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    out += escape;
}

} // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const auto c = utf8::decode(text, i);
        if (!c || *c < 0x20 || *c == 0x7F) {
            appendEscape(out, "\\x%02x", static_cast<unsigned char>(text[start]));
        } else if ((*c >= 0x80 && *c <= 0x9F) || isBidiFormatting(*c)) {
            appendEscape(out, "\\u%04x", static_cast<unsigned>(*c));
        } else {
            out.append(text.substr(start, i - start));
        }
    }
    return out;
}

std::string terminalLines(std::string_view text) {
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        out += terminalText(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return out;
        }
        out += '\n';
        start = end + 1;
    }
}

} // namespace quorvell::cli
