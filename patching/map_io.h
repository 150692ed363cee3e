#pragma once

#include "patching/map_bytes.h"

#include <filesystem>
#include <memory>

namespace quorvell::patching {

// One map file on disk. It is opened for reading only; write access is asked
// for when the first write comes, so a walk that changes nothing never needs
// it (a read-only map that is already right is no error). The file is never
// created and its length never changes here. Every failure throws IoError
// naming the file and the system's reason. Closed by the destructor.
class MapIo final : public MapBytes {
public:
    explicit MapIo(std::filesystem::path path);
    ~MapIo() override;
    MapIo(const MapIo&) = delete;
    MapIo& operator=(const MapIo&) = delete;

    // True when the file did not exist at open time (it vanished since it
    // was listed). Nothing can be read or written then.
    bool vanished() const noexcept { return impl_ == nullptr; }
    // True once write access has been obtained.
    bool writable() const noexcept;
    const std::filesystem::path& path() const noexcept { return path_; }

    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) override;
    void write(std::uint64_t offset, std::string_view bytes) override;

private:
    // Platform handles (map_io_posix.cpp, map_io_win.cpp).
    struct Impl;
    std::filesystem::path path_;
    std::unique_ptr<Impl> impl_;
};

} // namespace quorvell::patching
