#include "journal/record_codec.h"

#include "base/path_text.h"

#include <stdexcept>
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

// Offsets, lengths and bytes of a map's names, column by column so zlib
// finds the repeats ("__overridden" after "__overridden").
struct NameColumns {
    std::vector<std::uint64_t> offsets;
    std::vector<std::string_view> first;
    std::vector<std::string_view> second; // empty when there is none
};

void writeColumns(Writer& out, const NameColumns& names) {
    out.number(names.offsets.size());
    std::uint64_t previous = 0;
    for (const std::uint64_t offset : names.offsets) {
        out.number(offset - previous);
        previous = offset;
    }
    for (const std::string_view bytes : names.first) {
        out.number(bytes.size());
    }
    for (const std::string_view bytes : names.first) {
        out.raw(bytes);
    }
    for (const std::string_view bytes : names.second) {
        out.raw(bytes);
    }
}

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
    Writer out;
    out.number(plans.size());
    for (const patching::MapPlan& plan : plans) {
        writeMapHead(out, pathText(plan.map), plan.length, plan.identity);
        NameColumns names;
        for (const patching::NameEdit& edit : plan.edits) {
            names.offsets.push_back(edit.offset);
            names.first.emplace_back(edit.before);
            names.second.emplace_back(edit.after);
        }
        writeColumns(out, names);
    }
    return deflateBytes(out.take());
}

std::vector<patching::MapPlan> decodePlans(std::string_view payload) {
    const std::string raw = inflateBytes(payload);
    Reader in(raw);
    std::vector<patching::MapPlan> plans(static_cast<std::size_t>(in.number()));
    for (patching::MapPlan& plan : plans) {
        plan.map = pathFromUtf8(in.text());
        plan.length = in.number();
        plan.identity.device = in.number();
        plan.identity.file = in.number();
        ReadColumns names = readColumns(in, true);
        for (std::size_t i = 0; i < names.offsets.size(); ++i) {
            plan.edits.push_back(
                {names.offsets[i], std::move(names.first[i]), std::move(names.second[i])});
        }
    }
    return plans;
}

std::string encodeOriginals(const Originals& originals) {
    Writer out;
    out.number(originals.size());
    for (const auto& [path, map] : originals) {
        writeMapHead(out, path, map.length, map.identity);
        NameColumns names;
        for (const auto& [offset, bytes] : map.names) {
            names.offsets.push_back(offset);
            names.first.emplace_back(bytes);
        }
        writeColumns(out, names);
    }
    return deflateBytes(out.take());
}

Originals decodeOriginals(std::string_view payload) {
    const std::string raw = inflateBytes(payload);
    Reader in(raw);
    Originals originals;
    const std::uint64_t count = in.number();
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string path = in.text();
        MapOriginals& map = originals[path];
        map.length = in.number();
        map.identity.device = in.number();
        map.identity.file = in.number();
        ReadColumns names = readColumns(in, false);
        for (std::size_t n = 0; n < names.offsets.size(); ++n) {
            map.names.emplace(names.offsets[n], std::move(names.first[n]));
        }
    }
    return originals;
}

bool mergeOriginals(MapOriginals& into, const MapOriginals& from) {
    into.length = from.length;
    into.identity = from.identity;
    bool added = false;
    for (const auto& [offset, bytes] : from.names) {
        const std::uint64_t end = offset + bytes.size();
        auto first = into.names.upper_bound(offset);
        if (first != into.names.begin() &&
            std::prev(first)->first + std::prev(first)->second.size() > offset) {
            --first;
        }
        auto last = first;
        while (last != into.names.end() && last->first < end) {
            ++last;
        }
        if (first == last) {
            into.names.emplace(offset, bytes);
            added = true;
            continue;
        }
        // Overlapping ranges become one: the older bytes kept, the new ones
        // filling what no older range covered.
        const std::uint64_t start = std::min(offset, first->first);
        const auto& tail = *std::prev(last);
        const std::uint64_t stop = std::max(end, tail.first + tail.second.size());
        std::string merged(static_cast<std::size_t>(stop - start), '\0');
        std::vector<bool> covered(merged.size(), false);
        for (auto it = first; it != last; ++it) {
            merged.replace(static_cast<std::size_t>(it->first - start), it->second.size(),
                           it->second);
            std::fill_n(covered.begin() + static_cast<std::ptrdiff_t>(it->first - start),
                        it->second.size(), true);
        }
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto at = static_cast<std::size_t>(offset - start) + i;
            if (!covered[at]) {
                merged[at] = bytes[i];
                added = true;
            }
        }
        into.names.erase(first, last);
        into.names.emplace(start, std::move(merged));
    }
    return added;
}

} // namespace quorvell::journal
