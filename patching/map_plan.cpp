#include "patching/map_plan.h"

#include "patching/map_io.h"
#include "patching/record_walk.h"
#include "patching/reference_edit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace quorvell::patching {

namespace {

// The rows named in a plan's notSwitchedOn, each once, in the order met; a
// flag per row rather than a search of the list per reference.
class NotSwitchedOn {
public:
    void note(std::vector<std::string>& texts, const TextureRows& rows, std::size_t row) {
        if (noted_.empty()) {
            noted_.resize(rows.size(), false);
        }
        if (!noted_[row]) {
            noted_[row] = true;
            texts.push_back(rows[row].text);
        }
    }

private:
    std::vector<bool> noted_; // sized when the first texture is noted
};

// The new bytes of a name from its first byte on, if the batch changes it.
std::optional<NameBytes> rewriteOf(const BatchIndex& index, const TextureReference& reference,
                                   std::vector<std::string>& notSwitchedOn, NotSwitchedOn& noted) {
    const auto decision = index.decide(reference.text, reference.hash);
    if (!decision) {
        return std::nullopt;
    }
    if (decision->action == BatchIndex::Action::SwitchOff) {
        return switchOffBytes(
            reference.text.substr(0, reference.text.size() - kOverriddenSuffix.size()));
    }
    auto bytes = switchOnBytes(reference.text, reference.window);
    if (!bytes) {
        noted.note(notSwitchedOn, index.rows(), decision->row);
    }
    return bytes;
}

// Only the bytes that differ, from the first to the last of them.
void addEdit(NameEdits& edits, const TextureReference& reference, std::string_view bytes) {
    std::size_t first = 0;
    while (first < bytes.size() && bytes[first] == reference.window[first]) {
        ++first;
    }
    std::size_t end = bytes.size();
    while (end > first && bytes[end - 1] == reference.window[end - 1]) {
        --end;
    }
    if (first == end) {
        return;
    }
    edits.add(reference.nameOffset + first, reference.window.substr(first, end - first),
              bytes.substr(first, end - first));
}

// Edits whose bytes are read and written together: a block of the file no
// larger than the walk's, the writes inside it joined across small gaps.
constexpr std::uint64_t kApplyBlock = kRecordsPerBlock * kRecordStride;

std::size_t nulAt(std::string_view window) {
    const auto at = window.find('\0');
    return at == std::string_view::npos ? window.size() : at;
}

// Where one edit's deciding byte lies (relative to the edit) and whether it
// goes first. A name is whole after every single-byte step when the text
// that gets longer gains its deciding byte (the old NUL) last, and the text
// that gets shorter gains its new NUL first; bytes past the text's end are
// never read as part of it. The edit's bytes are the name's from the edit's
// offset on, so the NUL positions count from there; the name's text before
// the edit is the same in both states.
struct Order {
    std::size_t deciding;
    bool decidingFirst;
};

Order orderOf(const NameEdit edit) {
    const std::size_t before = nulAt(edit.before);
    const std::size_t after = nulAt(edit.after);
    if (after < before) {
        return {after, true}; // shorter: the new NUL first
    }
    if (before < after) {
        return {before, false}; // longer: the old NUL last
    }
    // The text keeps its end; only bytes past it (or a same-length text)
    // change.
    return {0, false};
}

std::uint64_t endOf(const NameEdit edit) {
    return edit.offset + edit.after.size();
}

void checkEdit(const NameEdit edit) {
    if (edit.after.size() != edit.before.size() || edit.after.empty() ||
        edit.after.size() > kNameWindow) {
        throw std::logic_error("a name edit must change 1 to 64 bytes in place");
    }
}

// Writes [from, to) of the buffer (holding [start, ...) of the file) in runs
// joined across gaps of unchanged bytes no wider than kMaxWriteGap.
void writeRuns(MapIo& map, const char* buffer, std::uint64_t start,
               const std::vector<std::pair<std::uint64_t, std::uint64_t>>& spans) {
    std::size_t i = 0;
    while (i < spans.size()) {
        const std::uint64_t from = spans[i].first;
        std::uint64_t to = spans[i].second;
        while (i + 1 < spans.size() && spans[i + 1].first <= to + kMaxWriteGap) {
            ++i;
            to = std::max(to, spans[i].second);
        }
        map.write(from,
                  std::string_view(buffer + (from - start), static_cast<std::size_t>(to - from)));
        ++i;
    }
}

// Aligned like the file (see RecordBlocks): one buffer reused per block.
class BlockBuffer {
public:
    char* place(std::uint64_t fileOffset, std::size_t size) {
        constexpr std::size_t kPage = 4096;
        if (size + 2 * kPage > capacity_) {
            capacity_ = size + 2 * kPage;
            storage_.reset(new char[capacity_]);
        }
        const auto address = reinterpret_cast<std::uintptr_t>(storage_.get());
        const std::size_t toPage = (kPage - address % kPage) % kPage;
        return storage_.get() + toPage + static_cast<std::size_t>(fileOffset % kPage);
    }

private:
    std::unique_ptr<char[]> storage_;
    std::size_t capacity_ = 0;
};

[[noreturn]] void changedSince(const std::filesystem::path& map) {
    throw MapChangedSince(map.string(), "the file changed while it was being patched");
}

} // namespace

MapPlan planMap(const std::filesystem::path& mapPath, const BatchIndex& index,
                const YieldFn& yield) {
    MapPlan plan;
    plan.map = mapPath;
    // Opened for reading only: a plan never written works on maps that are
    // read-only or held by the game.
    MapIo map(mapPath);
    if (map.vanished()) {
        plan.vanished = true;
        return plan;
    }
    plan.length = map.length();
    plan.identity = map.identity();
    plan.hardLinks = map.hardLinks();
    NotSwitchedOn noted;
    walkRecords(
        map,
        [&](const TextureReference& reference) -> std::optional<NameBytes> {
            if (auto bytes = rewriteOf(index, reference, plan.notSwitchedOn, noted)) {
                addEdit(plan.edits, reference, *bytes);
            }
            return std::nullopt;
        },
        yield, [&](const TextureReference& reference) { index.prefetch(reference.hash); });
    return plan;
}

