#include "presets/preset_file.h"

#include "base/ansi_text.h"
#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace quorvell::presets {

// A final line end closes the last line and starts no new one, as a
// line-by-line text reader sees it; so an empty file has no lines at all. A
// line ends at CR LF, a lone CR or a lone LF (a file typed on Linux).
void PresetTextReader::feed(std::string_view ansiBytes) {
    std::size_t pos = 0;
    if (skipLf_ && !ansiBytes.empty()) {
        skipLf_ = false;
        if (ansiBytes.front() == '\n') {
            pos = 1;
        }
    }
    while (pos < ansiBytes.size()) {
        const std::size_t end = ansiBytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            line_.append(ansiBytes.substr(pos));
            lineOpen_ = true;
            return;
        }
        line_.append(ansiBytes.substr(pos, end - pos));
        endLine();
        pos = end + 1;
        if (ansiBytes[end] == '\n') {
            continue;
        }
        if (pos == ansiBytes.size()) {
            skipLf_ = true;
        } else if (ansiBytes[pos] == '\n') {
            ++pos;
        }
    }
}

void PresetTextReader::endLine() {
    // CR and LF are single bytes in every ANSI code page, but "{" may be the
    // trail byte of a double-byte character: look for it only after decoding.
    const std::string line = ansi::toUtf8(line_);
    if (const auto name = presetNameOf(line)) {
        file_.names.emplace_back(*name);
    }
    file_.lines.append(line);
    line_.clear();
    lineOpen_ = false;
}

PresetFile PresetTextReader::finish() {
    if (lineOpen_) {
        endLine();
    }
    skipLf_ = false;
    return std::move(file_);
}

PresetFile parsePresetText(std::string_view ansiBytes) {
    PresetTextReader reader;
    reader.feed(ansiBytes);
    return reader.finish();
}

namespace {

// nullopt when nothing is at path.
std::optional<PresetFile> readIfPresent(const std::filesystem::path& path) {
    auto file = TextFile::open(path);
    if (!file) {
        return std::nullopt;
    }
    PresetTextReader reader;
    reader.reserveText(static_cast<std::size_t>(file->size()));
    char block[64 * 1024];
    try {
        while (const std::size_t got = file->read(block, sizeof block)) {
            reader.feed(std::string_view(block, got));
        }
    } catch (const std::length_error& tooLarge) {
        throw IoError(pathText(path), tooLarge.what());
    }
    PresetFile read = reader.finish();
    read.path = path;
    return read;
}

} // namespace

std::optional<PresetFile> loadPresetFile(const std::filesystem::path& workingDir) {
    return readIfPresent(workingDir / "Presets.ini");
}

PresetFile readPresetFile(const std::filesystem::path& file) {
    if (auto read = readIfPresent(file)) {
        return std::move(*read);
    }
    throw IoError(pathText(file), systemReason(ENOENT));
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
