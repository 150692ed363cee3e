#include "discovery/steam_libraries.h"

#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "discovery/vdf_text.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

bool isIndex(std::string_view name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// Steam's lists are read when they are plain files; anything else is passed
// over as a missing list would be.
std::string readText(const fs::path& file) {
    try {
        return readTextFile(file).value_or(std::string());
    } catch (const IoError&) {
        return {};
    }
}

// Collects paths once each; links and spellings of one folder count once.
class UniqueFolders {
public:
    void add(const fs::path& path) {
        std::error_code ec;
        fs::path key = fs::weakly_canonical(path, ec);
        if (ec) {
            key = path.lexically_normal();
        }
        if (seen_.insert(key).second) {
            folders_.push_back(path);
        }
    }
    std::vector<fs::path> take() { return std::move(folders_); }

private:
    std::set<fs::path> seen_;
    std::vector<fs::path> folders_;
};

} // namespace

std::vector<fs::path> parseLibraryFolders(std::string_view vdf) {
    const auto root = parseVdf(vdf);
    const VdfNode* folders = root ? root->child("libraryfolders") : nullptr;
    std::vector<fs::path> libraries;
    if (folders == nullptr || !folders->isBlock) {
        return libraries;
    }
    for (const auto& [name, node] : folders->children) {
        if (!isIndex(name)) {
            continue; // "TimeNextStatsReport", "ContentStatsID" of the old layout
        }
        const VdfNode* path = node.isBlock ? node.child("path") : &node;
        if (path != nullptr && !path->isBlock && !path->value.empty()) {
            libraries.push_back(pathFromUtf8(path->value));
        }
    }
    return libraries;
}

std::optional<std::string> parseInstallDir(std::string_view acf) {
    const auto root = parseVdf(acf);
    const VdfNode* state = root ? root->child("AppState") : nullptr;
    const VdfNode* dir = state != nullptr && state->isBlock ? state->child("installdir") : nullptr;
    if (dir == nullptr || dir->isBlock || dir->value.empty()) {
        return std::nullopt;
    }
    return dir->value;
}

std::vector<fs::path> steamRoots(const fs::path& home) {
    const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam";
    const fs::path candidates[] = {
        home / ".steam" / "steam",
        home / ".steam" / "root",
        home / ".local" / "share" / "Steam",
        flatpak / ".local" / "share" / "Steam",
        flatpak / "data" / "Steam",
        home / "snap" / "steam" / "common" / ".local" / "share" / "Steam",
    };
    UniqueFolders roots;
    for (const auto& candidate : candidates) {
        if (isFolder(candidate)) {
            roots.add(candidate);
        }
    }
    return roots.take();
}

std::vector<fs::path> steamLibraries(const fs::path& home) {
    UniqueFolders libraries;
    for (const auto& root : steamRoots(home)) {
        libraries.add(root);
        for (const char* listing : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
            for (const auto& library : parseLibraryFolders(readText(root / listing))) {
                libraries.add(library);
            }
        }
    }
    return libraries.take();
}

} // namespace quorvell::discovery
