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
        // The block: every line after the name line up to the first "}".
        // Name lines inside it are plain entries, so a block missing its "}"
        // swallows the blocks after it.
        for (;;) {
            ++i;
            if (i >= fileLines.size()) {
                return unchanged(PhaseOneStatus::UnterminatedBlock, marks);
            }
            const std::string_view entry = fileLines[i];
            if (entry == kAll || entry == kNone) {
                if (remove) {
                    return unchanged(PhaseOneStatus::StoppedBySpecialEntry, marks);
                }
                next.assign(next.size(), entry == kAll);
            } else if (entry == kClose) {
                break;
            } else {
                for (std::size_t j = 0; j < rowTexts.size(); ++j) {
                    if (rowTexts[j] == entry) {
                        next[j] = wanted;
                    }
                }
            }
        }
    }
    return PhaseOneResult{PhaseOneStatus::Proceed, std::move(next)};
}

} // namespace quorvell::presets
