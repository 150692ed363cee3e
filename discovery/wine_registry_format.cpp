#include "discovery/wine_registry_format.h"

#include "base/hex_digit.h"
#include "base/text_case.h"
#include "base/utf8.h"

namespace quorvell::discovery {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        auto end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = text_.size();
        }
        line = text_.substr(pos_, end - pos_);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        pos_ = end + 1;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

void skipSpaces(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && isSpace(line[pos])) {
        ++pos;
    }
}

// Up to maxDigits hex digits; nullopt when there is none.
std::optional<std::uint32_t> readHex(std::string_view line, std::size_t& pos,
                                     std::size_t maxDigits) {
    std::uint32_t value = 0;
    std::size_t digits = 0;
    while (digits < maxDigits && pos < line.size() && hexDigit(line[pos]) >= 0) {
        value = value * 16 + static_cast<std::uint32_t>(hexDigit(line[pos]));
        ++pos;
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return value;
}

// One character of the file's own text. Wine writes plain ASCII, but a file
// edited by hand may hold UTF-8; a byte that is not UTF-8 counts as Latin-1.
char32_t readTextCharacter(std::string_view line, std::size_t& pos) {
    const auto decoded = utf8::decodeNameChar(line, pos);
    pos += decoded.length;
    if (decoded.length == 1 && decoded.code >= 0xDC80 && decoded.code <= 0xDCFF) {
        return decoded.code - 0xDC00;
    }
    return decoded.code;
}

char16_t letterEscape(char letter) {
    switch (letter) {
    case 'a':
        return 0x07;
    case 'b':
        return 0x08;
    case 'e':
        return 0x1B;
    case 'f':
        return 0x0C;
    case 'n':
        return 0x0A;
    case 'r':
        return 0x0D;
    case 't':
        return 0x09;
    case 'v':
        return 0x0B;
    default:
        return 0;
    }
}

// Reads an escaped string from pos up to the unescaped terminator and leaves
// pos after it. nullopt when the line ends first.
std::optional<std::u16string> readEscaped(std::string_view line, std::size_t& pos,
                                          char terminator) {
    std::u16string out;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == terminator) {
            ++pos;
            return out;
        }
        if (c != '\\') {
            utf8::appendUtf16(out, readTextCharacter(line, pos));
            continue;
        }
        if (++pos == line.size()) {
            break;
        }
        const char e = line[pos];
        if (e >= '0' && e <= '7') {
            char16_t value = 0;
            for (int i = 0; i < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                 ++i, ++pos) {
                value = static_cast<char16_t>(value * 8 + (line[pos] - '0'));
            }
            out += value;
        } else if (e == 'x') {
            ++pos;
            const auto value = readHex(line, pos, 4);
            out += value ? static_cast<char16_t>(*value) : u'x';
        } else if (const char16_t letter = letterEscape(e); letter != 0) {
            out += letter;
            ++pos;
        } else {
            utf8::appendUtf16(out, readTextCharacter(line, pos));
        }
    }
    return std::nullopt;
}

std::string utf16LeBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// A quoted string value; Wine writes one only for data that ended in a NUL,
// which it leaves out of the text, so the NUL is put back.
std::optional<WineRegistryValue> readStringData(std::string_view line, std::size_t pos,
                                                std::uint32_t type) {
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    ++pos;
    auto text = readEscaped(line, pos, '"');
    if (!text) {
        return std::nullopt;
    }
    *text += u'\0';
    return WineRegistryValue{type, utf16LeBytes(*text)};
}

// Comma-separated hex bytes; a line ending in a backslash continues on the
// next one.
std::optional<WineRegistryValue> readHexData(std::string_view line, std::size_t pos,
                                             std::uint32_t type, LineReader& reader) {
    WineRegistryValue value{type, {}};
    for (;;) {
        skipSpaces(line, pos);
        if (pos == line.size()) {
            return value;
        }
        if (line[pos] == '\\') {
            std::size_t after = pos + 1;
            skipSpaces(line, after);
            if (after != line.size() || !reader.next(line)) {
                return std::nullopt;
            }
            pos = 0;
            continue;
        }
        const auto byte = readHex(line, pos, 2);
        if (!byte) {
            return std::nullopt;
        }
        value.data += static_cast<char>(*byte);
        skipSpaces(line, pos);
        if (pos < line.size() && line[pos] == ',') {
            ++pos;
        }
    }
}

