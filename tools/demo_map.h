#pragma once

#include "patching/record_walk.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes the bytes of a small synthetic IBT map for the demo install: the
// signature, an opaque header, a texture table and an opaque tail. Only the
// parts the tool reads are meaningful; the rest is filler.
namespace quorvell::tools {

using patching::kTextureKind;

struct DemoRecord {
    std::uint8_t kind = kTextureKind;
    std::string name; // at most 63 bytes, NUL padded to the window
};

// The table ends with an end record (first name byte 0x00) and is followed by
// tailBytes of opaque data.
std::string demoMapBytes(const std::vector<DemoRecord>& records, std::size_t tailBytes = 200);

} // namespace quorvell::tools
