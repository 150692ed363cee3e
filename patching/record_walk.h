#pragma once

// The walk over an IBT map's texture table. Only the signature, the kind
// byte and the 64-byte name window of each record are read; every other byte
// is opaque.

#include "patching/map_bytes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace quorvell::patching {

inline constexpr std::string_view kMapSignature{"\x01\x00\x00\xC0\x00\x08", 6};
inline constexpr std::uint64_t kFirstNameOffset = 93;
inline constexpr std::uint64_t kRecordStride = 308;
inline constexpr std::size_t kNameWindow = 64;
inline constexpr unsigned char kTextureKind = 0x08;

// Records read per block: about 256 KiB at a time, whole records only. A
// read costs a system call and the walk's own work per read; larger blocks
// save few of those and leave the second-level cache, where the walk then
// reads the block back more slowly.
inline constexpr std::size_t kRecordsPerBlock = 851;

// One texture reference as the walk meets it.
struct TextureReference {
    std::string_view text;   // the bytes before the window's first NUL
    std::string_view window; // all 64 bytes of the name field
    std::uint64_t nameOffset = 0;
    std::size_t record = 0; // k, counted from 0
    std::uint64_t hash = 0; // hashReference(text), for the lookups

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

// Reads a map's record table block by block and picks out the texture
// references; the memory it holds is one block.
class RecordBlocks {
public:
    // recordsPerBlock other than kRecordsPerBlock is for tests and the fuzz
    // target, to cross many block boundaries in small inputs.
    explicit RecordBlocks(MapBytes& map, std::size_t recordsPerBlock = kRecordsPerBlock);
    bool signatureFound() const { return signatureFound_; }
    // Reads the next block; false when the walk has ended.
    bool next();
    // The texture references of the block read last, in file order. The
    // views stay valid until the next call of next().
    std::span<const TextureReference> references() const { return {references_.get(), count_}; }

private:
    MapBytes& map_;
    std::unique_ptr<char[]> block_; // not zeroed: only bytes read are looked at
    std::unique_ptr<TextureReference[]> references_;
    std::size_t count_ = 0;
    std::size_t recordsPerBlock_ = 0;
    std::size_t blockSize_ = 0;
    std::size_t got_ = 0;
    std::uint64_t blockStart_ = 0;
    std::size_t firstRecord_ = 0;
    bool signatureFound_ = false;
    bool firstBlock_ = true;
    bool finished_ = false;
};

// Throws std::logic_error unless bytes fit a name window.
void checkRewrite(const std::string& bytes);

// How many references ahead of the handler the walk calls prefetch: far
// enough for a lookup's memory to arrive in time, near enough that what was
// fetched is still in the first-level cache when it is used.
inline constexpr std::size_t kPrefetchDistance = 12;

// Visits the texture records of the map in file order. A record is examined
// only when its kind byte and its whole name window lie inside the file; the
// first one that does not ends the walk, as does the end-of-table record
// (first name byte 0x00 or 0x01, tested before the kind byte). A texture
// record whose window holds no NUL is passed over. handler returns the
// ReferenceHandler's result; prefetch, if given, sees each reference a few
// references before handler does, so lookups wait for memory together.
// yield is called at most once per block. Throws what map throws; rewrites
// made before stay made.
template <typename Handler, typename Prefetch = std::nullptr_t>
WalkSummary walkRecordsInBlocks(MapBytes& map, std::size_t recordsPerBlock, Handler&& handler,
                                const std::function<void()>& yield = {},
                                Prefetch&& prefetch = nullptr) {
    constexpr bool kPrefetch = !std::is_null_pointer_v<std::decay_t<Prefetch>>;
    WalkSummary summary;
    RecordBlocks blocks(map, recordsPerBlock);
    summary.signatureFound = blocks.signatureFound();
    while (blocks.next()) {
        const auto references = blocks.references();
        if (yield) {
            yield();
        }
        if constexpr (kPrefetch) {
            for (std::size_t i = 0; i < kPrefetchDistance && i < references.size(); ++i) {
                prefetch(references[i]);
            }
        }
        for (std::size_t i = 0; i < references.size(); ++i) {
            if constexpr (kPrefetch) {
                if (i + kPrefetchDistance < references.size()) {
                    prefetch(references[i + kPrefetchDistance]);
                }
            }
            const TextureReference& reference = references[i];
            if (auto bytes = handler(reference)) {
                checkRewrite(*bytes);
                map.write(reference.nameOffset, *bytes);
                ++summary.rewrites;
            }
        }
        summary.textureRecords += references.size();
    }
    return summary;
}

template <typename Handler, typename Prefetch = std::nullptr_t>
WalkSummary walkRecords(MapBytes& map, Handler&& handler, const std::function<void()>& yield = {},
                        Prefetch&& prefetch = nullptr) {
    return walkRecordsInBlocks(map, kRecordsPerBlock, std::forward<Handler>(handler), yield,
                               std::forward<Prefetch>(prefetch));
}

} // namespace quorvell::patching
