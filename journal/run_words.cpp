#include "journal/run_words.h"

#include "base/count_text.h"

#include <array>
#include <ctime>
#include <string_view>
#include <utility>

namespace quorvell::journal {

std::string ongoingWhat(const std::string& what) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kWords = {{
        {"applied", "applying"},
        {"removed", "removing"},
        {"switched", "switching"},
        {"undid", "undoing"},
        {"restored", "restoring"},
    }};
    for (const auto& [done, ongoing] : kWords) {
        if (what.starts_with(done) && (what.size() == done.size() || what[done.size()] == ' ')) {
            return std::string(ongoing) + what.substr(done.size());
        }
    }
    return what;
}

std::string stateText(const RunEntry& run) {
    if (run.undone) {
        return "undone";
    }
    switch (run.state) {
    case RunState::Ended:
        return "ended";
    case RunState::CutShort:
        return "cut short";
    case RunState::Unfinished:
        break;
    }
    return "stopped (no end recorded)";
}

std::string timeText(std::int64_t secondsSince1970) {
    const auto time = static_cast<std::time_t>(secondsSince1970);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string cutShortText(const RunEntry& run, std::size_t mapsReached) {
    return "The last run (" + ongoingWhat(run.summary.what) + ") stopped after " +
           std::to_string(mapsReached) + " of " + std::to_string(run.summary.maps) + " maps";
}

std::string historyLine(const RunEntry& run) {
    return timeText(run.summary.time) + "  " + run.summary.frontEnd + "  " + run.summary.what +
           "  " + countText(run.summary.maps, "map", "maps") + ", " +
           countText(run.summary.references, "reference", "references") + "  " + stateText(run);
}

} // namespace quorvell::journal
