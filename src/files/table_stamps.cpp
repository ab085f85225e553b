#include "files/table_stamps.h"

#include "design/version.h"
#include "files/table_loader.h"

#include <fstream>
#include <iterator>

namespace korvel {

std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string hex64(std::uint64_t value) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = digits[value & 0xf];
    return out;
}

std::vector<TableStamp> tableStamps(const std::filesystem::path& folder) {
    std::vector<TableStamp> stamps;
    for (const char* name : {bfFileName, lFileName, tFileName, flatbarFileName, materialFileName}) {
        TableStamp stamp{name, {}};
        std::ifstream in(folder / name, std::ios::binary);
        if (in) {
            // Read in pieces: the hash runs over the stream, not a copy of the file.
            std::uint64_t hash = fnv1a64({});
            char buffer[8192];
            while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
                hash = fnv1a64(std::string_view(buffer, static_cast<std::size_t>(in.gcount())), hash);
            if (in.eof()) stamp.checksum = hex64(hash);
        }
        stamps.push_back(std::move(stamp));
    }
    return stamps;
}

std::string utcDateTime(std::int64_t seconds) {
    // Civil date from days since 1970-01-01 (proleptic Gregorian), without the C library's
    // time-zone state.
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t secondOfDay = seconds - days * 86400;
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(year) + "-" + two(month) + "-" + two(day) + "T" + two(secondOfDay / 3600) + ":" +
           two(secondOfDay / 60 % 60) + ":" + two(secondOfDay % 60) + "Z";
}

Provenance makeProvenance(const std::filesystem::path& folder, std::int64_t secondsSinceEpoch) {
    return {programVersion, tableStamps(folder), utcDateTime(secondsSinceEpoch)};
}

std::vector<std::string> provenanceLines(const Provenance& p) {
    std::string tables;
    for (const TableStamp& t : p.tables) {
        if (!tables.empty()) tables += ", ";
        tables += t.file + " " + (t.checksum.empty() ? std::string("(unreadable)") : t.checksum);
    }
    return {"Made with KORVEL " + p.version + " on " + p.dateTime + " from the tables (FNV-1a 64 checksums):", tables};
}

} // namespace korvel
