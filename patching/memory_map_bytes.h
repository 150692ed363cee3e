#pragma once

#include "patching/map_bytes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quorvell::patching {

// A map held in memory, for the fuzz target and tests of the walk. Like a
// file it never grows: a write past the end is a fault of the caller.
class MemoryMapBytes final : public MapBytes {
public:
    explicit MemoryMapBytes(std::string bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) override {
        if (offset >= bytes_.size()) {
            return 0;
        }
        const std::size_t got = std::min<std::size_t>(size, bytes_.size() - offset);
        std::copy_n(bytes_.data() + offset, got, buffer);
        ++reads_;
        return got;
    }

    void write(std::uint64_t offset, std::string_view bytes) override {
        if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) {
            throw std::out_of_range("write beyond the end of the map");
        }
        bytes_.replace(offset, bytes.size(), bytes);
        ++writes_;
    }

    const std::string& bytes() const { return bytes_; }
    std::size_t reads() const { return reads_; }
    std::size_t writes() const { return writes_; }

private:
    std::string bytes_;
    std::size_t reads_ = 0;
    std::size_t writes_ = 0;
};

} // namespace quorvell::patching
