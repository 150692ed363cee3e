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

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

constexpr std::string_view kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n\n"
    "#arch=win64\n\n"
    "[Software\\\\Wow6432Node\\\\Ion Storm\\\\Thief - Deadly Shadows] 1700000000\n"
    "#time=1da0b2c3d4e5f60\n"
    "\"ION_ROOT\"=\"C:\\\\Games\\\\Thief\"\n";

std::filesystem::path gameIn(const std::filesystem::path& prefix) {
    return prefix / "drive_c" / "Games" / "Thief";
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
        writeFile(maps_.back(), bytes);
    }
}

SyntheticInstall::~SyntheticInstall() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::uint64_t SyntheticInstall::totalBytes() const {
    return static_cast<std::uint64_t>(maps_.size()) * (tableBytes_ + tailBytes_);
}

SyntheticGame::SyntheticGame(const std::filesystem::path& folder, const InstallShape& shape)
    : folder_(folder) {
    std::filesystem::create_directories(home());
    writeFile(workDir() / "Presets.ini",
              std::string(kAllOn) + "{\r\n*\r\n}\r\n" + kAllOff + "{\r\nxbrick\r\n}\r\n");
    install_ =
        std::make_unique<SyntheticInstall>(gameIn(prefix(true)) / "Content" / "T3" / "Maps", shape);
    for (const bool withMaps : {true, false}) {
        writeFile(prefix(withMaps) / "system.reg", kSystemReg);
        // Every folder start-up lists, so it has nothing to report.
        for (const char* empty :
             {"Content/T3/Maps", "Content/T3/PCTextures/DynamicallyLoaded", "System/Data"}) {
            std::filesystem::create_directories(gameIn(prefix(withMaps)) / empty);
        }
        for (const auto& row : install_->rows()) {
            writeFile(gameIn(prefix(withMaps)) / "Content" / "T3" / "Bitmaps" / row.text, "DDS ");
        }
    }
}

SyntheticGame::~SyntheticGame() {
    install_.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::filesystem::path SyntheticGame::texturesFolder(bool withMaps) const {
    return gameIn(prefix(withMaps)) / "Content" / "T3" / "Bitmaps";
}

} // namespace quorvell::bench
