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
#include <vector>

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
    // The bytes of the block read last, as read, and where they lie in the
    // file. Rewrites are put into them before they are written.
    char* bytes() { return block_; }
    const char* bytes() const { return block_; }
    std::uint64_t offset() const { return blockStart_; }
    std::size_t size() const { return got_; }

private:
    void placeBlock(std::uint64_t fileOffset);

    MapBytes& map_;
    // Not zeroed: only bytes read are looked at. Each block is read to the
    // same place within a memory page as it has within the file (block_ in
    // storage_): the system's copy out of the page cache runs several times
    // slower on some processors when the two are a few bytes apart.
    std::unique_ptr<char[]> storage_;
    char* block_ = nullptr;
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
void checkRewrite(std::string_view bytes);

// Unchanged bytes between two rewrites of a block up to which both go into
// one write: copying them again costs less than another system call.
inline constexpr std::size_t kMaxWriteGap = 8192;

// The rewrites of one block, written when the walk has been through it: one
// write per run of changed names, carrying the block's own bytes (as read in
// this pass) between them, so no byte outside a name changes its value and
// the writes never reach past what was read. A name is in the file whole or
// not at all: when a write stops part-way through one, its original bytes
// are written back (as far as that still goes) before the failure is passed
// on.
class BlockWrites {
public:
    // Puts bytes over the name at nameOffset in the block and keeps what was
    // there.
    void add(RecordBlocks& blocks, std::uint64_t nameOffset, std::string_view bytes);
    // Writes what was added since the last call. Throws what map throws.
    void write(MapBytes& map, const RecordBlocks& blocks);

private:
    struct Edit {
        std::uint64_t offset;
        std::size_t size;
        std::size_t original; // where its original bytes start in originals_
    };
    void restoreCut(MapBytes& map, std::size_t first, std::size_t last, std::uint64_t cut) const;

    std::vector<Edit> edits_;
    std::string originals_;
};

// How many references ahead of the handler the walk calls prefetch: far
// enough for a lookup's memory to arrive in time, near enough that what was
// fetched is still in the first-level cache when it is used.
inline constexpr std::size_t kPrefetchDistance = 12;

// Visits the texture records of the map in file order. A record is examined
// only when its kind byte and its whole name window lie inside the file; the
// first one that does not ends the walk, as does the end-of-table record
// (first name byte 0x00 or 0x01, tested before the kind byte). A texture
// record whose window holds no NUL is passed over. handler returns, for a
// reference, the bytes to write over it from nameOffset on (inside the name
// window), or nothing: any optional whose value converts to
// std::string_view; prefetch, if given, sees each reference a few
// references before handler does, so lookups wait for memory together.
// The rewrites of a block are written together once it has been handled
// (BlockWrites). yield is called at most once per block, after its writes,
// so no event is handled between reading bytes and writing them back.
// Throws what map throws; the rewrites of the blocks before stay made.
template <typename Handler, typename Prefetch = std::nullptr_t>
WalkSummary walkRecordsInBlocks(MapBytes& map, std::size_t recordsPerBlock, Handler&& handler,
                                const std::function<void()>& yield = {},
                                Prefetch&& prefetch = nullptr) {
    constexpr bool kPrefetch = !std::is_null_pointer_v<std::decay_t<Prefetch>>;
    WalkSummary summary;
    RecordBlocks blocks(map, recordsPerBlock);
    BlockWrites writes;
    summary.signatureFound = blocks.signatureFound();
    while (blocks.next()) {
        const auto references = blocks.references();
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
                writes.add(blocks, reference.nameOffset, *bytes);
                ++summary.rewrites;
            }
        }
        writes.write(map, blocks);
        summary.textureRecords += references.size();
        if (yield) {
            yield();
        }
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
