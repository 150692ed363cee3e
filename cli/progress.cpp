#include "cli/progress.h"

namespace quorvell::cli {

void Progress::step(std::string_view what, std::size_t done, std::size_t total) {
    if (!enabled_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (done != total && now - lastShown_ < std::chrono::milliseconds(100)) {
        return;
    }
    lastShown_ = now;
    std::string line(what);
    line += ' ';
    line += std::to_string(done);
    line += '/';
    line += std::to_string(total);
    // Blanks over the rest of a longer line before; no escape sequences, so
    // the console of every system shows it alike.
    const std::size_t width = line.size();
    if (width < shownWidth_) {
        line.append(shownWidth_ - width, ' ');
    }
    shownWidth_ = width;
    err_ << '\r' << line << std::flush;
}

void Progress::finish() {
    if (!enabled_ || shownWidth_ == 0) {
        return;
    }
    err_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
    shownWidth_ = 0;
}

} // namespace quorvell::cli
