#include "patching/record_walk.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace quorvell::patching {

namespace {

// The kind byte sits just before the name; a record's examined part is the
// kind byte plus the window.
constexpr std::uint64_t kFirstKindOffset = kFirstNameOffset - 1;
constexpr std::size_t kExamined = 1 + kNameWindow;
constexpr std::size_t kBlockBytes = kRecordsPerBlock * kRecordStride;

bool endsTable(char firstNameByte) {
    return firstNameByte == '\x00' || firstNameByte == '\x01';
}

} // namespace

WalkSummary walkRecords(MapBytes& map, const ReferenceHandler& handler,
                        const std::function<void()>& yield) {
    WalkSummary summary;
    // The first block starts at offset 0 so the signature comes with it.
    std::vector<char> block(kFirstKindOffset + kBlockBytes);
    std::uint64_t blockStart = 0;
    std::size_t got = map.read(0, block.data(), block.size());
    if (got < kMapSignature.size() ||
        std::memcmp(block.data(), kMapSignature.data(), kMapSignature.size()) != 0) {
        return summary;
    }
    summary.signatureFound = true;

    std::size_t record = 0;
    std::uint64_t kindOffset = kFirstKindOffset;
    for (;;) {
        if (yield) {
            yield();
        }
        const bool lastBlock = got < block.size();
        for (std::size_t i = 0; i < kRecordsPerBlock; ++i, ++record, kindOffset += kRecordStride) {
            const std::size_t at = static_cast<std::size_t>(kindOffset - blockStart);
            if (at + kExamined > got) {
                return summary; // the file ends inside this record
            }
            const char* kind = block.data() + at;
            const std::string_view window(kind + 1, kNameWindow);
            if (endsTable(window.front())) {
                return summary;
            }
            if (static_cast<unsigned char>(*kind) != kTextureKind) {
                continue;
            }
            const auto nul = window.find('\0');
            if (nul == std::string_view::npos) {
                continue; // no delimited reference in this field
            }
            ++summary.textureRecords;
            const TextureReference reference{window.substr(0, nul), window, kindOffset + 1, record};
            if (auto bytes = handler(reference)) {
                if (bytes->empty() || bytes->size() > kNameWindow) {
                    throw std::logic_error("a rewrite must lie inside the name window");
                }
                map.write(reference.nameOffset, *bytes);
                ++summary.rewrites;
            }
        }
        if (lastBlock) {
            return summary;
        }
        blockStart = kindOffset;
        block.resize(kBlockBytes);
        got = map.read(blockStart, block.data(), block.size());
    }
}

} // namespace quorvell::patching