std::optional<WineRegistryValue> readDwordData(std::string_view line, std::size_t pos) {
    const auto number = readHex(line, pos, 8);
    if (!number) {
        return std::nullopt;
    }
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((*number >> shift) & 0xFF);
    }
    return WineRegistryValue{4, bytes};
}

// "(N)" followed by ':' after a type word; N is hex.
std::optional<std::uint32_t> readTypeNumber(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '(') {
        return std::nullopt;
    }
    ++pos;
    const auto number = readHex(line, pos, 8);
    if (!number || line.substr(pos, 2) != "):") {
        return std::nullopt;
    }
    pos += 2;
    return number;
}

std::optional<WineRegistryValue> readData(std::string_view line, std::size_t pos,
                                          LineReader& reader) {
    skipSpaces(line, pos);
    const std::string_view rest = line.substr(pos);
    if (rest.starts_with('"')) {
        return readStringData(line, pos, 1);
    }
    if (rest.starts_with("dword:")) {
        return readDwordData(line, pos + 6);
    }
    if (rest.starts_with("hex:")) {
        return readHexData(line, pos + 4, 3, reader);
    }
    if (rest.starts_with("hex(")) {
        pos += 3;
        const auto type = readTypeNumber(line, pos);
        return type ? readHexData(line, pos, *type, reader) : std::nullopt;
    }
    if (rest.starts_with("str(")) {
        pos += 3;
        const auto type = readTypeNumber(line, pos);
        return type ? readStringData(line, pos, *type) : std::nullopt;
    }
    return std::nullopt;
}

void readValueLine(std::string_view line, LineReader& reader,
                   std::map<std::string, WineRegistryValue>& values) {
    std::size_t pos = 1;
    std::string name;
    if (line[0] == '"') {
        const auto escaped = readEscaped(line, pos, '"');
        if (!escaped) {
            return;
        }
        name = text_case::lowerName(utf8::fromUtf16KeepingSurrogates(*escaped));
    }
    skipSpaces(line, pos);
    if (pos >= line.size() || line[pos] != '=') {
        return;
    }
    if (auto value = readData(line, pos + 1, reader)) {
        values[name] = std::move(*value);
    }
}

std::optional<std::string> readKeyLine(std::string_view line) {
    std::size_t pos = 1;
    const auto escaped = readEscaped(line, pos, ']');
    if (!escaped) {
        return std::nullopt;
    }
    return normalizedKeyPath(utf8::fromUtf16KeepingSurrogates(*escaped));
}

} // namespace

std::string normalizedKeyPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) {
            continue;
        }
        out += c;
    }
    if (!out.empty() && out.back() == '\\') {
        out.pop_back();
    }
    return text_case::lowerName(out);
}

std::optional<WineRegistryKeys> parseWineRegistry(std::string_view text) {
    LineReader reader(text);
    std::string_view line;
    if (!reader.next(line)) {
        return std::nullopt;
    }
    while (!line.empty() && isSpace(line.back())) {
        line.remove_suffix(1);
    }
    if (line != kHeader) {
        return std::nullopt;
    }
    WineRegistryKeys keys;
    std::map<std::string, WineRegistryValue>* current = nullptr;
    while (reader.next(line)) {
        std::size_t start = 0;
        skipSpaces(line, start);
        line.remove_prefix(start);
        if (line.empty()) {
            continue;
        }
        if (line[0] == '[') {
            const auto key = readKeyLine(line);
            current = key ? &keys[*key] : nullptr;
        } else if ((line[0] == '"' || line[0] == '@') && current != nullptr) {
            readValueLine(line, reader, *current);
        }
        // ';' comments and '#' options (time stamps, classes, links) carry no values.
    }
    return keys;
}

} // namespace quorvell::discovery
