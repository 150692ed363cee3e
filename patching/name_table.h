#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

#if defined(_MSC_VER)
#define QUORVELL_ALWAYS_INLINE __forceinline
#else
#define QUORVELL_ALWAYS_INLINE [[gnu::always_inline]] inline
#endif

namespace quorvell::patching {

// The reference hash works on the text as little-endian 8-byte words, the
// last one zero-padded, and mixes the length in at the end. That lets the
// walk hash a name in the same pass over its window that finds its NUL
// (windowText below) and still agree with hashReference.
namespace hash_detail {

inline constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15ull;

inline std::uint64_t mixWord(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 31);
}

// The full finaliser of splitmix64: the last bytes (where names like
// Wall_01, Wall_02 differ) must reach the low bits used as the slot.
inline std::uint64_t finish(std::uint64_t h, std::size_t length) {
    h ^= length;
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

// Eight bytes as a number with the first byte lowest, whatever the machine.
inline std::uint64_t loadWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if constexpr (std::endian::native == std::endian::big) {
        word = ((word & 0x00000000FFFFFFFFull) << 32) | (word >> 32);
        word = ((word & 0x0000FFFF0000FFFFull) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFull);
        word = ((word & 0x00FF00FF00FF00FFull) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFull);
    }
    return word;
}

} // namespace hash_detail

inline std::uint64_t hashReference(std::string_view text) {
    using namespace hash_detail;
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t h = kSeed;
    for (; n >= 8; p += 8, n -= 8) {
        h = mixWord(h, loadWord(p));
    }
    if (n > 0) {
        // Byte by byte: a memcpy of a variable length is a library call.
        std::uint64_t last = 0;
        for (std::size_t i = 0; i < n; ++i) {
            last |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
        }
        h = mixWord(h, last);
    }
    return finish(h, text.size());
}

// The text before the first NUL of a 64-byte name window and its
// hashReference, found in one pass of eight word reads: this runs for every
// texture record of every map. Nothing when the window holds no NUL.
struct WindowText {
    std::size_t length;
    std::uint64_t hash;
};
inline std::optional<WindowText> windowText(const char* window) {
    using namespace hash_detail;
    constexpr std::uint64_t kLow = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::uint64_t h = kSeed;
    for (std::size_t at = 0; at < 64; at += 8) {
        const std::uint64_t word = loadWord(window + at);
        // The lowest flagged byte is the first zero byte; flags above it may
        // be false, and are not looked at.
        const std::uint64_t zero = (word - kLow) & ~word & kHigh;
        if (zero != 0) {
            const auto bytes = static_cast<std::size_t>(std::countr_zero(zero)) / 8;
            if (bytes > 0) {
                h = mixWord(h, word & (~std::uint64_t{0} >> (64 - 8 * bytes)));
            }
            return WindowText{at + bytes, finish(h, at + bytes)};
        }
        h = mixWord(h, word);
    }
    return std::nullopt;
}

namespace hash_detail {

// memcmp(a, b, n) == 0 for the short texts of names, without a library
// call: 8-byte steps, the last one overlapping; shorter texts in two
// overlapping 4-byte steps or byte by byte.
inline bool sameBytes(const char* a, const char* b, std::size_t n) {
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 <= n; i += 8) {
            if (loadWord(a + i) != loadWord(b + i)) {
                return false;
            }
        }
        return loadWord(a + n - 8) == loadWord(b + n - 8);
    }
    if (n >= 4) {
        std::uint32_t x[2];
        std::uint32_t y[2];
        std::memcpy(&x[0], a, 4);
        std::memcpy(&x[1], a + n - 4, 4);
        std::memcpy(&y[0], b, 4);
        std::memcpy(&y[1], b + n - 4, 4);
        return x[0] == y[0] && x[1] == y[1];
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

} // namespace hash_detail

