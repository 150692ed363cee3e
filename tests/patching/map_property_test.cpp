// Random maps, random rows, random operations: every operation must do what
// a plain record-by-record model of the rules does, never change a file's
// length, and never touch a byte outside the name window of a texture record.

#include "patching/map_file.h"
#include "patching/map_plan.h"
#include "tests/support/map_builder.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace quorvell::patching {
namespace {

using testing::MapBuilder;
using testing::readFile;
using testing::TempDir;

constexpr std::string_view kSuffix = "__overridden";
constexpr std::size_t kFirstKind = 92;
constexpr std::size_t kStride = 308;

const std::vector<std::string> kBases = {
    "A", "Wall_a", "wall_a", "A__overridden", "M\xFC", std::string(51, 'L'), std::string(52, 'L'),
};
// Rows as the texture list holds them (UTF-8), including some that match nothing.
const std::vector<std::string> kRowTexts = {
    "A.dds",
    "Wall_a.dds",
    "Wall_a.DDS",
    "A__overridden.dds",
    "M\xC3\xBC.dds",
    std::string(51, 'L') + ".dds",
    std::string(52, 'L') + ".dds",
    "\xE4\xB8\xAD.dds",
    ".dds",
};

// Name windows that the walk examines as texture records: kind 0x08, whole
// window in the file, before the end of the table, holding a NUL.
std::vector<std::size_t> textureWindows(const std::string& bytes) {
    std::vector<std::size_t> windows;
    if (bytes.compare(0, 6, testing::mapSignature()) != 0) {
        return windows;
    }
    for (std::size_t kind = kFirstKind; kind + 65 <= bytes.size(); kind += kStride) {
        const std::string_view window(bytes.data() + kind + 1, 64);
        if (window[0] == '\0' || window[0] == '\x01') {
            break;
        }
        if (bytes[kind] == '\x08' && window.find('\0') != std::string_view::npos) {
            windows.push_back(kind + 1);
        }
    }
    return windows;
}

std::string referenceAt(const std::string& bytes, std::size_t at) {
    const std::string_view window(bytes.data() + at, 64);
    return std::string(window.substr(0, window.find('\0')));
}

// The rewrite rules, spelled out once more independently of the engine.
void modelSwitchOn(std::string& bytes, std::size_t at, const std::string& base) {
    if (base.size() > 51) {
        return;
    }
    const std::string on = base + std::string(kSuffix);
    bytes.replace(at, on.size(), on);
    if (bytes[at + on.size()] != '\0') {
        bytes[at + on.size()] = '\0';
    }
}

void modelSwitchOff(std::string& bytes, std::size_t at, const std::string& base) {
    bytes.replace(at, base.size() + kSuffix.size(), base + std::string(kSuffix.size(), '\0'));
}

void modelToggle(std::string& bytes, const std::string& rowText, bool on) {
    const auto base = ansiBaseNameOf(rowText);
    for (const auto at : textureWindows(bytes)) {
        const auto r = referenceAt(bytes, at);
        if (base && on && r == *base) {
            modelSwitchOn(bytes, at, *base);
        } else if (base && !on && r == *base + std::string(kSuffix)) {
            modelSwitchOff(bytes, at, *base);
        }
    }
}

std::vector<std::optional<std::string>> basesOf(const TextureRows& rows) {
    std::vector<std::optional<std::string>> bases;
    for (const auto& row : rows) {
        bases.push_back(ansiBaseNameOf(row.text));
    }
    return bases;
}

void modelBatch(std::string& bytes, const TextureRows& rows) {
    const auto bases = basesOf(rows);
    for (const auto at : textureWindows(bytes)) {
        const auto r = referenceAt(bytes, at);
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const auto& base = bases[j];
            if (!base) {
                continue;
            }
            if (r == *base && rows[j].checked) {
                modelSwitchOn(bytes, at, *base);
                break;
            }
            if (r == *base + std::string(kSuffix) && !rows[j].checked) {
                modelSwitchOff(bytes, at, *base);
                break;
            }
        }
    }
}

std::set<std::size_t> modelScan(const std::string& bytes, const TextureRows& rows,
                                std::vector<std::string>& list1) {
    std::set<std::size_t> marked;
    const auto bases = basesOf(rows);
    for (const auto at : textureWindows(bytes)) {
        const auto r = referenceAt(bytes, at);
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const auto& base = bases[j];
            if (!base || (r != *base && r != *base + std::string(kSuffix))) {
                continue;
            }
            if (std::find(list1.begin(), list1.end(), r) == list1.end()) {
                list1.push_back(r);
                if (r.find(kSuffix) != std::string::npos) {
                    marked.insert(j);
                }
            }
            break;
        }
    }
    return marked;
}

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    char byte() { return static_cast<char>(below(256)); }

private:
    std::mt19937 engine_;
};

std::string randomReference(Random& random) {
    std::string r = kBases[random.below(kBases.size())];
    const auto suffixes = random.below(4);
    for (std::size_t i = 0; i < suffixes && i < 2; ++i) {
        r += kSuffix;
    }
    return r.substr(0, 63);
}

