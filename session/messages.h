#pragma once

// The words the runs produce, shared by every front end; each front end lays
// them out in its own way (a box, a line on standard error).

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quorvell::session {

// While another Quorvell holds the maps: the window and its command-line
// mode, and quorvell-cli.
inline constexpr std::string_view kWaitingForMaps =
    "Another Quorvell is working on these maps; waiting for it to finish.";
inline constexpr std::string_view kWaitingForMapsShort = "waiting for another Quorvell\u2026";

// A texture whose name is too long to switch on: the heading, for one or
// more names, and the reason.
std::string_view notSwitchedOnHeading(std::size_t count);
inline constexpr std::string_view kNameTooLong =
    "The name is too long for the maps: with \"__overridden\" added it would not fit. A name of "
    "at most 51 characters before \".dds\" can be switched on.";

// After a preset run that made textures on in some maps only whole:
// "walls applied; 176 textures that were on in some maps only are now on in all".
std::string madeWholeText(std::string_view preset, bool removed, std::size_t count);

// A preset block that runs to the end of the file.
std::string unclosedBlockReason(std::string_view preset);

// Names gathered over the maps, each once, in the order first met.
class DistinctNames {
public:
    void add(const std::vector<std::string>& names);
    const std::vector<std::string>& names() const { return names_; }
    std::vector<std::string> take() { return std::move(names_); }

private:
    std::vector<std::string> names_;
    std::unordered_set<std::string> seen_;
};

} // namespace quorvell::session
