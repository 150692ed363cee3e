#include "presets/preset_edit.h"

#include "base/ansi_text.h"
#include "base/text_case.h"
#include "presets/preset_file.h"
#include "presets/preset_marks.h"

namespace quorvell::presets {

namespace {

// A line of the file's bytes: [begin, end) its text, [end, next) its line end.
struct RawLine {
    std::size_t begin;
    std::size_t end;
    std::size_t next;
};

// The same lines the reader sees: ended by CR LF, a lone CR or a lone LF.
std::vector<RawLine> rawLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back({begin, bytes.size(), bytes.size()});
            break;
        }
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') {
            ++next;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

// The line end the file uses most at its first line end; CR LF for a file
// with none, as the game's own tools write.
std::string_view lineEndOf(std::string_view bytes, const std::vector<RawLine>& lines) {
    for (const RawLine& line : lines) {
        if (line.next > line.end) {
            return bytes.substr(line.end, line.next - line.end);
        }
    }
    return "\r\n";
}

struct FoundBlock {
    std::size_t begin; // the first byte of its name line
    std::size_t end;   // the byte after its "}" line and that line's end
};

FoundBlock findBlock(std::string_view bytes, std::string_view name) {
    const std::vector<RawLine> raw = rawLines(bytes);
    const PresetFile file = parsePresetText(bytes);
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const auto lineName = presetNameOf(file.lines[i]);
        if (!lineName || *lineName != name) {
            continue;
        }
        const PresetBlock block = presetBlockAt(file.lines, i);
        if (!block.closed) {
            throw PresetEditError("the block of preset \"" + std::string(name) +
                                  "\" has no closing \"}\"; mend Presets.ini by hand first");
        }
        return {raw[i].begin, raw[block.end].next};
    }
    throw PresetEditError("no preset is named \"" + std::string(name) + "\"");
}

} // namespace

std::optional<std::string> presetNameProblem(std::string_view name,
                                             const std::vector<std::string>& names) {
    if (name.empty()) {
        return "a preset needs a name";
    }
    if (name.find_first_of("{}") != std::string_view::npos) {
        return "a preset's name cannot hold \"{\" or \"}\"";
    }
    if (name.find_first_of("\r\n") != std::string_view::npos) {
        return "a preset's name cannot hold a line break";
    }
    if (name.front() == ' ' || name.back() == ' ') {
        return "a preset's name cannot start or end with a space";
    }
    if (!ansi::fromUtf8(name)) {
        return "a preset's name can only hold characters of the system's code page";
    }
    const std::string lower = text_case::lowerCommandLine(name);
    for (const std::string& other : names) {
        if (text_case::lowerCommandLine(other) == lower) {
            return "there is a preset named \"" + other +
                   "\" already (names that differ only in case cannot be told apart)";
        }
    }
    return std::nullopt;
}

std::vector<std::string> presetEntriesFor(const std::vector<std::string>& rowTexts,
                                          const std::vector<bool>& marks) {
    std::vector<std::string> entries{"xbrick"};
    for (std::size_t i = 0; i < rowTexts.size() && i < marks.size(); ++i) {
        if (marks[i]) {
            entries.push_back(rowTexts[i]);
        }
    }
    return entries;
}

std::string presetBlockText(std::string_view name, const std::vector<std::string>& entries,
                            std::string_view lineEnd) {
    const auto ansiLine = [](std::string_view utf8) {
        auto bytes = ansi::fromUtf8(utf8);
        if (!bytes) {
            throw PresetEditError("\"" + std::string(utf8) +
                                  "\" has no form in the system's code page");
        }
        return std::move(*bytes);
    };
    std::string block = ansiLine(name) + "{";
    block += lineEnd;
    for (const std::string& entry : entries) {
        block += ansiLine(entry);
        block += lineEnd;
    }
    block += "}";
    block += lineEnd;
    return block;
}

std::string withPresetSaved(std::string_view fileBytes, std::string_view name,
                            const std::vector<std::string>& entries, bool replace) {
    const std::vector<RawLine> raw = rawLines(fileBytes);
    const std::string_view lineEnd = lineEndOf(fileBytes, raw);
    const std::string block = presetBlockText(name, entries, lineEnd);
    std::string out(fileBytes);
    if (replace) {
        const FoundBlock found = findBlock(fileBytes, name);
        return out.replace(found.begin, found.end - found.begin, block);
    }
    if (const auto problem = presetNameProblem(name, parsePresetText(fileBytes).names)) {
        throw PresetEditError(*problem);
    }
    if (!raw.empty() && raw.back().next == raw.back().end) {
        out += lineEnd; // the last line had no line end
    }
    return out + block;
}

std::string withPresetDeleted(std::string_view fileBytes, std::string_view name) {
    const FoundBlock found = findBlock(fileBytes, name);
    return std::string(fileBytes).erase(found.begin, found.end - found.begin);
}

} // namespace quorvell::presets
