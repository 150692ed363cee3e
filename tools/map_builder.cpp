#include "tools/map_builder.h"

#include <stdexcept>

namespace quorvell::tools {

std::string mapSignature() {
    return std::string(patching::kMapSignature);
}

std::string mapOfTextures(const std::vector<std::string>& references, std::size_t tailBytes) {
    MapBuilder builder;
    for (const auto& reference : references) {
        builder.texture(reference);
    }
    return builder.end().tail(tailBytes).bytes();
}

MapBuilder::MapBuilder() {
    bytes_ = mapSignature();
    bytes_.resize(kFirstName - 1, '\x11'); // opaque header up to the first kind byte
}

void MapBuilder::beginRecord(std::uint8_t kind) {
    // Record k spans [92 + 308k, 92 + 308(k+1)): kind byte, name window, rest.
    const std::size_t start = kFirstName - 1 + kStride * records_;
    bytes_.resize(start, static_cast<char>(fill_));
    bytes_.resize(start + kStride, static_cast<char>(fill_));
    bytes_[start] = static_cast<char>(kind);
    ++records_;
}

MapBuilder& MapBuilder::record(std::uint8_t kind, std::string_view name) {
    if (name.size() >= kWindow) {
        throw std::invalid_argument("name does not fit the window; use rawWindow");
    }
    beginRecord(kind);
    const std::size_t at = nameOffset(records_ - 1);
    for (std::size_t i = 0; i < kWindow; ++i) {
        bytes_[at + i] = i < name.size() ? name[i] : '\0';
    }
    return *this;
}

MapBuilder& MapBuilder::texture(std::string_view name) {
    return record(0x08, name);
}

MapBuilder& MapBuilder::rawWindow(std::uint8_t kind, std::string_view window64) {
    if (window64.size() != kWindow) {
        throw std::invalid_argument("window must be 64 bytes");
    }
    beginRecord(kind);
    bytes_.replace(nameOffset(records_ - 1), kWindow, window64);
    return *this;
}

MapBuilder& MapBuilder::end(std::uint8_t firstByte) {
    beginRecord(0x08);
    const std::size_t at = nameOffset(records_ - 1);
    bytes_[at] = static_cast<char>(firstByte);
    return *this;
}

MapBuilder& MapBuilder::tail(std::size_t count, std::uint8_t fill) {
    bytes_.append(count, static_cast<char>(fill));
    return *this;
}

MapBuilder& MapBuilder::recordFill(std::uint8_t fill) {
    fill_ = fill;
    return *this;
}

} // namespace quorvell::tools
