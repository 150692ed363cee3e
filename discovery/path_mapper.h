#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

namespace quorvell::discovery {

// Turns a game path (game root + relative path, Windows style, UTF-8) into a
// path of the host's file system.
class PathMapper {
public:
    virtual ~PathMapper() = default;
    virtual std::filesystem::path toHost(std::string_view gamePath) const = 0;
};

// Windows, or a root that is already a host path: the path as it stands.
std::unique_ptr<PathMapper> makeNativePathMapper();

// Linux under Wine: drive letters through <prefix>/dosdevices/<letter>:
// (drive_c for C: when that link is missing), backslashes to slashes, each
// component matched without regard to case. A path beginning with '/' is used
// as it stands.
std::unique_ptr<PathMapper> makeWinePathMapper(std::filesystem::path prefix);

// A root that is a host folder with no Wine prefix behind it (a game folder
// named by hand, a Steam game folder never started): on Linux each component
// is matched without regard to case, as the game's paths expect; on Windows the
// native mapper.
std::unique_ptr<PathMapper> makeHostPathMapper();

} // namespace quorvell::discovery
