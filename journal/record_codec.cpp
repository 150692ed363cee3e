#include "journal/record_codec.h"

#include "base/path_text.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>
#if QUORVELL_HAVE_ZLIB
#include <zlib.h>
#endif

namespace quorvell::journal {

namespace {

constexpr std::size_t kHeader = 2 + 1 + 4 + 4 + 4;

void putU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint32_t getU32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::uint32_t crcOf(std::string_view bytes, std::uint32_t start = 0) {
#if QUORVELL_HAVE_ZLIB
    uLong crc = start;
    while (!bytes.empty()) {
        const uInt chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<uInt>(bytes.size());
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), chunk);
        bytes.remove_prefix(chunk);
    }
    return static_cast<std::uint32_t>(crc);
#else
    // The same CRC-32 as zlib's, for a build without it.
    std::uint32_t crc = ~start;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
#endif
}

class Writer {
public:
    void number(std::uint64_t value) {
        while (value >= 0x80) {
            out_.push_back(static_cast<char>((value & 0x7F) | 0x80));
            value >>= 7;
        }
        out_.push_back(static_cast<char>(value));
    }
    void text(std::string_view value) {
        number(value.size());
        out_.append(value);
    }
    void raw(std::string_view value) { out_.append(value); }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t number() {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (bytes_.empty()) {
                break;
            }
            const auto byte = static_cast<unsigned char>(bytes_.front());
            bytes_.remove_prefix(1);
            value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        throw std::runtime_error("journal record cut short");
    }
    // A number of entries that follow, each at least a byte long: never more
    // than the bytes left, so a damaged record cannot ask for a huge vector.
    std::uint64_t count() {
        const std::uint64_t value = number();
        if (value > bytes_.size()) {
            throw std::runtime_error("journal record cut short");
        }
        return value;
    }
    std::string_view raw(std::uint64_t length) {
        if (length > bytes_.size()) {
            throw std::runtime_error("journal record cut short");
        }
        const std::string_view out = bytes_.substr(0, static_cast<std::size_t>(length));
        bytes_.remove_prefix(static_cast<std::size_t>(length));
        return out;
    }
    std::string text() { return std::string(raw(number())); }

private:
    std::string_view bytes_;
};

// Distinct byte strings, each stored once: the names of a run change in a
// few ways only ("\0" followed by what the window held to "__overridden\0"
// and back), so a name costs its offset and two small numbers, and hundreds
// of thousands of them encode and compress in a few milliseconds.
class StringTable {
public:
    std::uint64_t index(std::string_view bytes) {
        for (const std::uint64_t recent : recent_) {
            if (recent < strings_.size() && strings_[recent] == bytes) {
                return recent;
            }
        }
        const auto [at, added] = indexes_.try_emplace(std::string(bytes), strings_.size());
        if (added) {
            strings_.push_back(at->first);
        }
        recent_[next_] = at->second;
        next_ = (next_ + 1) % recent_.size();
        return at->second;
    }
    void write(Writer& out) const {
        out.number(strings_.size());
        for (const std::string& bytes : strings_) {
            out.text(bytes);
        }
    }

private:
    std::vector<std::string> strings_;
    std::unordered_map<std::string, std::uint64_t> indexes_;
    std::array<std::uint64_t, 2> recent_ = {UINT64_MAX, UINT64_MAX};
    std::size_t next_ = 0;
};

std::vector<std::string> readTable(Reader& in) {
    std::vector<std::string> strings(static_cast<std::size_t>(in.count()));
    for (std::string& bytes : strings) {
        bytes = in.text();
    }
    return strings;
}

const std::string& tableEntry(const std::vector<std::string>& table, std::uint64_t index) {
    if (index >= table.size()) {
        throw std::runtime_error("journal record names bytes it does not hold");
    }
    return table[static_cast<std::size_t>(index)];
}

void writeOffsets(Writer& out, const std::vector<std::uint64_t>& offsets) {
    out.number(offsets.size());
    std::uint64_t previous = 0;
    for (const std::uint64_t offset : offsets) {
        out.number(offset - previous);
        previous = offset;
    }
}

