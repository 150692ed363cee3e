#include "presets/command_line.h"

#include "presets/utf8_chars.h"

namespace quorvell::presets {

namespace {

constexpr std::string_view kSilent = "silent";
constexpr std::string_view kDisable = "disable";

// 1-based character position of the first occurrence of word, 0 when absent.
long positionOf(std::string_view text, std::string_view word) {
    const auto at = text.find(word);
    if (at == std::string_view::npos) {
        return 0;
    }
    return static_cast<long>(utf8::charCount(text.substr(0, at))) + 1;
}

// Keeps the characters before the one just ahead of the keyword; a keyword at
// the very start leaves a count of -1, which has no meaning and is refused.
std::optional<std::string_view> cutBefore(std::string_view text, long keywordPosition) {
    const long keep = keywordPosition - 2;
    if (keep < 0) {
        return std::nullopt;
    }
    return utf8::leftChars(text, static_cast<std::size_t>(keep));
}

} // namespace

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'A' && byte <= 'Z') {
            out[i] = static_cast<char>(byte + 0x20);
            continue;
        }
        if (i + 1 >= out.size() || (byte != 0xC3 && byte != 0xC5)) {
            continue;
        }
        auto next = static_cast<unsigned char>(out[i + 1]);
        if (byte == 0xC3) {
            // U+00C0..U+00DE, except U+00D7 (the multiplication sign).
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                out[i + 1] = static_cast<char>(next + 0x20);
            }
        } else if (next == 0xA0 || next == 0x92 || next == 0xBD) {
            // The Windows-1252 capitals beyond Latin-1: S and Z with caron, OE.
            out[i + 1] = static_cast<char>(next + 1);
        } else if (next == 0xB8) {
            // Y with diaeresis becomes U+00FF, which lives in another block.
            out[i] = static_cast<char>(0xC3);
            out[i + 1] = static_cast<char>(0xBF);
        }
        ++i;
    }
    return out;
}

CommandLine parseCommandLine(std::string_view argumentText) {
    const std::string lower = lowerCase(argumentText);
    // Both keywords are looked for in the whole text before anything is cut,
    // and the silent position is then applied to the text already cut at
    // disable; so "x disable silent" still leaves "x".
    const long disableAt = positionOf(lower, kDisable);
    const long silentAt = positionOf(lower, kSilent);

    CommandLine result;
    result.silent = silentAt != 0;
    result.disable = disableAt != 0;

    std::optional<std::string_view> working = std::string_view(lower);
    if (disableAt != 0) {
        working = cutBefore(*working, disableAt);
    }
    if (working && silentAt != 0) {
        working = cutBefore(*working, silentAt);
    }
    if (working) {
        result.workingText = std::string(*working);
    }
    return result;
}

ResultMessage resultMessage(std::string_view argumentText, bool disable,
                            std::string_view presetName) {
    const std::string name(presetName);
    if (argumentText == "no textures") {
        return {"IBTs reset",
                "The following preset has been applied: " + name +
                    ". Your IBTs have been reset, and all DDS files have been disabled. If you "
                    "later want to enable all or custom entries, run this program manually."};
    }
    if (disable) {
        return {"Preset disabled",
                "The following preset has been disabled: " + name +
                    ". Entries have been removed from current configuration. You can manually or "
                    "through command line arguments reenable your preset."};
    }
    return {"Preset applied",
            "The following preset has been applied: " + name +
                ". Entries have been placed ontop of current configuration. If you later want to "
                "remove all entries, run this program manually and select the no textures preset."};
}

std::string argumentTextFromRawCommandLine(std::string_view raw) {
    // The program's name ends the way Windows itself splits it off: a quoted
    // name at its closing quote (no escapes), an unquoted one at the first
    // space or tab.
    std::size_t pos = 0;
    if (!raw.empty() && raw.front() == '"') {
        const auto close = raw.find('"', 1);
        pos = close == std::string_view::npos ? raw.size() : close + 1;
    } else {
        pos = raw.find_first_of(" \t");
        if (pos == std::string_view::npos) {
            pos = raw.size();
        }
    }
    // Only the run of blanks that separates the name from the arguments is
    // dropped; a shell always puts at least one there and the count carries no
    // meaning. Everything after it stays exactly as typed, blanks and quotes
    // included, since the cutting rules count characters.
    while (pos < raw.size() && (raw[pos] == ' ' || raw[pos] == '\t')) {
        ++pos;
    }
    return std::string(raw.substr(pos));
}

std::string argumentTextFromArgs(const std::vector<std::string>& argsAfterProgram) {
    std::string text;
    for (std::size_t i = 0; i < argsAfterProgram.size(); ++i) {
        if (i != 0) {
            text += ' ';
        }
        text += argsAfterProgram[i];
    }
    return text;
}

} // namespace quorvell::presets
