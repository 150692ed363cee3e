#include "presets/preset_marks.h"

#include "presets/preset_file.h"

#include <stdexcept>

namespace quorvell::presets {

namespace {

constexpr std::string_view kAll = "*";
constexpr std::string_view kNone = "xbrick";
constexpr std::string_view kClose = "}";

PhaseOneResult unchanged(PhaseOneStatus status, const std::vector<bool>& marks) {
    return PhaseOneResult{status, marks};
}

} // namespace

PresetBlock presetBlockAt(const PresetLines& fileLines, std::size_t nameLine) {
    PresetBlock block;
    for (block.end = nameLine + 1; block.end < fileLines.size(); ++block.end) {
        if (fileLines[block.end] == kClose) {
            block.closed = true;
            return block;
        }
        block.entries.push_back(fileLines[block.end]);
    }
    return block;
}

PhaseOneResult markPreset(const PresetLines& fileLines, std::string_view presetName, bool remove,
                          const std::vector<std::string>& rowTexts,
                          const std::vector<bool>& marks) {
    if (marks.size() != rowTexts.size()) {
        throw std::invalid_argument("markPreset: one check mark per texture row expected");
    }
    // Work on a copy: a run that stops or fails must leave the marks exactly
    // as they were, or the list would claim states the maps do not have.
    std::vector<bool> next = marks;
    const bool wanted = !remove;

    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        const auto name = presetNameOf(fileLines[i]);
        if (!name || *name != presetName) {
            continue;
        }
        const PresetBlock block = presetBlockAt(fileLines, i);
        for (const std::string_view entry : block.entries) {
            if (entry == kAll || entry == kNone) {
                if (remove) {
                    return unchanged(PhaseOneStatus::StoppedBySpecialEntry, marks);
                }
                next.assign(next.size(), entry == kAll);
            } else {
                for (std::size_t j = 0; j < rowTexts.size(); ++j) {
                    if (rowTexts[j] == entry) {
                        next[j] = wanted;
                    }
                }
            }
        }
        if (!block.closed) {
            return unchanged(PhaseOneStatus::UnterminatedBlock, marks);
        }
        i = block.end;
    }
    return PhaseOneResult{PhaseOneStatus::Proceed, std::move(next)};
}

} // namespace quorvell::presets
