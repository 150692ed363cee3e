#include "journal/journal_location.h"

#include "base/path_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace quorvell::journal {

std::filesystem::path canonicalMapsFolder(const std::filesystem::path& mapsFolder) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::canonical(mapsFolder, error);
    return error ? std::filesystem::absolute(mapsFolder, error).lexically_normal() : canonical;
}

std::filesystem::path journalFileName(const std::filesystem::path& mapsFolder) {
    // FNV-1a of the canonical path's UTF-8 text; the file holds the path in
    // clear, so a collision is told apart when it is read.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : pathText(canonicalMapsFolder(mapsFolder).generic_u8string())) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char name[40];
    std::snprintf(name, sizeof name, "maps-%016llx.journal", static_cast<unsigned long long>(hash));
    return name;
}

bool journalDisabled() {
    const char* value = std::getenv("QUORVELL_NO_JOURNAL");
    return value != nullptr && std::string(value) == "1";
}

} // namespace quorvell::journal
