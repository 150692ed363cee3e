#pragma once

#include "patching/map_bytes.h"
#include "patching/map_plan.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace quorvell::patching {

// The map was removed between its opening and its first write; nothing was
// written to it. Skipped like a map that was gone when opened.
class MapVanished : public IoError {
public:
    using IoError::IoError;
};

// One map file on disk. It is opened for reading only; write access is asked
// for when the first write comes, so a walk that changes nothing never needs
// it (a read-only map that is already right is no error). The file is never
// created and its length never changes here: a write to a map whose length
// differs from what it had when opened (another program changed it) is
// refused. Every failure throws IoError naming the file and the system's
// reason.
class MapIo final : public MapBytes {
public:
    explicit MapIo(std::filesystem::path path);
    // Closes quietly; close() reports what the closing says.
    ~MapIo() override;
    MapIo(const MapIo&) = delete;
    MapIo& operator=(const MapIo&) = delete;

    // True when the file did not exist at open time (it vanished since it
    // was listed). Nothing can be read or written then.
    bool vanished() const noexcept { return impl_ == nullptr; }
    // True once write access has been obtained.
    bool writable() const noexcept;
    const std::filesystem::path& path() const noexcept { return path_; }
    // As found when opened (not vanished()).
    std::uint64_t length() const noexcept;
    FileIdentity identity() const noexcept;
    std::uint64_t hardLinks() const noexcept;

    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) override;
    // Throws MapVanished when the file is gone at the first write.
    void write(std::uint64_t offset, std::string_view bytes) override;
    // Closes the file; a failure (written data that may not have reached the
    // disk) throws IoError like a failed write.
    void close();

private:
    // Platform handles (map_io_posix.cpp, map_io_win.cpp).
    struct Impl;
    std::filesystem::path path_;
    std::unique_ptr<Impl> impl_;
};

// Which file the path names now; nullopt when it names none. Throws IoError
// for other failures.
std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path);

} // namespace quorvell::patching
