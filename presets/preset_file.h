#pragma once

#include "presets/preset_lines.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// Presets.ini as the loader leaves it: every line in file order (List5) and
// the name of every name line (Combo1), both as UTF-8.
struct PresetFile {
    PresetLines lines;               // List5
    std::vector<std::string> names;  // Combo1
    std::filesystem::path path = {}; // where it was read from; empty when parsed from text
};

// Splits preset file bytes into lines as they arrive, a block at a time, so a
// large file is never held twice.
class PresetTextReader {
public:
    void feed(std::string_view ansiBytes);
    PresetFile finish();
    void reserveText(std::size_t bytes) { file_.lines.reserveText(bytes); }

private:
    void endLine();

    PresetFile file_;
    std::string line_;      // the raw bytes of the line being read
    bool skipLf_ = false;   // the block before ended in CR
    bool lineOpen_ = false; // bytes have arrived since the last line end
};

// Splits file bytes (ANSI code page) into lines at CR LF, a lone CR or a lone
// LF; nothing is trimmed.
PresetFile parsePresetText(std::string_view ansiBytes);

// "<workingDir>\Presets.ini" (the native separator on Linux). nullopt when the
// file does not exist; throws IoError when it exists but cannot be read or is
// no file at all (a folder, a named pipe, a device).
std::optional<PresetFile> loadPresetFile(const std::filesystem::path& workingDir);

// A preset file named by the user: a missing file is an error too. Throws
// IoError naming the file.
PresetFile readPresetFile(const std::filesystem::path& file);

// Presets.ini looked for in each folder in turn, each folder once: the working
// directory first, then the folder holding the program, where players are
// told to keep it (a launcher or a desktop shortcut starts programs in another
// folder, often the home folder). The first file found is loaded; one that
// exists but cannot be read throws IoError, as loadPresetFile does. nullopt
// when no folder holds one.
std::optional<PresetFile> findPresetFile(const std::vector<std::filesystem::path>& folders);

// Why no preset can match when findPresetFile found nothing, naming each
// folder looked in: "there is no Presets.ini in <a> nor in <b>".
std::string noPresetFileNote(const std::vector<std::filesystem::path>& folders);

// The name of a name line (text before the first "{"), or nullopt.
std::optional<std::string_view> presetNameOf(std::string_view line);

} // namespace quorvell::presets
