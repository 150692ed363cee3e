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

constexpr std::size_t kPage = 4096;

bool endsTable(char firstNameByte) {
    return firstNameByte == '\x00' || firstNameByte == '\x01';
}

} // namespace

RecordBlocks::RecordBlocks(MapBytes& map, std::size_t recordsPerBlock)
    : map_(map), recordsPerBlock_(recordsPerBlock > 0 ? recordsPerBlock : 1),
      blockSize_(kFirstKindOffset + recordsPerBlock_ * kRecordStride) {
    // Room for a block at any place within a page, and for a page's start.
    storage_.reset(new char[blockSize_ + 2 * kPage]);
    references_.reset(new TextureReference[recordsPerBlock_]);
    // The first block starts at offset 0 so the signature comes with it.
    placeBlock(0);
    got_ = map_.read(0, block_, blockSize_);
    signatureFound_ = got_ >= kMapSignature.size() &&
                      std::memcmp(block_, kMapSignature.data(), kMapSignature.size()) == 0;
    finished_ = !signatureFound_;
}

void RecordBlocks::placeBlock(std::uint64_t fileOffset) {
    const auto address = reinterpret_cast<std::uintptr_t>(storage_.get());
    const std::size_t toPage = (kPage - address % kPage) % kPage;
    block_ = storage_.get() + toPage + static_cast<std::size_t>(fileOffset % kPage);
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
        placeBlock(blockStart_);
        got_ = map_.read(blockStart_, block_, blockSize_);
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
        const char* kind = block_ + at;
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

void checkRewrite(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > kNameWindow) {
        throw std::logic_error("a rewrite must lie inside the name window");
    }
}

void BlockWrites::add(RecordBlocks& blocks, std::uint64_t nameOffset, std::string_view bytes) {
    if (nameOffset < blocks.offset() ||
        nameOffset + bytes.size() > blocks.offset() + blocks.size()) {
        throw std::logic_error("a rewrite must lie inside the block read");
    }
    char* at = blocks.bytes() + (nameOffset - blocks.offset());
    edits_.push_back({nameOffset, bytes.size(), originals_.size()});
    originals_.append(at, bytes.size());
    std::memcpy(at, bytes.data(), bytes.size());
}

void BlockWrites::write(MapBytes& map, const RecordBlocks& blocks) {
    // Edits come in file order, one per record, so they never overlap.
    std::size_t first = 0;
    while (first < edits_.size()) {
        std::size_t last = first;
        std::uint64_t end = edits_[first].offset + edits_[first].size;
        while (last + 1 < edits_.size() && edits_[last + 1].offset <= end + kMaxWriteGap) {
            ++last;
            end = edits_[last].offset + edits_[last].size;
        }
        const std::uint64_t start = edits_[first].offset;
        const char* bytes = blocks.bytes() + (start - blocks.offset());
        try {
            map.write(start, std::string_view(bytes, static_cast<std::size_t>(end - start)));
        } catch (const WriteStopped& stopped) {
            restoreCut(map, first, last, start + stopped.written());
            throw;
        }
        first = last + 1;
    }
    edits_.clear();
    originals_.clear();
}

void BlockWrites::restoreCut(MapBytes& map, std::size_t first, std::size_t last,
                             std::uint64_t cut) const {
    for (std::size_t i = first; i <= last; ++i) {
        const Edit& edit = edits_[i];
        if (edit.offset < cut && cut < edit.offset + edit.size) {
            try {
                map.write(edit.offset,
                          std::string_view(originals_.data() + edit.original,
                                           static_cast<std::size_t>(cut - edit.offset)));
            } catch (...) {
                // The failure that stopped the write is the one reported.
            }
            return;
        }
    }
}

} // namespace quorvell::patching
