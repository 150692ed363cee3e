#pragma once

// Presets written from the program: a preset block added, replaced or
// removed in the bytes of Presets.ini, every other byte kept as it was (line
// ends, the ANSI code page, blank lines, comments).

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// A preset the file cannot hold, or one that is not there to change.
class PresetEditError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why name cannot be a new preset's name (UTF-8), or nullopt: it is empty,
// holds "{", "}" or a line break, starts or ends with a space, has no form in
// the ANSI code page, or equals one of names without regard to case (the
// command line could not tell the two apart).
std::optional<std::string> presetNameProblem(std::string_view name,
                                             const std::vector<std::string>& names);

// The entries of a preset that yields exactly these marks: "xbrick" first,
// then the row text of each texture switched on.
std::vector<std::string> presetEntriesFor(const std::vector<std::string>& rowTexts,
                                          const std::vector<bool>& marks);

// The block as the file holds it (ANSI bytes), each line ended by lineEnd.
// Throws PresetEditError for an entry with no ANSI form.
std::string presetBlockText(std::string_view name, const std::vector<std::string>& entries,
                            std::string_view lineEnd = "\r\n");

// fileBytes with a new preset appended (replace false; the name must pass
// presetNameProblem against the file's names) or with the first block of
// that name replaced in place (replace true). Throws PresetEditError.
std::string withPresetSaved(std::string_view fileBytes, std::string_view name,
                            const std::vector<std::string>& entries, bool replace);

// fileBytes without the first block of that name (its name line to its "}").
// Throws PresetEditError when there is none or it has no "}".
std::string withPresetDeleted(std::string_view fileBytes, std::string_view name);

} // namespace quorvell::presets
