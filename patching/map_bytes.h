#pragma once

#include "base/io_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvell::patching {

// Byte access to one map file by absolute offset. The record walk works
// through this so that it runs alike over a real file and over bytes in
// memory (the fuzz target, tests of the walk itself).
class MapBytes {
public:
    virtual ~MapBytes() = default;
    // Fills buffer from offset on and returns the number of bytes got; fewer
    // than size only where the file ends (0 at or beyond its end).
    virtual std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) = 0;
    // Writes all of bytes at offset, never past the file's end. A write that
    // stops part-way throws WriteStopped.
    virtual void write(std::uint64_t offset, std::string_view bytes) = 0;

protected:
    MapBytes() = default;
    MapBytes(const MapBytes&) = default;
    MapBytes& operator=(const MapBytes&) = default;
};

// A write that stopped part-way: the first written() bytes reached the file,
// the rest did not. Whoever knows what those bytes were can put back the ones
// that must not stay half changed.
class WriteStopped : public IoError {
public:
    WriteStopped(const IoError& cause, std::size_t written) : IoError(cause), written_(written) {}
    std::size_t written() const noexcept { return written_; }

private:
    std::size_t written_;
};

} // namespace quorvell::patching
