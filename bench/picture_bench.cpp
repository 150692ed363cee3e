// Pictures of textures (see bench/README.md): the bytes the reader reads and
// its time against a plain read and squish::DecompressImage of the same
// level, for one 2048 × 2048 DXT5 and for 2,000 of them one after another;
// then the longest wait of the window's event loop while the current row and
// its tooltip move through 2,000 rows with the preview open.

#include "app/list_filter.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/texture_pictures.h"
#include "bench/figures.h"
#include "bench/loop_probe.h"
#include "bench/synthetic_install.h"
#include "bench/window_cases.h"
#include "resources/resources.h"
#include "textures/picture.h"
#include "tools/dds_file.h"

#include <QtGui/QHelpEvent>
#include <QtWidgets/QApplication>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <squish.h>
#include <unistd.h>

namespace quorvell::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kSide = 128;
constexpr int kTextures = 2000;

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A 2048 × 2048 DXT5 of 12 levels, sparse: the header and the 128-px level
// hold bytes, the rest is a hole.
struct BigTexture {
    std::string header;
    textures::TextureInfo info;
    std::uint32_t level = 4; // 2048 >> 4 = 128
    std::string levelBytes;

    BigTexture() {
        const std::string whole = tools::ddsFile(tools::DdsFormat::Dxt5, 2048, 2048, 12, {});
        header = whole.substr(0, textures::kHeaderBytes);
        info =
            *textures::parseHeader(
                 {reinterpret_cast<const std::uint8_t*>(whole.data()), whole.size()}, whole.size())
                 .info;
        std::mt19937 random(7);
        levelBytes.resize(static_cast<std::size_t>(info.levelBytes(level)));
        for (char& c : levelBytes) {
            c = static_cast<char>(random());
        }
    }
    void write(const std::filesystem::path& file) const {
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out << header;
            out.seekp(static_cast<std::streamoff>(info.levelOffset(level)));
            out << levelBytes;
        }
        std::filesystem::resize_file(file, info.levelOffset(info.mipLevels));
    }
    // The plain way: open, one read of the level, close, decompress.
    void plain(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes,
               std::vector<std::uint8_t>& rgba) const {
        const int fd = ::open(file.c_str(), O_RDONLY);
        const auto got =
            ::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(info.levelOffset(level)));
        ::close(fd);
        if (got != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("short read of " + file.string());
        }
        squish::DecompressImage(rgba.data(), kSide, kSide, bytes.data(), squish::kDxt5);
    }
};

void readerCases(const BigTexture& big, const std::filesystem::path& folder, int repetitions) {
    const auto one = folder / "one.dds";
    big.write(one);
    textures::FileSource source(one);
    const auto reading = textures::readPicture(source, kSide);
    if (!reading.picture) {
        throw std::runtime_error("no picture: " + reading.problem);
    }
    const std::uint64_t limit = textures::kHeaderBytes + big.levelBytes.size() + 4096;
    std::printf("One 2048 x 2048 DXT5, 12 levels:\n  bytes read %llu, target at most %llu "
                "(header + 128-px level + one page): %s\n",
                static_cast<unsigned long long>(source.bytesRead()),
                static_cast<unsigned long long>(limit),
                source.bytesRead() <= limit ? "met" : "MISSED");

    std::vector<std::uint8_t> bytes(big.levelBytes.begin(), big.levelBytes.end());
    std::vector<std::uint8_t> rgba(std::size_t{kSide} * kSide * 4);
    std::vector<double> ratios;
    for (int r = 0; r < repetitions; ++r) {
        auto start = Clock::now();
        for (int i = 0; i < 50; ++i) {
            squish::DecompressImage(rgba.data(), kSide, kSide, bytes.data(), squish::kDxt5);
        }
        const double plain = since(start);
        start = Clock::now();
        for (int i = 0; i < 50; ++i) {
            (void)textures::readPicture(one, kSide);
        }
        ratios.push_back(since(start) / plain);
    }
    const Spread one50 = spreadOf(ratios);
    std::printf("  picture / plain DecompressImage %.2f (%.2f to %.2f), target at most 2: %s\n",
                one50.median, one50.low, one50.high, one50.median <= 2 ? "met" : "MISSED");

    std::vector<std::filesystem::path> files;
    for (int i = 0; i < kTextures; ++i) {
        files.push_back(folder / ("t" + std::to_string(i) + ".dds"));
        big.write(files.back());
    }
    ratios.clear();
    for (int r = 0; r < repetitions; ++r) {
        auto start = Clock::now();
        for (const auto& file : files) {
            big.plain(file, bytes, rgba);
        }
        const double plain = since(start);
        start = Clock::now();
        for (const auto& file : files) {
            (void)textures::readPicture(file, kSide);
        }
        ratios.push_back(since(start) / plain);
    }
    const Spread all = spreadOf(ratios);
    std::printf("%d such pictures one after another:\n  total / (plain reads + "
                "DecompressImage) %.2f (%.2f to %.2f), target at most 1.5: %s\n",
                kTextures, all.median, all.low, all.high, all.median <= 1.5 ? "met" : "MISSED");
}

