#pragma once

// The journal's file, opened for appending: what is appended reaches the disk
// on sync() (fsync, FlushFileBuffers) before any map is written.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace quorvell::journal {

class AppendFile {
public:
    // Opens (creating it and its folder) and cuts it to `keep` bytes, which
    // drops a torn tail. Throws IoError naming the file.
    AppendFile(const std::filesystem::path& file, std::uint64_t keep);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    void append(std::string_view bytes);
    void sync();

private:
    std::filesystem::path file_;
    std::intptr_t native_;
};

// Puts `bytes` at `file` whole or not at all: written beside it, synced, then
// renamed over it. Throws IoError naming the file.
void replaceFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace quorvell::journal
