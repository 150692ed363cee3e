#include "base/path_text.h"
#include "base/text_case.h"
#include "discovery/path_mapper.h"

#include <string>
#include <system_error>
#include <vector>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

bool entryExists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The entry of folder that is named like component. Windows and Wine ignore
// case, and the game's own paths are written in a different case from the
// folders on disk. With no match the name stays as given, so that an error
// later names the path the game would have used.
fs::path matchComponent(const fs::path& folder, std::string_view component) {
    fs::path exact = folder / pathFromUtf8(component);
    if (entryExists(exact)) {
        return exact;
    }
    const std::string wanted = text_case::lowerName(component);
    std::error_code ec;
    std::string best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = pathText(it->path().filename());
        if (text_case::lowerName(name) == wanted && (best.empty() || name < best)) {
            best = std::move(name); // the smallest of several, so the choice is stable
        }
    }
    return best.empty() ? exact : folder / pathFromUtf8(best);
}

// base, then each component of rest matched against what is on disk.
fs::path resolve(const fs::path& base, std::string_view rest) {
    std::vector<fs::path> trail{base};
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end])) {
            ++end;
        }
        const std::string_view component = rest.substr(0, end);
        rest.remove_prefix(end == rest.size() ? end : end + 1);
        if (component.empty() || component == ".") {
            continue; // doubled separators, as a root with a trailing backslash gives
        }
        if (component == "..") {
            if (trail.size() > 1) {
                trail.pop_back();
            }
            continue;
        }
        trail.push_back(matchComponent(trail.back(), component));
    }
    return trail.back();
}

class WinePathMapper final : public PathMapper {
public:
    explicit WinePathMapper(fs::path prefix) : prefix_(std::move(prefix)) {}

    fs::path toHost(std::string_view gamePath) const override {
        std::string_view rest = gamePath;
        fs::path base;
        if (rest.starts_with('/') && !rest.starts_with("//")) {
            base = "/"; // already a host path
        } else if (rest.size() >= 2 && isSeparator(rest[0]) && isSeparator(rest[1])) {
            base = prefix_ / "dosdevices" / "unc";
            rest.remove_prefix(2);
        } else if (rest.size() >= 2 && isDriveLetter(rest[0]) && rest[1] == ':') {
            base = drive(rest[0]);
            rest.remove_prefix(2);
        } else {
            base = drive('c'); // no drive given: the system drive
        }
        return resolve(base, rest);
    }

private:
    fs::path drive(char letter) const {
        const char lower = static_cast<char>(letter | 0x20);
        const fs::path device = prefix_ / "dosdevices" / std::string{lower, ':'};
        if (lower == 'c' && !entryExists(device) && entryExists(prefix_ / "drive_c")) {
            return prefix_ / "drive_c";
        }
        return device;
    }

    fs::path prefix_;
};

#if !defined(_WIN32)
class HostPathMapper final : public PathMapper {
public:
    fs::path toHost(std::string_view gamePath) const override {
        if (gamePath.starts_with('/')) {
            return resolve("/", gamePath);
        }
        return native_->toHost(gamePath); // a drive path has no drives to go through
    }

private:
    std::unique_ptr<PathMapper> native_ = makeNativePathMapper();
};
#endif

} // namespace

std::unique_ptr<PathMapper> makeWinePathMapper(std::filesystem::path prefix) {
    return std::make_unique<WinePathMapper>(std::move(prefix));
}

std::unique_ptr<PathMapper> makeHostPathMapper() {
#if defined(_WIN32)
    return makeNativePathMapper();
#else
    return std::make_unique<HostPathMapper>();
#endif
}

} // namespace quorvell::discovery