std::vector<std::uint64_t> readOffsets(Reader& in) {
    std::vector<std::uint64_t> offsets(static_cast<std::size_t>(in.count()));
    std::uint64_t offset = 0;
    for (std::uint64_t& at : offsets) {
        offset += in.number();
        at = offset;
    }
    return offsets;
}

// The table first, then the body that points into it.
std::string withTable(const StringTable& table, Writer& body) {
    Writer out;
    table.write(out);
    out.raw(body.take());
    return deflateBytes(out.take());
}

// Journals written before the table: each name's bytes in columns.
struct ReadColumns {
    std::vector<std::uint64_t> offsets;
    std::vector<std::string> first;
    std::vector<std::string> second;
};

ReadColumns readColumns(Reader& in, bool withSecond) {
    ReadColumns names;
    const std::uint64_t count = in.number();
    std::uint64_t offset = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        offset += in.number();
        names.offsets.push_back(offset);
    }
    std::vector<std::uint64_t> lengths;
    for (std::uint64_t i = 0; i < count; ++i) {
        lengths.push_back(in.number());
    }
    for (const std::uint64_t length : lengths) {
        names.first.emplace_back(in.raw(length));
    }
    if (withSecond) {
        for (const std::uint64_t length : lengths) {
            names.second.emplace_back(in.raw(length));
        }
    }
    return names;
}

using Name = std::pair<std::uint64_t, std::string>;

std::uint64_t endOf(const Name& name) {
    return name.first + name.second.size();
}

void writeMapHead(Writer& out, const std::string& path, std::uint64_t length,
                  const patching::FileIdentity& identity) {
    out.text(path);
    out.number(length);
    out.number(identity.device);
    out.number(identity.file);
}

} // namespace

std::string frameRecord(RecordKind kind, std::string_view payload) {
    std::string covered(1, static_cast<char>(kind));
    putU32(covered, static_cast<std::uint32_t>(payload.size()));
    putU32(covered, 0); // reserved
    std::string out = "QJ" + covered;
    putU32(out, crcOf(payload, crcOf(covered)));
    out.append(payload);
    return out;
}

RecordScan scanRecords(std::string_view bytes) {
    RecordScan scan;
    std::size_t at = 0;
    while (bytes.size() - at >= kHeader && bytes.substr(at, 2) == "QJ") {
        const std::uint32_t length = getU32(bytes, at + 3);
        if (bytes.size() - at - kHeader < length) {
            break;
        }
        const std::string_view payload = bytes.substr(at + kHeader, length);
        if (crcOf(payload, crcOf(bytes.substr(at + 2, 9))) != getU32(bytes, at + 11)) {
            break;
        }
        Record record{static_cast<RecordKind>(bytes[at + 2]), std::string(payload), at,
                      at + kHeader + length};
        at = static_cast<std::size_t>(record.end);
        scan.records.push_back(std::move(record));
    }
    scan.validEnd = at;
    return scan;
}

// A length (8 bytes), a method (0 stored, 1 zlib) and the bytes.
std::string deflateBytes(std::string_view raw) {
    std::string out;
    putU32(out, static_cast<std::uint32_t>(raw.size()));
    putU32(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(raw.size()) >> 32));
#if QUORVELL_HAVE_ZLIB
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    out.push_back(1);
    out.resize(9 + size);
    if (compress2(reinterpret_cast<Bytef*>(out.data() + 9), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK) {
        throw std::runtime_error("cannot compress a journal record");
    }
    out.resize(9 + size);
#else
    out.push_back(0);
    out.append(raw);
#endif
    return out;
}

std::string inflateBytes(std::string_view deflated) {
    if (deflated.size() < 9) {
        throw std::runtime_error("journal record cut short");
    }
    const std::uint64_t rawLength =
        getU32(deflated, 0) | (static_cast<std::uint64_t>(getU32(deflated, 4)) << 32);
    const std::string_view data = deflated.substr(9);
    if (deflated[8] == 0 && data.size() == rawLength) {
        return std::string(data);
    }
#if QUORVELL_HAVE_ZLIB
    std::string out(static_cast<std::size_t>(rawLength), '\0');
    uLongf size = static_cast<uLongf>(rawLength);
    if (deflated[8] == 1 &&
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(data.data()),
                   static_cast<uLong>(data.size())) == Z_OK &&
        size == rawLength) {
        return out;
    }
