#include "bench/synthetic_install.h"

#include "patching/record_walk.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace quorvell::bench {

namespace {

std::string numbered(const char* prefix, std::size_t n) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%05zu", prefix, n);
    return buffer;
}

void putName(std::string& bytes, std::uint64_t at, const std::string& name) {
    bytes.replace(at, name.size(), name);
}

} // namespace

SyntheticInstall::SyntheticInstall(std::filesystem::path folder, const InstallShape& shape)
    : folder_(std::move(folder)), tailBytes_(shape.tailBytes) {
    using patching::kFirstNameOffset;
    using patching::kRecordStride;
    std::filesystem::create_directories(folder_);
    for (std::size_t t = 0; t < shape.customTextures; ++t) {
        rows_.push_back({numbered("Custom_", t) + ".dds", false});
    }
    const std::size_t records = shape.recordsPerMap;
    tableBytes_ = kFirstNameOffset + kRecordStride * records + patching::kNameWindow;

    std::string bytes(tableBytes_ + tailBytes_, '\xCD');
    bytes.replace(0, patching::kMapSignature.size(), patching::kMapSignature);
    customOffsets_.resize(shape.maps);
    for (std::size_t m = 0; m < shape.maps; ++m) {
        auto& offsets = customOffsets_[m];
        for (std::size_t k = 0; k <= records; ++k) {
            const std::uint64_t name = kFirstNameOffset + kRecordStride * k;
            bytes.replace(name, patching::kNameWindow, patching::kNameWindow, '\0');
            if (k == records) {
                break; // end of table: first name byte 0x00
            }
            // Even records: custom textures, each once per map, in a different
            // order per map. Odd records: original textures and other kinds.
            bytes[name - 1] = k % 10 == 9 ? '\x02' : '\x08';
            if (k % 2 == 0 && k / 2 < shape.customTextures) {
                putName(bytes, name, numbered("Custom_", (k / 2 + m * 7) % shape.customTextures));
                offsets.push_back(name);
            } else {
                putName(bytes, name, numbered("Orig_", k));
            }
        }
        maps_.push_back(folder_ / ("map" + std::to_string(m) + ".ibt"));
        std::ofstream out(maps_.back(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + maps_.back().string());
        }
    }
}

SyntheticInstall::~SyntheticInstall() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::uint64_t SyntheticInstall::totalBytes() const {
    return static_cast<std::uint64_t>(maps_.size()) * (tableBytes_ + tailBytes_);
}

} // namespace quorvell::bench