// A map of random records; padded keeps every name field NUL-padded. One in
// ten is large, spans blocks and mostly refers to no listed texture, so the
// batch writes both runs of nearby names and names far apart.
std::string randomMap(Random& random, bool padded) {
    MapBuilder builder;
    builder.recordFill(static_cast<std::uint8_t>(random.below(256)));
    const bool large = random.chance(0.1);
    const std::size_t records = large ? 200 + random.below(2000) : random.below(40);
    for (std::size_t k = 0; k < records; ++k) {
        const auto roll = random.below(20);
        if (large && random.chance(0.95)) {
            builder.texture("Rock");
        } else if (roll == 0 && !padded) {
            std::string window(64, 'Q');
            window[0] = 'R';
            builder.rawWindow(0x08, window); // no NUL: skipped
        } else if (roll == 1) {
            builder.record(static_cast<std::uint8_t>(random.below(8)), randomReference(random));
        } else {
            const auto reference = randomReference(random);
            if (padded || random.chance(0.5)) {
                builder.texture(reference);
            } else {
                std::string window = reference + '\0';
                while (window.size() < 64) {
                    window += random.chance(0.5) ? '\0' : random.byte();
                }
                builder.rawWindow(0x08, window);
            }
        }
    }
    if (random.chance(0.7)) {
        builder.end(random.chance(0.5) ? 0x00 : 0x01);
        for (std::size_t k = random.below(3); k > 0; --k) {
            builder.texture(randomReference(random)); // after the end: never touched
        }
    }
    auto bytes =
        builder.tail(random.below(700), static_cast<std::uint8_t>(random.below(256))).bytes();
    if (!padded && random.chance(0.3) && bytes.size() > 1) {
        bytes.resize(1 + random.below(bytes.size() - 1)); // ends anywhere, even mid-window
    }
    return bytes;
}

TextureRows randomRows(Random& random) {
    TextureRows rows(random.below(7));
    for (auto& row : rows) {
        row.text = kRowTexts[random.below(kRowTexts.size())];
        row.checked = random.chance(0.5);
    }
    return rows;
}

void expectOnlyWindowsChanged(const std::string& before, const std::string& after) {
    ASSERT_EQ(after.size(), before.size());
    // Put the windows back as they were; what is left must be identical.
    auto outside = after;
    for (const auto at : textureWindows(before)) {
        outside.replace(at, 64, before, at, 64);
    }
    const auto diff = std::mismatch(outside.begin(), outside.end(), before.begin());
    ASSERT_TRUE(diff.first == outside.end())
        << "byte " << (diff.first - outside.begin()) << " outside a name window changed";
}

TEST(MapProperty, OperationsFollowTheModelAndStayInsideNameWindows) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Random random(seed);
        auto expected = randomMap(random, false);
        // A new file each time: rewriting one with O_TRUNC makes ext4 flush it.
        const auto path = dir.write("m" + std::to_string(seed) + ".ibt", expected);
        for (int step = 0; step < 12; ++step) {
            const auto before = expected;
            const auto rows = randomRows(random);
            switch (random.below(3)) {
            case 0: {
                std::vector<std::string> modelList1;
                const auto wanted = modelScan(expected, rows, modelList1);
                ReferenceSet list1;
                const auto marked = scanMap(path, ScanIndex(rows), list1);
                EXPECT_EQ(std::set<std::size_t>(marked.begin(), marked.end()), wanted);
                EXPECT_EQ(marked.size(), wanted.size());
                EXPECT_EQ(list1, ReferenceSet(modelList1.begin(), modelList1.end()));
                break;
            }
            case 1: {
                const auto& text = kRowTexts[random.below(kRowTexts.size())];
                const bool on = random.below(2) == 0;
                switchTextureInMap(path, ToggleTarget(text, on));
                modelToggle(expected, text, on);
                break;
            }
            default:
                patchPresetInMap(path, BatchIndex(rows));
                modelBatch(expected, rows);
                break;
            }
            const auto actual = readFile(path);
            expectOnlyWindowsChanged(before, actual);
            ASSERT_EQ(actual, expected) << "step " << step;
        }
    }
}

TEST(MapProperty, ToggleOnAndOffRestoresNulPaddedMapsExactly) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Random random(seed);
        const auto found = randomMap(random, true);
        const auto path = dir.write("m" + std::to_string(seed) + ".ibt", found);
        const auto& text = kRowTexts[random.below(kRowTexts.size())];
        // On and off again is off alone: plain references switched on come
        // back byte for byte.
        auto expected = found;
        modelToggle(expected, text, false);
        switchTextureInMap(path, ToggleTarget(text, true));
        switchTextureInMap(path, ToggleTarget(text, false));
        ASSERT_EQ(readFile(path), expected) << text;
    }
}

// The toggle is a one-row batch, the dry run counts the references the batch
// changes, and the plan with before and after swapped undoes it exactly.
TEST(MapProperty, ToggleDryRunAndUndoAgreeWithTheBatch) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Random random(seed);
        const auto found = randomMap(random, false);
        const auto& text = kRowTexts[random.below(kRowTexts.size())];
        const bool on = random.below(2) == 0;
        const auto toggled = dir.write("t" + std::to_string(seed) + ".ibt", found);
        const auto batched = dir.write("b" + std::to_string(seed) + ".ibt", found);
        const TextureRows rows =
            random.below(2) == 0 ? TextureRows{{text, on}} : randomRows(random);
        const BatchIndex index(rows);

        const std::size_t counted = countPresetChanges(batched, index).referencesChanged;
        const MapPlan plan = planMap(batched, index);
        applyPlan(plan);
        const auto after = readFile(batched);
        std::size_t changed = 0;
        for (const std::size_t at : textureWindows(found)) {
            changed += found.compare(at, 64, after, at, 64) != 0 ? 1 : 0;
        }
        EXPECT_EQ(counted, changed);
        applyPlan(reversed(plan), {.verifyBefore = true});
        ASSERT_EQ(readFile(batched), found);

        switchTextureInMap(toggled, ToggleTarget(text, on));
        patchPresetInMap(batched, BatchIndex({{text, on}}));
        ASSERT_EQ(readFile(toggled), readFile(batched)) << text;
    }
}

} // namespace
} // namespace quorvell::patching
