#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"
#include "discovery/launcher_prefixes.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace quorvell::discovery {

namespace fs = std::filesystem;

std::vector<fs::path> folderEntries(const fs::path& folder, std::string_view extension,
                                    std::string_view whatItHolds,
                                    std::vector<PassedOver>& passedOver) {
    std::vector<fs::path> entries;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        passedOver.push_back(
            {pathText(folder), "no such folder (" + std::string(whatItHolds) + ")"});
        return entries;
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const bool wanted = extension.empty() ? it->is_directory(typeError)
                                              : it->is_regular_file(typeError) &&
                                                    pathText(it->path().extension()) == extension;
        if (wanted) {
            entries.push_back(it->path());
        }
    }
    if (ec) {
        passedOver.push_back({pathText(folder), "cannot be listed: " + ec.message()});
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::optional<std::string> launcherFileText(const fs::path& file,
                                            std::vector<PassedOver>& passedOver) {
    try {
        if (auto text = readTextFile(file)) {
            return text;
        }
        passedOver.push_back({pathText(file), "cannot be read: " + systemReason(ENOENT)});
    } catch (const IoError& error) {
        passedOver.push_back({pathText(file), "cannot be read: " + error.reason()});
    }
    return std::nullopt;
}

fs::path launcherPath(std::string_view text, const fs::path& home) {
    if (text == "~") {
        return home;
    }
    if (text.starts_with("~/")) {
        return home / pathFromUtf8(text.substr(2));
    }
    return pathFromUtf8(text);
}

} // namespace quorvell::discovery
