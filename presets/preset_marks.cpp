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

PhaseOneResult presetPhaseOne(const std::vector<std::string>& list5, std::string_view preseT,
                              bool disablE_bit, const std::vector<std::string>& list2,
                              const std::vector<bool>& marks) {
    if (marks.size() != list2.size()) {
        throw std::invalid_argument("presetPhaseOne: one check mark per texture row expected");
    }
    // Work on a copy: a run that stops or fails must leave the marks exactly
    // as they were, or the list would claim states the maps do not have.
    std::vector<bool> next = marks;
    const bool wanted = !disablE_bit;

    for (std::size_t i = 0; i < list5.size(); ++i) {
        const auto name = presetNameOf(list5[i]);
        if (!name || *name != preseT) {
            continue;
        }
        // The block: every line after the name line up to the first "}".
        // Name lines inside it are plain entries, so a block missing its "}"
        // swallows the blocks after it.
        for (;;) {
            ++i;
            if (i >= list5.size()) {
                return unchanged(PhaseOneStatus::UnterminatedBlock, marks);
            }
            const std::string& entry = list5[i];
            if (entry == kAll || entry == kNone) {
                if (disablE_bit) {
                    return unchanged(PhaseOneStatus::StoppedBySpecialEntry, marks);
                }
                next.assign(next.size(), entry == kAll);
            } else if (entry == kClose) {
                break;
            } else {
                for (std::size_t j = 0; j < list2.size(); ++j) {
                    if (list2[j] == entry) {
                        next[j] = wanted;
                    }
                }
            }
        }
    }
    return PhaseOneResult{PhaseOneStatus::Proceed, std::move(next)};
}

} // namespace quorvell::presets