PatchOutcome applyPlan(const MapPlan& plan, const ApplyOptions& options, const YieldFn& yield) {
    PatchOutcome outcome;
    outcome.notSwitchedOn = plan.notSwitchedOn;
    outcome.hardLinks = plan.hardLinks;
    if (plan.vanished || plan.edits.empty()) {
        outcome.vanished = plan.vanished;
        return outcome;
    }
    for (std::size_t i = 0; i < plan.edits.size(); ++i) {
        checkEdit(plan.edits[i]);
        if (i > 0 && plan.edits[i].offset < endOf(plan.edits[i - 1])) {
            throw std::logic_error("name edits must come in file order, never overlapping");
        }
    }
    MapIo map(plan.map);
    if (map.vanished()) {
        outcome.vanished = true;
        return outcome;
    }
    if (map.length() != plan.length || !(map.identity() == plan.identity) ||
        endOf(plan.edits.back()) > plan.length) {
        changedSince(plan.map);
    }
    BlockBuffer buffer;
    const auto blockEnd = [&](std::size_t first) {
        std::size_t last = first;
        while (last + 1 < plan.edits.size() &&
               endOf(plan.edits[last + 1]) - plan.edits[first].offset <= kApplyBlock) {
            ++last;
        }
        return last;
    };
    // Reads the bytes of edits [first, last] into the buffer.
    const auto readBlock = [&](std::size_t first, std::size_t last) {
        const std::uint64_t start = plan.edits[first].offset;
        const auto size = static_cast<std::size_t>(endOf(plan.edits[last]) - start);
        char* bytes = buffer.place(start, size);
        if (map.read(start, bytes, size) != size) {
            changedSince(plan.map);
        }
        return bytes;
    };
    if (options.verifyBefore) {
        for (std::size_t first = 0; first < plan.edits.size();) {
            const std::size_t last = blockEnd(first);
            const char* bytes = readBlock(first, last);
            for (std::size_t i = first; i <= last; ++i) {
                const NameEdit edit = plan.edits[i];
                const char* at = bytes + (edit.offset - plan.edits[first].offset);
                for (std::size_t b = 0; b < edit.before.size(); ++b) {
                    if (at[b] != edit.before[b] && at[b] != edit.after[b]) {
                        changedSince(plan.map);
                    }
                }
            }
            first = last + 1;
        }
    }
    std::vector<std::pair<std::uint64_t, std::uint64_t>> firstSpans;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> secondSpans;
    try {
        for (std::size_t first = 0; first < plan.edits.size();) {
            const std::size_t last = blockEnd(first);
            const std::uint64_t start = plan.edits[first].offset;
            char* bytes = readBlock(first, last);
            // Pass 1: every byte that keeps each name whole on its own (a
            // longer text's bytes past its old NUL, a shorter text's new
            // NUL). Pass 2: the rest (a longer text's deciding byte, a
            // shorter text's bytes past its new NUL).
            firstSpans.clear();
            secondSpans.clear();
            // The order depends on the two strings alone, and an edit's
            // strings are the plan's own (the same ones, not just equal
            // ones, for names changed alike): worked out once per run of
            // names changed alike.
            NameEdit ordered;
            Order order{};
            for (std::size_t i = first; i <= last; ++i) {
                const NameEdit edit = plan.edits[i];
                if (edit.before.data() != ordered.before.data() ||
                    edit.after.data() != ordered.after.data()) {
                    ordered = edit;
                    order = orderOf(edit);
                }
                char* at = bytes + (edit.offset - start);
                const std::size_t size = edit.after.size();
                if (order.decidingFirst) {
                    at[order.deciding] = edit.after[order.deciding];
                    firstSpans.push_back(
                        {edit.offset + order.deciding, edit.offset + order.deciding + 1});
                    if (size > order.deciding + 1) {
                        secondSpans.push_back({edit.offset + order.deciding + 1, endOf(edit)});
                    }
                } else {
                    std::memcpy(at, edit.after.data(), size);
                    at[order.deciding] = edit.before[order.deciding];
                    if (order.deciding > 0 || size > 1) {
                        firstSpans.push_back({edit.offset, endOf(edit)});
                    }
                    secondSpans.push_back(
                        {edit.offset + order.deciding, edit.offset + order.deciding + 1});
                }
            }
            writeRuns(map, bytes, start, firstSpans);
            for (std::size_t i = first; i <= last; ++i) {
                const NameEdit edit = plan.edits[i];
                std::memcpy(bytes + (edit.offset - start), edit.after.data(), edit.after.size());
            }
            writeRuns(map, bytes, start, secondSpans);
            outcome.referencesChanged += last + 1 - first;
            first = last + 1;
            if (yield) {
                yield();
            }
        }
    } catch (const MapVanished&) {
        // Removed before anything was written: skipped like a map gone at
        // the opening, never created again.
        return PatchOutcome{0, plan.notSwitchedOn, true, plan.hardLinks};
    }
    map.close();
    const auto now = currentIdentity(plan.map);
    if (!now || !(*now == plan.identity)) {
        throw IoError(plan.map.string(), "the map was replaced while it was being patched");
    }
    return outcome;
}

MapPlan reversed(MapPlan plan) {
    plan.edits.swapSides();
    plan.notSwitchedOn.clear();
    return plan;
}

} // namespace quorvell::patching
