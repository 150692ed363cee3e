#include "session/preset_places.h"

#include "presets/preset_edit.h"
#include "presets/preset_store.h"

#include <cstdlib>

namespace quorvell::session {

namespace {

std::filesystem::path fromEnvironment(const char* name) {
#ifdef _WIN32
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wide.c_str());
#else
    const char* value = std::getenv(name);
#endif
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

Presets rewritten(const Presets& presets,
                  const std::function<std::string(std::string_view)>& edit) {
    const std::string bytes = presets::rewritePresetFile(presets.file, edit, !presets.found);
    Presets after;
    after.file = presets.file;
    after.found = true;
    after.content = presets::parsePresetText(bytes);
    after.content.path = presets.file;
    return after;
}

} // namespace

std::filesystem::path userPresetFolder() {
#ifdef _WIN32
    const std::filesystem::path appData = fromEnvironment("APPDATA");
    return appData.empty() ? appData : appData / "Quorvell";
#else
    if (const std::filesystem::path config = fromEnvironment("XDG_CONFIG_HOME");
        config.is_absolute()) {
        return config / "quorvell";
    }
    const std::filesystem::path home = fromEnvironment("HOME");
    return home.empty() ? home : home / ".config" / "quorvell";
#endif
}

std::vector<std::filesystem::path> presetPlaces(const std::filesystem::path& workingDir,
                                                const std::filesystem::path& programDir) {
    return {workingDir, programDir, userPresetFolder()};
}

Presets savePreset(const Presets& presets, const std::string& name,
                   const std::vector<std::string>& entries, bool replace) {
    return rewritten(presets, [&](std::string_view bytes) {
        return presets::withPresetSaved(bytes, name, entries, replace);
    });
}

Presets deletePreset(const Presets& presets, const std::string& name) {
    return rewritten(
        presets, [&](std::string_view bytes) { return presets::withPresetDeleted(bytes, name); });
}

} // namespace quorvell::session
