#include "presets/preset_slips.h"

#include "presets/preset_file.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>

namespace quorvell::presets {

std::vector<PresetSlip> findPresetSlips(const PresetLines& lines,
                                        const std::vector<std::string>* rowTexts) {
    std::unordered_set<std::string_view> textures;
    if (rowTexts) {
        textures.insert(rowTexts->begin(), rowTexts->end());
    }
    std::vector<PresetSlip> slips;
    const auto note = [&](std::size_t i, std::string reason) {
        slips.push_back({i + 1, std::string(lines[i]), std::move(reason)});
    };
    std::optional<std::size_t> open; // the name line of the block open here
    constexpr std::size_t kNoRun = static_cast<std::size_t>(-1);
    std::size_t runStart = kNoRun; // outside blocks: the first line of a run of text
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (open) {
            if (line == "}") {
                open.reset();
            } else if (!line.empty() && line.back() == '{') {
                note(i, "a preset name inside the block of line " + std::to_string(*open + 1) +
                            ", which is read as an entry: a \"}\" is probably missing before it");
            } else if (rowTexts && !line.empty() && line != "*" && line != "xbrick" &&
                       !textures.contains(line)) {
                note(i, "names no custom texture");
            }
            continue;
        }
        if (presetNameOf(line)) {
            open = i;
            runStart = kNoRun;
        } else if (line.empty()) {
            runStart = kNoRun;
        } else if (line == "}") {
            if (runStart != kNoRun && runStart < i) {
                note(runStart,
                     "looks like a preset name without its \"{\", so its block is not read");
            } else {
                note(i, "a \"}\" that closes no block");
            }
            runStart = kNoRun;
        } else if (runStart == kNoRun) {
            runStart = i;
        }
    }
    if (open) {
        note(*open, "its block has no \"}\" before the end of the file");
        std::stable_sort(slips.begin(), slips.end(),
                         [](const PresetSlip& a, const PresetSlip& b) { return a.line < b.line; });
    }
    return slips;
}

std::string describeSlips(const std::vector<PresetSlip>& slips) {
    std::string text;
    for (const PresetSlip& slip : slips) {
        text +=
            "line " + std::to_string(slip.line) + " \"" + slip.text + "\": " + slip.reason + "\n";
    }
    return text;
}

} // namespace quorvell::presets
