#pragma once

// What a batch patch would do to one map, worked out without writing: the
// same decisions as patchPresetInMap, counted instead of carried out.

#include "patching/map_file.h"

#include <filesystem>

namespace quorvell::patching {

// referencesChanged: the references the batch would rewrite; notSwitchedOn
// and vanished as patchPresetInMap would report them. Opens the map for
// reading only. Throws IoError.
PatchOutcome countPresetChanges(const std::filesystem::path& mapPath, const BatchIndex& index,
                                const YieldFn& yield = {});

} // namespace quorvell::patching
