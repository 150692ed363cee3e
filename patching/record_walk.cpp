#include "patching/record_walk.h"

#include "patching/name_table.h"

#include <cstring>
#include <stdexcept>

namespace quorvell::patching {

namespace {

// The kind byte sits just before the name; a record's examined part is the
// kind byte plus the window.
constexpr std::uint64_t kFirstKindOffset = kFirstNameOffset - 1;
constexpr std::size_t kExamined = 1 + kNameWindow;

bool endsTable(char firstNameByte) {
    return firstNameByte == '\x00' || firstNameByte == '\x01';
}

} // namespace

RecordBlocks::RecordBlocks(MapBytes& map, std::size_t recordsPerBlock)
    : map_(map), recordsPerBlock_(recordsPerBlock > 0 ? recordsPerBlock : 1),
      blockSize_(kFirstKindOffset + recordsPerBlock_ * kRecordStride) {
    block_.reset(new char[blockSize_]);
    references_.reset(new TextureReference[recordsPerBlock_]);
    // The first block starts at offset 0 so the signature comes with it.
    got_ = map_.read(0, block_.get(), blockSize_);
    signatureFound_ = got_ >= kMapSignature.size() &&
                      std::memcmp(block_.get(), kMapSignature.data(), kMapSignature.size()) == 0;
    finished_ = !signatureFound_;
}

bool RecordBlocks::next() {
    count_ = 0;
    if (finished_) {
        return false;
    }
    if (!firstBlock_) {
        firstRecord_ += recordsPerBlock_;
        blockStart_ = kFirstKindOffset + kRecordStride * firstRecord_;
        blockSize_ = recordsPerBlock_ * kRecordStride;
        got_ = map_.read(blockStart_, block_.get(), blockSize_);
    }
    firstBlock_ = false;
    // A short block means the file ends inside it.
    finished_ = got_ < blockSize_;

    std::uint64_t kindOffset = kFirstKindOffset + kRecordStride * firstRecord_;
    std::size_t record = firstRecord_;
    for (std::size_t i = 0; i < recordsPerBlock_; ++i, ++record, kindOffset += kRecordStride) {
        const std::size_t at = static_cast<std::size_t>(kindOffset - blockStart_);
        if (at + kExamined > got_) {
            finished_ = true; // the file ends inside this record
            break;
        }
        const char* kind = block_.get() + at;
        const char* window = kind + 1;
        if (endsTable(*window)) {
            finished_ = true;
            break;
        }
        if (static_cast<unsigned char>(*kind) != kTextureKind) {
            continue;
        }
        const auto text = windowText(window);
        if (!text) {
            continue; // no delimited reference in this field
        }
        TextureReference& out = references_[count_++];
        out.text = std::string_view(window, text->length);
        out.window = std::string_view(window, kNameWindow);
        out.nameOffset = kindOffset + 1;
        out.record = record;
        out.hash = text->hash;
    }
    return true;
}

void checkRewrite(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > kNameWindow) {
        throw std::logic_error("a rewrite must lie inside the name window");
    }
}

} // namespace quorvell::patching
