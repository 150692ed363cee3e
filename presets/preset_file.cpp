#include "presets/preset_file.h"

#include "base/ansi_text.h"
#include "base/io_error.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quorvell::presets {

namespace {

std::string pathText(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

// Reads the whole file; the caller has already made sure it exists.
std::string readBytes(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw IoError(pathText(path), "is a folder, not a file");
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int code = errno;
        throw IoError(pathText(path), code != 0 ? systemReason(code) : "cannot be opened");
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        const int code = errno;
        throw IoError(pathText(path), code != 0 ? systemReason(code) : "cannot be read");
    }
    return bytes;
}

} // namespace

PresetFile parsePresetText(std::string_view ansiBytes) {
    PresetFile file;
    std::size_t pos = 0;
    // A final line end closes the last line and starts no new one, as a
    // line-by-line text reader sees it; so an empty file has no lines at all.
    while (pos < ansiBytes.size()) {
        const std::size_t cr = ansiBytes.find('\r', pos);
        std::string_view raw;
        if (cr == std::string_view::npos) {
            raw = ansiBytes.substr(pos);
            pos = ansiBytes.size();
        } else {
            raw = ansiBytes.substr(pos, cr - pos);
            pos = cr + 1;
            if (pos < ansiBytes.size() && ansiBytes[pos] == '\n') {
                ++pos;
            }
        }
        // CR and LF are single bytes in every ANSI code page, but "{" may be
        // the trail byte of a double-byte character: look for it only after
        // decoding.
        std::string line = ansi::toUtf8(raw);
        if (const auto name = presetNameOf(line)) {
            file.names.emplace_back(*name);
        }
        file.lines.push_back(std::move(line));
    }
    return file;
}

std::optional<PresetFile> loadPresetFile(const std::filesystem::path& workingDir) {
    const auto path = workingDir / "Presets.ini";
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::nullopt;
    }
    if (ec) {
        throw IoError(pathText(path), ec.message());
    }
    PresetFile file = parsePresetText(readBytes(path));
    file.path = path;
    return file;
}

namespace {
std::vector<std::filesystem::path> eachOnce(const std::vector<std::filesystem::path>& folders) {
    std::vector<std::filesystem::path> unique;
    for (const auto& folder : folders) {
        std::error_code ec;
        const auto same = [&](const std::filesystem::path& seen) {
            return seen == folder || std::filesystem::equivalent(seen, folder, ec);
        };
        if (!folder.empty() && std::none_of(unique.begin(), unique.end(), same)) {
            unique.push_back(folder);
        }
    }
    return unique;
}
} // namespace

std::optional<PresetFile> findPresetFile(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : eachOnce(folders)) {
        if (auto file = loadPresetFile(folder)) {
            return file;
        }
    }
    return std::nullopt;
}

std::string noPresetFileNote(const std::vector<std::filesystem::path>& folders) {
    std::string note = "there is no Presets.ini";
    const char* joint = " in ";
    for (const auto& folder : eachOnce(folders)) {
        note += joint + pathText(folder);
        joint = " nor in ";
    }
    return note;
}

} // namespace quorvell::presets
