#pragma once

// Presets.ini rewritten safely: read again under a lock just before the
// write, the new bytes written to a temporary file in the same folder,
// flushed, then put in place in one step. An interruption at any moment
// leaves the old file or the new one, never part of either, and two programs
// saving at once each see the other's preset.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quorvell::presets {

// The moments of a rewrite, for tests that interrupt it.
enum class StoreStep { TempWritten, TempFlushed, Replaced };

// edit: the new bytes from the file's bytes now (empty when there is no
// file); it may throw to leave the file as it is. Returns the bytes written.
// createFolder: the folder is made when missing (the per-user place).
// Throws IoError naming the file (a missing or read-only folder, a full
// disk) and whatever edit throws.
std::string rewritePresetFile(const std::filesystem::path& file,
                              const std::function<std::string(std::string_view)>& edit,
                              bool createFolder = false,
                              const std::function<void(StoreStep)>& afterStep = {});

namespace detail {

// Held while the file is read and written; another holder waits.
class PresetFileLock {
public:
    explicit PresetFileLock(const std::filesystem::path& file);
    ~PresetFileLock();
    PresetFileLock(const PresetFileLock&) = delete;
    PresetFileLock& operator=(const PresetFileLock&) = delete;

private:
    std::intptr_t native_;
};

// Writes bytes to a temporary file beside file and renames it over file.
void replaceFile(const std::filesystem::path& file, std::string_view bytes,
                 const std::function<void(StoreStep)>& afterStep);

} // namespace detail

} // namespace quorvell::presets
