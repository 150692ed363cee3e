#pragma once

#include "patching/record_walk.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::tools {

// Builds the bytes of a synthetic IBT map: the signature, opaque filler, a
// table of 308-byte records and an opaque tail. The demo install and the
// tests both make their maps with it.
class MapBuilder {
public:
    static constexpr std::size_t kFirstName = patching::kFirstNameOffset;
    static constexpr std::size_t kStride = patching::kRecordStride;
    static constexpr std::size_t kWindow = patching::kNameWindow;

    MapBuilder();
    // A texture record (kind 0x08) whose name field holds name, NUL padded.
    MapBuilder& texture(std::string_view name);
    // A record with another kind byte.
    MapBuilder& record(std::uint8_t kind, std::string_view name);
    // A record whose 64-byte window is filled with raw bytes (may hold no NUL).
    MapBuilder& rawWindow(std::uint8_t kind, std::string_view window64);
    // The end-of-table record (first name byte 0x00 or 0x01).
    MapBuilder& end(std::uint8_t firstByte = 0x00);
    // Opaque bytes after the table.
    MapBuilder& tail(std::size_t bytes, std::uint8_t fill = 0xAB);
    // Fill byte for the parts of records outside the name (not NUL, so stray
    // reads show up).
    MapBuilder& recordFill(std::uint8_t fill);

    std::string bytes() const { return bytes_; }
    // Offset of record k's name.
    static std::size_t nameOffset(std::size_t k) { return kFirstName + kStride * k; }

private:
    void beginRecord(std::uint8_t kind);
    std::string bytes_;
    std::size_t records_ = 0;
    std::uint8_t fill_ = 0xCD;
};

// A map whose texture table holds exactly these references, in order, then
// the end record and tailBytes of opaque tail.
std::string mapOfTextures(const std::vector<std::string>& references, std::size_t tailBytes = 64);

// The six signature bytes.
std::string mapSignature();

} // namespace quorvell::tools
