#include "journal/way_back.h"

#include "base/path_text.h"
#include "patching/map_io.h"

#include <fstream>
#include <optional>
#include <system_error>

namespace quorvell::journal {

namespace {

// The bytes of a map between two offsets, or a reason it cannot be planned.
struct MapWindow {
    std::uint64_t start = 0;
    std::string bytes;
    patching::FileIdentity identity; // the file the path names now
    std::string_view at(std::uint64_t offset, std::size_t length) const {
        return std::string_view(bytes).substr(static_cast<std::size_t>(offset - start), length);
    }
};

std::optional<MapWindow> readWindow(const std::filesystem::path& map, std::uint64_t length,
                                    std::uint64_t start, std::uint64_t end,
                                    std::vector<IoError>& changedSince) {
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(map, error);
    if (error) {
        changedSince.emplace_back(pathText(map), error.message());
        return std::nullopt;
    }
    if (size != length) {
        changedSince.emplace_back(pathText(map),
                                  "changed since by another program (its length differs)");
        return std::nullopt;
    }
    MapWindow window{start, std::string(static_cast<std::size_t>(end - start), '\0'), {}};
    try {
        const auto identity = patching::currentIdentity(map);
        window.identity = identity.value_or(patching::FileIdentity{});
    } catch (const IoError& failure) {
        changedSince.push_back(failure);
        return std::nullopt;
    }
    std::ifstream in(map, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(start));
    in.read(window.bytes.data(), static_cast<std::streamsize>(window.bytes.size()));
    if (!in) {
        changedSince.emplace_back(pathText(map), "cannot be read");
        return std::nullopt;
    }
    return window;
}

// Where a changed name lies: its offset and how many bytes.
std::pair<std::uint64_t, std::size_t> extentOf(const patching::NameEdit& edit) {
    return {edit.offset, edit.before.size()};
}
std::pair<std::uint64_t, std::size_t> extentOf(const std::pair<std::uint64_t, std::string>& name) {
    return {name.first, name.second.size()};
}

// From the first byte of the names to the last.
template <typename Edits> std::pair<std::uint64_t, std::uint64_t> spanOf(const Edits& edits) {
    std::uint64_t start = UINT64_MAX;
    std::uint64_t end = 0;
    for (const auto& edit : edits) {
        const auto [offset, size] = extentOf(edit);
        start = std::min(start, offset);
        end = std::max(end, offset + size);
    }
    return {start, end};
}

patching::MapPlan emptyPlan(const std::filesystem::path& map, std::uint64_t length,
                            const patching::FileIdentity& identity) {
    patching::MapPlan plan;
    plan.map = map;
    plan.length = length;
    plan.identity = identity;
    return plan;
}

const IoError changedByOther(const std::filesystem::path& map) {
    return IoError(pathText(map), "changed since by another program (its names differ)");
}

} // namespace

std::uint64_t WayBack::references() const {
    std::uint64_t references = 0;
    for (const patching::MapPlan& plan : plans) {
        references += plan.edits.size();
    }
    return references;
}

WayBack planUndo(const std::vector<patching::MapPlan>& runPlans) {
    WayBack back;
    for (const patching::MapPlan& ran : runPlans) {
        if (ran.edits.empty()) {
            continue;
        }
        const auto [start, end] = spanOf(ran.edits);
        const auto window = readWindow(ran.map, ran.length, start, end, back.changedSince);
        if (!window) {
            continue;
        }
        patching::MapPlan plan = emptyPlan(ran.map, ran.length, window->identity);
        bool changed = false;
        for (const patching::NameEdit edit : ran.edits) {
            const std::string_view now = window->at(edit.offset, edit.after.size());
            if (now == edit.before) {
                continue;
            }
            // A run stopped part-way through a name's two writes leaves some
            // of its bytes as found and some as written (the name itself
            // whole): undone from there.
            for (std::size_t b = 0; b < now.size(); ++b) {
                if (now[b] != edit.before[b] && now[b] != edit.after[b]) {
                    changed = true;
                }
            }
            if (changed) {
                break;
            }
            plan.edits.add(edit.offset, now, edit.before);
        }
        if (changed) {
            back.changedSince.push_back(changedByOther(ran.map));
        } else if (!plan.edits.empty()) {
            back.plans.push_back(std::move(plan));
        }
    }
    return back;
}

WayBack planRestore(const Originals& originals) {
    WayBack back;
    for (const auto& [path, found] : originals) {
        if (found.names.empty()) {
            continue;
        }
        const std::filesystem::path map = pathFromUtf8(path);
        const auto [start, end] = spanOf(found.names);
        const auto window = readWindow(map, found.length, start, end, back.changedSince);
        if (!window) {
            continue;
        }
        patching::MapPlan plan = emptyPlan(map, found.length, window->identity);
        for (const auto& [offset, bytes] : found.names) {
            const std::string_view now = window->at(offset, bytes.size());
            if (now != bytes) {
                plan.edits.add(offset, now, bytes);
            }
        }
        if (!plan.edits.empty()) {
            back.plans.push_back(std::move(plan));
        }
    }
    return back;
}

std::size_t mapsReached(const std::vector<patching::MapPlan>& runPlans) {
    std::size_t reached = 0;
    std::vector<IoError> ignored;
    for (const patching::MapPlan& ran : runPlans) {
        if (ran.edits.empty()) {
            continue;
        }
        const auto [start, end] = spanOf(ran.edits);
        const auto window = readWindow(ran.map, ran.length, start, end, ignored);
        for (const patching::NameEdit edit : ran.edits) {
            if (window && window->at(edit.offset, edit.after.size()) == edit.after &&
                edit.after != edit.before) {
                ++reached;
                break;
            }
        }
    }
    return reached;
}

} // namespace quorvell::journal