#endif
    throw std::runtime_error("journal record does not inflate");
}

std::string encodeSummary(const RunSummary& summary) {
    Writer out;
    out.number(summary.id);
    out.number(static_cast<std::uint64_t>(summary.time));
    out.text(summary.frontEnd);
    out.text(summary.what);
    out.number(summary.undoes);
    out.number(summary.maps);
    out.number(summary.references);
    return out.take();
}

RunSummary decodeSummary(std::string_view payload) {
    Reader in(payload);
    RunSummary summary;
    summary.id = in.number();
    summary.time = static_cast<std::int64_t>(in.number());
    summary.frontEnd = in.text();
    summary.what = in.text();
    summary.undoes = in.number();
    summary.maps = in.number();
    summary.references = in.number();
    return summary;
}

std::string encodeEnd(const RunEnd& end) {
    Writer out;
    out.number(end.id);
    out.number(end.complete ? 1 : 0);
    out.number(end.maps);
    out.number(end.references);
    return out.take();
}

RunEnd decodeEnd(std::string_view payload) {
    Reader in(payload);
    RunEnd end;
    end.id = in.number();
    end.complete = in.number() != 0;
    end.maps = in.number();
    end.references = in.number();
    return end;
}

std::string encodePlans(const std::vector<patching::MapPlan>& plans) {
    StringTable table;
    Writer body;
    body.number(plans.size());
    std::vector<std::uint64_t> offsets;
    for (const patching::MapPlan& plan : plans) {
        writeMapHead(body, pathText(plan.map), plan.length, plan.identity);
        offsets.clear();
        offsets.reserve(plan.edits.size());
        for (const patching::NameEdit edit : plan.edits) {
            offsets.push_back(edit.offset);
        }
        writeOffsets(body, offsets);
        // Runs of names changed alike (a preset run switches hundreds of
        // them in a row the same way): how many, then the two strings.
        for (std::size_t i = 0; i < plan.edits.size();) {
            const patching::NameEdit edit = plan.edits[i];
            std::size_t same = 1;
            while (i + same < plan.edits.size() && plan.edits.sameChange(i, i + same)) {
                ++same;
            }
            body.number(same);
            body.number(table.index(edit.before));
            body.number(table.index(edit.after));
            i += same;
        }
    }
    return withTable(table, body);
}

std::vector<patching::MapPlan> decodePlans(std::string_view payload, RecordKind kind) {
    const std::string raw = inflateBytes(payload);
    Reader in(raw);
    const bool tabled = kind == RecordKind::TabledPlans;
    const std::vector<std::string> table = tabled ? readTable(in) : std::vector<std::string>{};
    std::vector<patching::MapPlan> plans(static_cast<std::size_t>(in.count()));
    for (patching::MapPlan& plan : plans) {
        plan.map = pathFromUtf8(in.text());
        plan.length = in.number();
        plan.identity.device = in.number();
        plan.identity.file = in.number();
        if (!tabled) {
            ReadColumns names = readColumns(in, true);
            for (std::size_t i = 0; i < names.offsets.size(); ++i) {
                plan.edits.add(names.offsets[i], names.first[i], names.second[i]);
            }
            continue;
        }
        const std::vector<std::uint64_t> offsets = readOffsets(in);
        plan.edits.reserve(offsets.size());
        while (plan.edits.size() < offsets.size()) {
            const std::uint64_t same = in.number();
            const std::string& before = tableEntry(table, in.number());
            const std::string& after = tableEntry(table, in.number());
            if (before.size() != after.size() || same == 0 ||
                same > offsets.size() - plan.edits.size()) {
                throw std::runtime_error("a run of names that does not fit its map");
            }
            for (std::uint64_t n = 0; n < same; ++n) {
                plan.edits.add(offsets[plan.edits.size()], before, after);
            }
        }
    }
    return plans;
}

