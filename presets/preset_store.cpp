#include "presets/preset_store.h"

#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"

#include <system_error>

namespace quorvell::presets {

std::string rewritePresetFile(const std::filesystem::path& file,
                              const std::function<std::string(std::string_view)>& edit,
                              bool createFolder, const std::function<void(StoreStep)>& afterStep) {
    std::error_code ec;
    // A link is followed, so the file it names is rewritten and the link stays.
    std::filesystem::path target =
        std::filesystem::is_symlink(file, ec) ? std::filesystem::weakly_canonical(file, ec) : file;
    if (target.empty()) {
        target = file;
    }
    if (createFolder && !std::filesystem::create_directories(target.parent_path(), ec) && ec) {
        throw IoError(pathText(file), "its folder cannot be made: " + ec.message());
    }
    const detail::PresetFileLock lock(target);
    const std::string current = readTextFile(target).value_or(std::string());
    const std::string next = edit(current);
    detail::replaceFile(target, next, afterStep);
    return next;
}

} // namespace quorvell::presets
