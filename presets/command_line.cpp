#include "presets/command_line.h"

#include "base/text_case.h"
#include "base/utf8.h"

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

CommandLine parseCommandLine(std::string_view argumentText) {
    const std::string lower = text_case::lowerCommandLine(argumentText);
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
