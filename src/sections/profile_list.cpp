#include "sections/profile_list.h"

#include "design/number_format.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"

#include <algorithm>
#include <cctype>

namespace korvel {

namespace {

// Area of a table row: the angle and tee as a web and one flange, the flat bar as its
// rectangle, the bulb flat as the table gives it.
double rowArea(const ProfileTable& table, TableKind kind, int row) {
    const auto v = [&](int column) { return static_cast<double>(table.value(row, column)); };
    switch (kind) {
    case TableKind::l:
    case TableKind::t:
        return flangedSection(v(col::H), v(col::B), v(col::twLT), v(col::tfLT)).Ax;
    case TableKind::flatbar:
        return v(col::H) * v(col::twFbBf);
    case TableKind::bulbFlat:
        return v(col::Ax);
    }
    return 0;
}

std::string folded(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::vector<ProfileListEntry> profileListEntries(const ProfileTable& table, TableKind kind) {
    std::vector<ProfileListEntry> entries;
    for (int row = 0; row <= table.lastRow && row < ProfileTable::maxRows; ++row) {
        ProfileListEntry e;
        e.row = row;
        e.designation = listItemText(table, kind, row);
        e.H = table.value(row, col::H);
        e.area = rowArea(table, kind, row);
        e.weight = weightPerMetre(e.area);
        entries.push_back(e);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const ProfileListEntry& a, const ProfileListEntry& b) {
        if (a.H != b.H) return a.H < b.H;
        return a.weight < b.weight;
    });
    return entries;
}

std::vector<ProfileListEntry> filterProfileEntries(const std::vector<ProfileListEntry>& entries,
                                                   std::string_view typed) {
    const std::string wanted = folded(typed);
    std::vector<ProfileListEntry> kept;
    for (const ProfileListEntry& e : entries)
        if (folded(e.designation).find(wanted) != std::string::npos) kept.push_back(e);
    return kept;
}

std::string profileEntryNote(const ProfileListEntry& entry, char sep) {
    return "A = " + formatNumber(entry.area, "0", sep) + " mm2  " + formatNumber(entry.weight, "0.0", sep) + " kg/m";
}

std::string materialNote(const Material& material, bool userDefined, char sep) {
    if (userDefined) return {};
    return "Fy " + formatNumber(material.Fy, "0", sep) + " / Fu " + formatNumber(material.Fu, "0", sep) + " MPa";
}

} // namespace korvel
