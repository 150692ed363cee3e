#include "discovery/prefix_reading.h"

#include "base/io_error.h"
#include "discovery/game_root.h"
#include "discovery/wine_registry.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

PrefixReading passedOver(fs::path prefix, std::string why) {
    return PrefixReading{std::move(prefix), {}, std::move(why)};
}

} // namespace

PrefixReading readPrefix(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return passedOver(folder, "no such folder");
    }
    fs::path prefix = folder;
    if (!isFile(prefix / "system.reg") && isFile(prefix / "pfx" / "system.reg")) {
        prefix /= "pfx";
    }
    const fs::path registry = prefix / "system.reg";
    if (!isFile(registry)) {
        return passedOver(folder, "not a Wine prefix (no system.reg in it)");
    }
    errno = 0;
    std::ifstream in(registry, std::ios::binary);
    std::ostringstream text;
    if (in) {
        text << in.rdbuf();
    }
    if (!in || in.bad()) {
        const int code = errno;
        return passedOver(folder, "its registry file system.reg cannot be read: " +
                                      (code != 0 ? systemReason(code) : "read error"));
    }
    auto keys = parseWineRegistry(text.str());
    if (!keys) {
        return passedOver(folder, "its registry file system.reg is damaged");
    }
    const WineRegistryFile file = WineRegistryFile::fromKeys(std::move(*keys));
    const auto value = file.queryLocalMachine(kGameKey, kGameRootValue);
    if (!value) {
        return passedOver(folder, "the game is not installed in it (no ION_ROOT in its registry)");
    }
    if (value->type != kRegSz) {
        return passedOver(folder, "ION_ROOT in its registry is not a plain text value");
    }
    std::string root = readRegistryString(file, kGameKey, kGameRootValue);
    if (root.empty()) {
        return passedOver(folder, "ION_ROOT in its registry is empty");
    }
    return PrefixReading{prefix, std::move(root), {}};
}

} // namespace quorvell::discovery
