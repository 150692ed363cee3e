#pragma once

// Where a texture's bytes come from: a file, read piece by piece, or bytes
// already in memory. Counts what it reads, so the reader's economy can be
// measured.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace quorvell::textures {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills out from offset; false when the bytes cannot be read (the file
    // shrank or failed).
    virtual bool read(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
    std::uint64_t bytesRead() const { return bytesRead_; }

protected:
    std::uint64_t bytesRead_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;
};

class FileSource : public ByteSource {
public:
    // Opens a regular file; problem() says why not ("a folder", "not a
    // regular file", "not found", the system's reason).
    explicit FileSource(const std::filesystem::path& path);
    const std::string& problem() const { return problem_; }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::ifstream file_;
    std::uint64_t size_ = 0;
    std::string problem_;
};

} // namespace quorvell::textures
