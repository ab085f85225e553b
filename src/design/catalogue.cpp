#include "design/catalogue.h"

namespace korvel {

namespace {

// Indexed by TableKind.
constexpr TableFacts tableFactsByKind[tableKindCount] = {
    {TableKind::bulbFlat, "BF-table", "BF", 5, col::twFbBf, false, false},
    {TableKind::l, "L-table", "L", 4, col::twLT, true, false},
    {TableKind::t, "T-table", "T", 4, col::twLT, true, true},
    {TableKind::flatbar, "Flatbar-table", "Fb", 2, col::twFbBf, false, false},
};

} // namespace

const TableFacts& tableFacts(TableKind kind) {
    return tableFactsByKind[static_cast<int>(kind)];
}

const ProfileTable& tableOf(const Catalogue& cat, TableKind kind) {
    switch (kind) {
    case TableKind::bulbFlat:
        return cat.bf;
    case TableKind::l:
        return cat.l;
    case TableKind::t:
        return cat.t;
    case TableKind::flatbar:
        break;
    }
    return cat.fb;
}

ProfileTable& tableOf(Catalogue& cat, TableKind kind) {
    return const_cast<ProfileTable&>(tableOf(static_cast<const Catalogue&>(cat), kind));
}

std::optional<int> lastMatchingRow(const ProfileTable& table, TableKind kind, const RowKey& key) {
    const TableFacts& facts = tableFacts(kind);
    std::optional<int> found;
    for (int r = 0; r <= table.lastRow; ++r) {
        bool same = table.value(r, col::H) == key.H && table.value(r, facts.twColumn) == key.tw;
        if (facts.keyHasB) same = same && table.value(r, col::B) == key.B;
        if (facts.keyHasTf) same = same && table.value(r, col::tfLT) == key.tf;
        if (same) found = r;
    }
    return found;
}

} // namespace korvel
