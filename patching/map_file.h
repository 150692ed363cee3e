#pragma once

// The map file engine: the record walk over an IBT map's texture table and
// the three operations built on it (state scan, single toggle, batch patch).

#include "base/ansi_text.h"
#include "base/io_error.h"
#include "patching/name_table.h"
#include "patching/reference_set.h"
#include "patching/texture_row.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::patching {

inline constexpr std::string_view kOverriddenSuffix = "__overridden";

// Called while a walk works through a map, at most once per block of records,
// so the caller can service its event loop (it throttles further by time).
using YieldFn = std::function<void()>;

// "Wall_a.dds" -> "Wall_a": the row text less its last four characters
// (characters, not bytes; empty when the text is shorter).
std::string baseNameOf(std::string_view rowText);

// The base name as the ANSI bytes a map holds; nullopt when it has no ANSI
// form or is empty. Either way such a row matches no reference: an empty base
// would match the bare reference "__overridden", and switching that off
// would blank the name's first byte and cut the map's texture table short.
std::optional<std::string> ansiBaseNameOf(std::string_view rowText);

// What one patch of one map did.
struct PatchOutcome {
    std::size_t referencesChanged = 0;
    // Row texts of textures that could not be switched on because their base
    // name is longer than 51 bytes (the overridden reference would not end
    // inside the 64-byte name field). Each text is named once per map.
    std::vector<std::string> notSwitchedOn;
    // The map was gone when it was opened, or by its first write; nothing
    // was written to it.
    bool vanished = false;
    // Names the file has; above one, a copy made with cp -al (or any other
    // hard link) changes with it.
    std::uint64_t hardLinks = 1;
};

// "has N hard links: ..." for a map with more than one; empty otherwise.
std::string hardLinksWarning(std::uint64_t hardLinks);

// Lookup from reference text to the first row that it matches (plain or
// overridden), built once per scan of all maps.
class ScanIndex {
public:
    explicit ScanIndex(const TextureRows& rows);
    // Row index of the first row matching the reference, if any.
    std::optional<std::size_t> firstMatch(std::string_view reference) const;

    // The first matching row and the reference's key: a dense number for
    // each distinct reference text that matches a row, below keyCount().
    // carriesSuffix: the text holds "__overridden" somewhere, worked out once
    // per key rather than once per reference.
    struct Match {
        std::size_t row;
        std::size_t key;
        bool carriesSuffix = false;
    };
    std::optional<Match> match(std::string_view reference) const {
        return match(reference, hashReference(reference));
    }
    // The same, with hash = hashReference(reference) worked out already.
    std::optional<Match> match(std::string_view reference, std::uint64_t hash) const;
    std::size_t keyCount() const { return first_.size(); }
    // One more than the highest row index a match can name.
    std::size_t rowCount() const { return rowCount_; }
    QUORVELL_ALWAYS_INLINE void prefetch(std::uint64_t hash) const { first_.prefetch(hash); }

private:
    struct Key {
        std::size_t row;
        bool carriesSuffix;
    };
    NameTable<Key> first_;
    std::size_t rowCount_ = 0;
};

// Scans one map for overridden references. Adds each newly met custom
// reference to list1 and returns the rows that get a check mark, in the order
// met. Opens the map for reading only. A map without the signature yields
// nothing; a vanished map yields nothing. Throws IoError.
// Sees each reference that ends in "__overridden" and matches no row, as the
// map spells it: a texture switched on whose file is gone.
using UnmatchedOverride = std::function<void(std::string_view reference)>;

std::vector<std::size_t> scanMap(const std::filesystem::path& mapPath, const ScanIndex& index,
                                 ReferenceSet& list1, const YieldFn& yield = {},
                                 const UnmatchedOverride& unmatched = {});

// The texture that a single toggle switches and the state it is switched to
// (the row's new check mark), prepared once per toggle.
class ToggleTarget {
public:
    ToggleTarget(std::string_view rowText, bool switchOn);
    const std::string& rowText() const { return rowText_; }
    // ANSI base name; nullopt when the name has no ANSI form (it matches nothing).
    const std::optional<std::string>& base() const { return base_; }
    bool switchOn() const { return switchOn_; }

private:
    std::string rowText_;
    std::optional<std::string> base_;
    bool switchOn_;
};

// Brings every reference to the texture in one map to the target's state (a
// batch of the one row):
// switching on turns plain references overridden, switching off turns
// overridden ones plain; references already in that state stay as they are.
// Setting rather than flipping keeps the maps in line with the check mark
// when they disagreed among themselves, and a map reached twice (through a
// link) is not switched back. Throws IoError.
PatchOutcome switchTextureInMap(const std::filesystem::path& mapPath, const ToggleTarget& target,
                                const YieldFn& yield = {});

// For every reference text, what the batch does to it, decided once from the
// check marks by "the first matching row that disagrees decides".
class BatchIndex {
public:
    explicit BatchIndex(const TextureRows& rows);

    enum class Action : std::uint8_t { SwitchOn, SwitchOff };
    struct Decision {
        Action action;
        std::size_t row; // the deciding row
    };
    std::optional<Decision> decide(std::string_view reference) const {
        return decide(reference, hashReference(reference));
    }
    std::optional<Decision> decide(std::string_view reference, std::uint64_t hash) const;
    QUORVELL_ALWAYS_INLINE void prefetch(std::uint64_t hash) const { decisions_.prefetch(hash); }
    const TextureRows& rows() const { return rows_; }

private:
    TextureRows rows_;
    NameTable<Decision> decisions_;
};

// What patchPresetInMap would do to one map, worked out without writing:
// referencesChanged counts the references it would rewrite; notSwitchedOn
// and vanished as it would report them. Opens the map for reading only.
// Throws IoError.
PatchOutcome countPresetChanges(const std::filesystem::path& mapPath, const BatchIndex& index,
                                const YieldFn& yield = {});

// Brings one map in line with the check marks. Throws IoError.
PatchOutcome patchPresetInMap(const std::filesystem::path& mapPath, const BatchIndex& index,
                              const YieldFn& yield = {});

} // namespace quorvell::patching
