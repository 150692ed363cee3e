#pragma once

// The window's hidden working lists. Nobody but the developer panel ever
// shows them, so they are plain containers rather than widgets.

#include "patching/map_file.h"
#include "presets/preset_lines.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::app {

// A list that keeps its rows in the program's sorted-list order.
class SortedList {
public:
    void add(std::string row);
    void clear() { rows_.clear(); }
    int count() const { return static_cast<int>(rows_.size()); }
    const std::string& text(int i) const { return rows_.at(static_cast<std::size_t>(i)); }
    const std::vector<std::string>& rows() const { return rows_; }

private:
    std::vector<std::string> rows_;
};

// The distinct custom references of the map being scanned, in the engine's
// form (ANSI bytes as they stand in the map).
class List1 {
public:
    void clear() { references_.clear(); }
    patching::ReferenceSet& references() { return references_; }
    int count() const { return static_cast<int>(references_.size()); }
    // As the list would show them: UTF-8, in sorted-list order.
    std::vector<std::string> rows() const;

private:
    patching::ReferenceSet references_;
};

// Full paths of the map files, in sorted-list order.
class List3 {
public:
    void add(std::filesystem::path mapPath);
    void clear() { paths_.clear(); }
    int count() const { return static_cast<int>(paths_.size()); }
    const std::filesystem::path& path(int i) const {
        return paths_.at(static_cast<std::size_t>(i));
    }
    const std::vector<std::filesystem::path>& paths() const { return paths_; }

private:
    std::vector<std::filesystem::path> paths_;
};

// The original texture catalogue.
class List4 : public SortedList {};

// Every line of the preset file, in file order.
class List5 {
public:
    void assign(presets::PresetLines lines) { lines_ = std::move(lines); }
    void clear() { lines_ = {}; }
    int count() const { return static_cast<int>(lines_.size()); }
    const presets::PresetLines& lines() const { return lines_; }

private:
    presets::PresetLines lines_;
};

} // namespace quorvell::app
