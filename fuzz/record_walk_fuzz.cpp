// Arbitrary bytes as a map: the walk must not crash, must hand over only
// delimited references inside their windows, and the rewrites it makes must
// keep the length and leave every byte outside the name windows alone.

#include "patching/map_file.h"
#include "patching/memory_map_bytes.h"
#include "patching/record_walk.h"
#include "patching/reference_edit.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace quorvell::patching;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const BatchIndex& batch() {
    static const BatchIndex index({{"A.dds", true},
                                   {"A.dds", false},
                                   {"Wall_a.dds", false},
                                   {"A__overridden.dds", true},
                                   {std::string(51, 'L') + ".dds", true},
                                   {std::string(52, 'L') + ".dds", true}});
    return index;
}

// Flips every reference it can: the toggle's rule applied to all names.
std::optional<NameBytes> flip(const TextureReference& r) {
    const auto suffix = r.text.size() >= kOverriddenSuffix.size()
                            ? r.text.substr(r.text.size() - kOverriddenSuffix.size())
                            : std::string_view();
    if (suffix == kOverriddenSuffix && r.text.size() > suffix.size()) {
        return switchOffBytes(r.text.substr(0, r.text.size() - suffix.size()));
    }
    return switchOnBytes(r.text, r.window);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    const bool useBatch = size > 0 && (data[size - 1] & 1) != 0;
    // Blocks of a few records, so small inputs cross block boundaries too.
    const std::size_t recordsPerBlock =
        size > 1 && (data[size - 1] & 2) != 0 ? 1 + data[size - 2] % 5 : kRecordsPerBlock;
    MemoryMapBytes map(original);
    std::vector<std::uint64_t> windows;
    walkRecordsInBlocks(
        map, recordsPerBlock, [&](const TextureReference& r) -> std::optional<NameBytes> {
            check(r.window.size() == kNameWindow);
            check(r.nameOffset + kNameWindow <= size);
            check(r.nameOffset == kFirstNameOffset + kRecordStride * r.record);
            check(r.text.find('\0') == std::string_view::npos);
            check(r.window.substr(0, r.text.size()) == r.text && r.window[r.text.size()] == '\0');
            check(!r.text.empty() && r.text[0] != '\x01');
            check(r.hash == hashReference(r.text));
            windows.push_back(r.nameOffset);
            if (!useBatch) {
                return flip(r);
            }
            const auto decision = batch().decide(r.text);
            if (!decision) {
                return std::nullopt;
            }
            if (decision->action == BatchIndex::Action::SwitchOn) {
                return switchOnBytes(r.text, r.window);
            }
            return switchOffBytes(r.text.substr(0, r.text.size() - kOverriddenSuffix.size()));
        });
    std::string outside = map.bytes();
    check(outside.size() == size);
    for (const auto at : windows) {
        outside.replace(at, kNameWindow, original, at, kNameWindow);
    }
    check(outside == original);
    return 0;
}
