#pragma once

// What a set of results was made with: the program's version, the five table files with a
// checksum of each, and the date and time, so that an archived report or JSON file can be
// matched to the tables that produced it.
//
// The checksum is FNV-1a 64 over the file's bytes as stored (no line-end translation), written
// as 16 lower-case hexadecimal digits: `fnv1a64` below, offset basis 0xcbf29ce484222325, prime
// 0x100000001b3. Any script can recompute it; a changed table gives another checksum.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull);
// "cbf29ce484222325".
std::string hex64(std::uint64_t value);

struct TableStamp {
    std::string file;     // bare file name: "bfprof.dat"
    std::string checksum; // 16 hexadecimal digits; empty when the file could not be read
    bool operator==(const TableStamp& o) const { return file == o.file && checksum == o.checksum; }
};

struct Provenance {
    std::string version;            // programVersion (design/version.h)
    std::vector<TableStamp> tables; // in the order the tables are loaded
    std::string dateTime;           // "2026-12-08T05:40:12Z": UTC, ISO 8601
    bool operator==(const Provenance& o) const {
        return version == o.version && tables == o.tables && dateTime == o.dateTime;
    }
};

// The five tables of `folder`, read once more for their checksums.
std::vector<TableStamp> tableStamps(const std::filesystem::path& folder);

// "2026-12-08T05:40:12Z" for seconds since 1970-01-01 UTC.
std::string utcDateTime(std::int64_t secondsSinceEpoch);

// The provenance of a run on the tables of `folder` at `secondsSinceEpoch`.
Provenance makeProvenance(const std::filesystem::path& folder, std::int64_t secondsSinceEpoch);

// Two lines for a report's footer: "Made with KORVEL 0.1.0 on 2026-12-08T05:40:12Z from the tables
// (FNV-1a 64 checksums):" and "bfprof.dat 0123456789abcdef, lprof.dat ..., KORmat.dat ...".
std::vector<std::string> provenanceLines(const Provenance& p);

} // namespace korvel
