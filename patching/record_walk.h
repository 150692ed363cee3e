#pragma once

// The walk over an IBT map's texture table. Only the signature, the kind
// byte and the 64-byte name window of each record are read; every other byte
// is opaque.

#include "patching/map_bytes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::patching {

inline constexpr std::string_view kMapSignature{"\x01\x00\x00\xC0\x00\x08", 6};
inline constexpr std::uint64_t kFirstNameOffset = 93;
inline constexpr std::uint64_t kRecordStride = 308;
inline constexpr std::size_t kNameWindow = 64;
inline constexpr unsigned char kTextureKind = 0x08;

// Records read per block: about 64 KiB at a time, whole records only.
inline constexpr std::size_t kRecordsPerBlock = 212;

// One texture reference as the walk meets it.
struct TextureReference {
    std::string_view text;   // the bytes before the window's first NUL
    std::string_view window; // all 64 bytes of the name field
    std::uint64_t nameOffset = 0;
    std::size_t record = 0; // k, counted from 0

    // 1-based byte position of the name, as the game's tools count.
    std::uint64_t position() const { return nameOffset + 1; }
};

// Given a reference, the bytes to write over it from nameOffset on, or
// nothing. The bytes must fit inside the name window.
using ReferenceHandler = std::function<std::optional<std::string>(const TextureReference&)>;

struct WalkSummary {
    bool signatureFound = false;
    std::size_t textureRecords = 0; // references handed to the handler
    std::size_t rewrites = 0;
};

// Visits the texture records of the map in file order. A record is examined
// only when its kind byte and its whole name window lie inside the file; the
// first one that does not ends the walk, as does the end-of-table record
// (first name byte 0x00 or 0x01, tested before the kind byte). A texture
// record whose window holds no NUL is passed over. yield is called at most
// once per block. Throws what map throws; rewrites made before stay made.
WalkSummary walkRecords(MapBytes& map, const ReferenceHandler& handler,
                        const std::function<void()>& yield = {});

} // namespace quorvell::patching
