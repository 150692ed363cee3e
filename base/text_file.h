#pragma once

// Reading the small text files the program meets: Presets.ini, a Wine
// registry file, Steam's and the launchers' lists. Each may be anything a
// player or another program left in its place, so only a regular file is
// read: a named pipe, a device or a folder is refused at once with an error
// naming it, never waited on as a plain open would wait on a pipe. A file
// longer than kTextFileCap is refused once that many bytes have been read,
// whatever its size says (a link to an endless file in /proc says it is
// regular and small).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quorvell {

inline constexpr std::uint64_t kTextFileCap = 256ull * 1024 * 1024;

class TextFile {
public:
    // nullopt when nothing is at path (or a folder on its way is missing);
    // throws IoError (the path and the reason) for anything else that keeps
    // it from being read as a file.
    static std::optional<TextFile> open(const std::filesystem::path& path);

    TextFile(TextFile&&) noexcept;
    TextFile& operator=(TextFile&&) noexcept;
    ~TextFile();

    // The size when opened, at most kTextFileCap; a hint for reserving, the
    // file may still change.
    std::uint64_t size() const { return size_ < kTextFileCap ? size_ : kTextFileCap; }
    // Reads up to capacity bytes; 0 at the end. Throws IoError, also for
    // the bytes past kTextFileCap.
    std::size_t read(char* buffer, std::size_t capacity);

private:
    // One read of the platform's; 0 at the end. Throws IoError.
    std::size_t readSome(char* buffer, std::size_t capacity);
    static std::string tooLargeReason();

    // native: the platform's open descriptor or handle, owned from here on.
    TextFile(std::filesystem::path path, std::intptr_t native, std::uint64_t size);
    // Closes what the platform opened.
    static void closeNative(std::intptr_t native);

    std::filesystem::path path_;
    std::intptr_t native_ = kNone;
    std::uint64_t size_ = 0;
    std::uint64_t readSoFar_ = 0;
    static constexpr std::intptr_t kNone = -1;
};

// The whole file, or nullopt when nothing is at path. Throws IoError.
std::optional<std::string> readTextFile(const std::filesystem::path& path);

} // namespace quorvell