void windowCase(const BigTexture& big, const std::filesystem::path& folder, int repetitions) {
    InstallShape shape;
    shape.maps = 2;
    shape.recordsPerMap = 2 * kTextures + 10;
    shape.tailBytes = 4096;
    shape.customTextures = kTextures;
    const SyntheticGame game(folder / "game", shape);
    for (const auto& row : game.install().rows()) {
        big.write(game.texturesFolder(true) / row.text);
    }
    const std::unique_ptr<app::Form1> window = startedWindow(game);
    app::Form1& form = *window;
    app::TextureList* list = form.List2;
    if (list->count() != kTextures) {
        throw std::runtime_error("the window did not list the textures");
    }
    LoopProbe probe;
    std::vector<double> gaps;
    for (int r = 0; r < repetitions; ++r) {
        list->setCurrentRow(0);
        form.texturePreview()->open();
        gaps.push_back(probe.longestGapDuring([&] {
            for (int row = 0; row < list->count(); ++row) {
                list->setCurrentRow(row);
                list->scrollToItem(list->item(row));
                const QPoint at = list->visualItemRect(list->item(row)).center();
                QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
                QApplication::sendEvent(list->viewport(), &help);
                QCoreApplication::processEvents();
            }
        }));
        form.texturePreview()->hide();
        form.rowTooltips()->pictures()->waitForDone();
        QCoreApplication::processEvents();
    }
    // Filtering the 2,000 rows a keystroke at a time, then back to none.
    std::vector<double> filterGaps;
    app::ListFilter* filter = form.listFilter();
    const QString typed = QStringLiteral("custom_01.dds");
    for (int r = 0; r < repetitions; ++r) {
        filterGaps.push_back(probe.longestGapDuring([&] {
            for (qsizetype n = 1; n <= typed.size(); ++n) {
                filter->setText(typed.left(n));
                QCoreApplication::processEvents();
            }
            for (qsizetype n = typed.size(); n >= 0; --n) {
                filter->setText(typed.left(n));
                QCoreApplication::processEvents();
            }
        }));
        filter->close();
    }
    const Spread filtering = spreadOf(filterGaps);
    const Spread gap = spreadOf(gaps);
    std::printf("The window, %d rows with their tooltips and the preview open (first pass "
                "decodes, later ones find the cache):\n  longest event-loop wait %.1f ms (%.1f "
                "to %.1f), target 20 ms: %s\n",
                kTextures, gap.median * 1e3, gap.low * 1e3, gap.high * 1e3,
                gap.median * 1e3 <= 20 ? "met" : "MISSED");
    std::printf("The filter typed into a key at a time over the %d rows, then cleared:\n  longest "
                "event-loop wait %.1f ms (%.1f to %.1f), target 20 ms: %s\n",
                kTextures, filtering.median * 1e3, filtering.low * 1e3, filtering.high * 1e3,
                filtering.median * 1e3 <= 20 ? "met" : "MISSED");
}

} // namespace
} // namespace quorvell::bench

int main(int argc, char** argv) {
    using namespace quorvell;
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    resources::init();
    app::MessageBoxes::setRecording(true);
    const char* dir = std::getenv("QUORVELL_BENCH_DIR");
    const auto folder =
        (dir && *dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) /
        ("quorvell-picture-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    int status = 0;
    try {
        const bench::BigTexture big;
        bench::readerCases(big, folder, repetitions);
        bench::windowCase(big, folder, repetitions);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvell_picture_bench: %s\n", e.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    return status;
}
