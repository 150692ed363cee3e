#include "tools/demo_map.h"

#include <stdexcept>

namespace quorvell::tools {

namespace {

constexpr std::string_view kSignature{"\x01\x00\x00\xC0\x00\x08", 6};
constexpr std::size_t kFirstKind = 92; // the kind byte sits just before the name
constexpr std::size_t kStride = 308;
constexpr std::size_t kWindow = 64;

// Filler that is neither NUL nor a kind byte, so it can never pass for a name
// or an end marker.
constexpr char kHeaderFill = '\x11';
constexpr char kRecordFill = '\xCD';
constexpr char kTailFill = '\xAB';

void appendRecord(std::string& bytes, std::uint8_t kind, std::string_view name) {
    if (name.size() >= kWindow) {
        throw std::invalid_argument("demo map name too long: " + std::string(name));
    }
    const std::size_t start = bytes.size();
    bytes.append(kStride, kRecordFill);
    bytes[start] = static_cast<char>(kind);
    for (std::size_t i = 0; i < kWindow; ++i) {
        bytes[start + 1 + i] = i < name.size() ? name[i] : '\0';
    }
}

} // namespace

std::string demoMapBytes(const std::vector<DemoRecord>& records, std::size_t tailBytes) {
    std::string bytes(kSignature);
    bytes.resize(kFirstKind, kHeaderFill);
    for (const auto& record : records) {
        if (record.name.empty()) {
            throw std::invalid_argument("an empty name would end the demo map's table");
        }
        appendRecord(bytes, record.kind, record.name);
    }
    appendRecord(bytes, kTextureKind, {});
    bytes.append(tailBytes, kTailFill);
    return bytes;
}

} // namespace quorvell::tools
