#pragma once

// A small catalogue for the fuzz targets, read from text like the program's own tables, with a
// repeated row so that the last-match rules are exercised.

#include "design/catalogue.h"
#include "files/table_loader.h"

#include <variant>

namespace korvel {

inline Catalogue fuzzCatalogue() {
    Catalogue c;
    const auto table = [](TableKind kind, const char* text) {
        ProfileTableLoad load = readProfileTable(kind, "fuzz.dat", text);
        return std::holds_alternative<ProfileTable>(load) ? std::get<ProfileTable>(load) : ProfileTable{};
    };
    c.bf = table(TableKind::bulbFlat, "120,6,17,5,931\n200,10,28,8,2560\n200,10,28,8,2560\n");
    c.l = table(TableKind::l, "200,90,9,14\n250,90,10,15\n250,90,10,16\n");
    c.t = table(TableKind::t, "150,90,8,10\n200,90,9,12\n");
    c.fb = table(TableKind::flatbar, "100,10\n200,12\n");
    MaterialTableLoad materials =
        readMaterialTable("fuzz.dat", "\"A\",235,400,1\n\"B\",355,490,0.72\n\"User\",235,400,1\n");
    if (std::holds_alternative<MaterialTable>(materials)) c.materials = std::get<MaterialTable>(materials);
    return c;
}

} // namespace korvel
