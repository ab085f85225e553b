#pragma once

// The catalogue as the engineer picks from it: the rows of a profile table ordered by height,
// then by weight, each with its area and weight per metre beside the designation, narrowed to
// the rows whose designation holds what was typed; and the strengths beside each steel grade.

#include "design/catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct ProfileListEntry {
    int row = -1;            // the table row
    std::string designation; // as the table list names it: "L100x65x7x7"
    double H = 0;            // mm
    double area = 0;         // mm2
    double weight = 0;       // kg/m
    bool operator==(const ProfileListEntry& o) const {
        return row == o.row && designation == o.designation && H == o.H && area == o.area && weight == o.weight;
    }
};

// Every row of the table, lowest first, and of one height the lightest first (the file order
// among equals).
std::vector<ProfileListEntry> profileListEntries(const ProfileTable& table, TableKind kind);

// The entries whose designation holds `typed` (letters in either case; blanks ignored); all of
// them for an empty text.
std::vector<ProfileListEntry> filterProfileEntries(const std::vector<ProfileListEntry>& entries,
                                                   std::string_view typed);

// "A = 1120 mm2  8.8 kg/m" beside a designation.
std::string profileEntryNote(const ProfileListEntry& entry, char decimalSeparator);

// "Fy 355 / Fu 490 MPa" beside a steel grade; empty for the user-defined grade (its strengths
// are typed).
std::string materialNote(const Material& material, bool userDefined, char decimalSeparator);

} // namespace korvel
