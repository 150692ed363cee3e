#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// The lines of a preset file, all in one block of text with the end of each
// line noted: a large file of short lines costs little more than its own
// size, where a string per line would cost several times that.
class PresetLines {
public:
    PresetLines() = default;
    PresetLines(std::initializer_list<std::string_view> lines) {
        for (const std::string_view line : lines) {
            append(line);
        }
    }
    explicit PresetLines(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            append(line);
        }
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }

    void reserveText(std::size_t bytes) { text_.reserve(bytes); }
    // Throws std::length_error once the lines hold 4 GiB of text.
    void append(std::string_view line);
    std::vector<std::string> toVector() const;

    bool operator==(const PresetLines&) const = default;
    bool operator==(const std::vector<std::string>& other) const;

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

} // namespace quorvell::presets
