#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvell::cli {

// One line on standard error that counts the maps, rewritten in place. Only
// for a terminal: a script's log gets nothing but its result.
class Progress {
public:
    Progress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
    ~Progress() { finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // done of total maps; shown at most every tenth of a second, and always
    // for the last one.
    void step(std::string_view what, std::size_t done, std::size_t total);
    // Clears the line.
    void finish();

private:
    std::ostream& err_;
    bool enabled_;
    std::size_t shownWidth_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
};

} // namespace quorvell::cli