std::string encodeOriginals(const Originals& originals) {
    StringTable table;
    Writer body;
    body.number(originals.size());
    std::vector<std::uint64_t> offsets;
    for (const auto& [path, map] : originals) {
        writeMapHead(body, path, map.length, map.identity);
        offsets.clear();
        for (const auto& name : map.names) {
            offsets.push_back(name.first);
        }
        writeOffsets(body, offsets);
        for (const auto& name : map.names) {
            body.number(table.index(name.second));
        }
    }
    return withTable(table, body);
}

Originals decodeOriginals(std::string_view payload, RecordKind kind) {
    const std::string raw = inflateBytes(payload);
    Reader in(raw);
    const bool tabled = kind == RecordKind::TabledOriginals;
    const std::vector<std::string> table = tabled ? readTable(in) : std::vector<std::string>{};
    Originals originals;
    const std::uint64_t count = in.count();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string path = in.text();
        MapOriginals& map = originals[path];
        map.length = in.number();
        map.identity.device = in.number();
        map.identity.file = in.number();
        if (tabled) {
            const std::vector<std::uint64_t> offsets = readOffsets(in);
            map.names.reserve(offsets.size());
            for (const std::uint64_t offset : offsets) {
                map.names.emplace_back(offset, tableEntry(table, in.number()));
            }
        } else {
            ReadColumns names = readColumns(in, false);
            for (std::size_t n = 0; n < names.offsets.size(); ++n) {
                map.names.emplace_back(names.offsets[n], std::move(names.first[n]));
            }
        }
        for (std::size_t n = 1; n < map.names.size(); ++n) {
            if (map.names[n].first < endOf(map.names[n - 1])) {
                throw std::runtime_error("first-found names out of order");
            }
        }
    }
    return originals;
}

namespace {

// Ranges that overlap (older and newer, found by offset) become one range:
// the older bytes kept, the newer ones filling what no older range covers.
Name joined(const std::vector<std::pair<Name*, bool>>& group) {
    std::uint64_t start = UINT64_MAX;
    std::uint64_t stop = 0;
    for (const auto& [name, older] : group) {
        start = std::min(start, name->first);
        stop = std::max(stop, endOf(*name));
    }
    std::string merged(static_cast<std::size_t>(stop - start), '\0');
    std::vector<bool> covered(merged.size(), false);
    for (const bool olderPass : {true, false}) {
        for (const auto& [name, older] : group) {
            if (older != olderPass) {
                continue;
            }
            const auto at = static_cast<std::size_t>(name->first - start);
            for (std::size_t i = 0; i < name->second.size(); ++i) {
                if (!covered[at + i]) {
                    covered[at + i] = true;
                    merged[at + i] = name->second[i];
                }
            }
        }
    }
    return {start, std::move(merged)};
}

} // namespace

void mergeOriginals(MapOriginals& into, MapOriginals from) {
    into.length = from.length;
    into.identity = from.identity;
    if (from.names.empty()) {
        return;
    }
    if (into.names.empty()) {
        into.names = std::move(from.names);
        return;
    }
    std::vector<Name> out;
    out.reserve(into.names.size() + from.names.size());
    std::vector<std::pair<Name*, bool>> group; // each with whether it is the older
    std::uint64_t groupEnd = 0;
    const auto flush = [&] {
        if (group.size() == 1) {
            out.push_back(std::move(*group.front().first));
        } else if (!group.empty()) {
            out.push_back(joined(group));
        }
        group.clear();
    };
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < into.names.size() || b < from.names.size()) {
        const bool older = b == from.names.size() ||
                           (a < into.names.size() && into.names[a].first <= from.names[b].first);
        Name& next = older ? into.names[a++] : from.names[b++];
        if (!group.empty() && next.first >= groupEnd) {
            flush();
        }
        groupEnd = group.empty() ? endOf(next) : std::max(groupEnd, endOf(next));
        group.emplace_back(&next, older);
    }
    flush();
    into.names = std::move(out);
}

} // namespace quorvell::journal