// Reference texts, each with a value, looked up by string_view. Open
// addressing over one flat array whose slots point straight into one buffer
// of texts: the walk asks once per texture record, most references (the
// game's own textures) must fail fast, and a block of lookups can be
// prefetched together. Clearing keeps the memory, so a table refilled map
// after map stops allocating.
template <typename Value> class NameTable {
public:
    // Adds text unless it is there already (the first value stays); returns
    // whether it was added.
    bool addFirst(std::string_view text, Value value) {
        const std::uint64_t hash = hashReference(text);
        if (indexOf(text, hash)) {
            return false;
        }
        if ((values_.size() + 1) * 2 > slots_.size()) {
            grow();
        }
        const Slot slot{
            static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(values_.size() + 1),
            static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(text.size())};
        texts_.append(text);
        values_.push_back(std::move(value));
        filter_[filterBit(hash) / 64] |= std::uint64_t{1} << (filterBit(hash) % 64);
        place(hash, slot);
        return true;
    }

    // The index of text (0-based, in order of adding). hash, when given, is
    // hashReference(text), worked out once for all tables a text is sought in.
    std::optional<std::size_t> indexOf(std::string_view text) const {
        return indexOf(text, hashReference(text));
    }
    std::optional<std::size_t> indexOf(std::string_view text, std::uint64_t hash) const {
        const std::size_t at = positionOf(text, hash);
        return at == npos ? std::nullopt : std::optional<std::size_t>(at);
    }

    // indexOf for the walk's per-reference lookups: npos when text is not
    // there. A plain number comes back in a register, where an optional can
    // take a trip through memory that costs a stall on every lookup.
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t positionOf(std::string_view text, std::uint64_t hash) const {
        if (slots_.empty() || !mayHold(hash)) {
            return npos;
        }
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t i = hash & mask();; i = (i + 1) & mask()) {
            const Slot& slot = slots_[i];
            if (slot.entry == 0) {
                return npos;
            }
            if (slot.tag == tag && slot.length == text.size() &&
                hash_detail::sameBytes(texts_.data() + slot.offset, text.data(), text.size())) {
                return slot.entry - 1;
            }
        }
    }

    const Value* find(std::string_view text) const {
        const auto index = indexOf(text);
        return index ? &values_[*index] : nullptr;
    }

    const Value& valueAt(std::size_t index) const { return values_[index]; }
    std::size_t size() const { return values_.size(); }

    void clear() {
        texts_.clear();
        values_.clear();
        std::fill(slots_.begin(), slots_.end(), Slot{});
        filter_.fill(0);
    }

    // Starts loading the slot that a lookup of text will touch first, so
    // lookups wait for memory together, not one by one. Always inlined: GCC
    // takes a prefetch for a function without effects and drops calls to
    // it whole when it is not inlined first (so it never prefetched at all).
    QUORVELL_ALWAYS_INLINE void prefetch(std::uint64_t hash) const {
        // Both without looking at the filter first: a load whose answer a
        // branch waits for would stall here what the prefetch is to spare
        // the lookup.
        prefetchLine(&filter_[filterBit(hash) / 64]);
        if (!slots_.empty()) {
            prefetchLine(&slots_[hash & mask()]);
        }
    }

private:
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t entry = 0; // 1-based; 0 marks an empty slot
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    // One bit per hash value's middle bits, 8 KiB in all: it stays in the
    // fastest cache and turns most references that are not in the table
    // away before the table itself is touched.
    static std::size_t filterBit(std::uint64_t hash) { return (hash >> 16) & 0xFFFF; }
    bool mayHold(std::uint64_t hash) const {
        return (filter_[filterBit(hash) / 64] >> (filterBit(hash) % 64)) & 1;
    }

    QUORVELL_ALWAYS_INLINE static void prefetchLine(const void* at) {
#if defined(_MSC_VER)
        _mm_prefetch(static_cast<const char*>(at), _MM_HINT_T0);
#else
        __builtin_prefetch(at);
#endif
    }

    std::size_t mask() const {
        return slots_.size() - 1;
    }

    void place(std::uint64_t hash, const Slot& slot) {
        std::size_t i = hash & mask();
        while (slots_[i].entry != 0) {
            i = (i + 1) & mask();
        }
        slots_[i] = slot;
    }

    void grow() {
        std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.entry != 0) {
                place(hashReference(std::string_view(texts_).substr(slot.offset, slot.length)),
                      slot);
            }
        }
    }

    std::array<std::uint64_t, 1024> filter_{};
    std::vector<Slot> slots_;
    std::string texts_; // every text, back to back
    std::vector<Value> values_;
};

} // namespace quorvell::patching
