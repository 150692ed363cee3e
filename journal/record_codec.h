#pragma once

// The journal's bytes. The file is a run of records, each
//   "QJ", kind (1 byte), stored length, payload length, crc32 (4 bytes
//   each, little-endian; the crc covers kind, lengths and payload), payload
// and a payload deflated with zlib unless its kind is stored plain. A record
// whose bytes stop short or whose crc differs ends the file where it starts
// (a torn tail: the journal itself cut by a power loss), never misread.

#include "patching/map_plan.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::journal {

enum class RecordKind : std::uint8_t {
    Folder = 1,    // the maps folder's path, plain
    Started = 2,   // a run's summary (RunSummary), plain
    Plans = 3,     // a run's map plans, deflated
    Ended = 4,     // how a run ended (RunEnd), plain
    Originals = 5, // names as first found, of runs no longer kept, deflated
    // As Plans and Originals, with each distinct byte string stored once; the
    // two above are what earlier journals hold, read still, no longer written.
    // A run's first-found bytes are no longer written beside its plans: the
    // plans hold them; an Originals record keeps those of pruned runs.
    TabledPlans = 6,
    TabledOriginals = 7,
};

struct Record {
    RecordKind kind;
    std::string payload;   // as stored (deflated for Plans and Originals)
    std::uint64_t at = 0;  // where the record starts in the file
    std::uint64_t end = 0; // where the next one starts
};

std::string frameRecord(RecordKind kind, std::string_view payload);

// The records of a journal's bytes up to the first torn or foreign one;
// validEnd says where that is.
struct RecordScan {
    std::vector<Record> records;
    std::uint64_t validEnd = 0;
};
RecordScan scanRecords(std::string_view bytes);

std::string deflateBytes(std::string_view raw);
// Throws std::runtime_error on bytes that do not inflate to rawLength.
std::string inflateBytes(std::string_view deflated);

// A run's summary, all that the history and undo need before the plans.
struct RunSummary {
    std::uint64_t id = 0;
    std::int64_t time = 0;    // seconds since 1970, UTC
    std::string frontEnd;     // "window", "command line", "quorvell-cli"
    std::string what;         // "applied walls"
    std::uint64_t undoes = 0; // the run this one takes back; 0: none
    std::uint64_t maps = 0;   // maps the run plans to change
    std::uint64_t references = 0;
};

struct RunEnd {
    std::uint64_t id = 0;
    bool complete = false;
    std::uint64_t maps = 0; // maps written
    std::uint64_t references = 0;
};

// A map's names as Quorvell first found them: (offset, bytes) in file order,
// never overlapping, with the map's length and identity when it was last
// planned. A flat list rather than a tree: a run over every map brings
// hundreds of thousands of names, and they arrive in file order already.
struct MapOriginals {
    std::uint64_t length = 0;
    patching::FileIdentity identity;
    std::vector<std::pair<std::uint64_t, std::string>> names;
};
using Originals = std::map<std::string, MapOriginals>; // by the map's UTF-8 path

std::string encodeSummary(const RunSummary& summary);
RunSummary decodeSummary(std::string_view payload);
std::string encodeEnd(const RunEnd& end);
RunEnd decodeEnd(std::string_view payload);
std::string encodePlans(const std::vector<patching::MapPlan>& plans);
std::vector<patching::MapPlan> decodePlans(std::string_view payload, RecordKind kind);
std::string encodeOriginals(const Originals& originals);
Originals decodeOriginals(std::string_view payload, RecordKind kind);

// Adds to `into` the bytes of `from` that it has no first-found bytes for
// yet (where an older range covers a byte, the older byte stays), and takes
// `from`'s length and identity. Linear in the two lists.
void mergeOriginals(MapOriginals& into, MapOriginals from);

} // namespace quorvell::journal
