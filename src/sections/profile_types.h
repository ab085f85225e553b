#pragma once

// Stiffener and girder profile types: where the working profile comes from (a catalogue row or
// the engineer's own built-up dimensions), the derived shape quantities hw, b2, e, u, m, the
// short designation of the main window and the report, and the texts the profile dialogs show.
// All lengths in mm.

#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/design_case.h"
#include "sections/profile_type_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

inline bool isStiffenerType(int type) {
    return stiffenerTypeFacts(type) != nullptr;
}
inline bool isGirderType(int type) {
    return girderTypeFacts(type) != nullptr;
}

// The table a table type reads (L 0, T 2, Flatbar 4, BF 6); none for the built-up types.
std::optional<TableKind> tableKindOf(int stiffenerType);
// "L-table", "T-table", "Flatbar-table", "BF-table": the names used in fault messages.
std::string_view tableName(TableKind kind);

// The remembered built-up set of a built-up or free-dimension type, or nullptr for the table
// types and invalid codes. For RHS and Trapez tw is the wall thickness.
ProfileDims* builtUpDims(CaseInputs& c, int stiffenerType);
const ProfileDims* builtUpDims(const CaseInputs& c, int stiffenerType);
// Makes `dims` the remembered set of built-up type `stiffenerType`: a set with a flange takes them
// whole, a web-only set (flat bar) H and tw, keeping its B and tf. Nothing for a type without a set.
void rememberBuiltUp(CaseInputs& c, int stiffenerType, const ProfileDims& dims);
// The remembered set of a girder type, nullptr for an invalid code.
GirderDims* girderDims(CaseInputs& c, int girderType);
const GirderDims* girderDims(const CaseInputs& c, int girderType);

// Loads the working profile of dc.stiffenerType from its table row or built-up set (RHS and
// Trapez: tw = tf = wall thickness; flat bars leave B and tf as they were; the bulb flat becomes
// its equivalent angle; the rolled angle takes its root fillet 2*tw as r), forms hw, b2, e, u, m
// and computes the bare-profile properties. It reads the case's inputs and writes only its
// assessment. An invalid type code, an empty table or a row outside the table is a fault and
// leaves the working profile untouched.
StepOutcome selectProfile(DesignCase& dc, const Catalogue& cat);

// hw, b2, e, u and m of the working profile (torsional buckling, ABS 3/5.3).
StepOutcome formProfileShape(DesignCase& dc);

// Designations: "L 200x90x9.0x14.0", "Built-up: T 300x100x10.0x15.0", "Trapez 260x300/50x8.0",
// each number written with `decimalSeparator` ("L 200x90x9,0x14,0"). Empty for an invalid type code.
std::string stiffenerDesignation(const DesignCase& dc, char decimalSeparator = '.');
// "L 800x200x10.0x20.0" or "T ..." of the working girder profile; empty for a type other than 1, 3.
std::string girderDesignation(const DesignCase& dc, char decimalSeparator = '.');

// Drop-down item of a catalogue row: "L200x90x9x14", "T...", "Fb200x10", "BF200x10"; empty
// for a row outside 0..lastRow.
std::string listItemText(const ProfileTable& table, TableKind kind, int row);

// Small picture of the main window's profile buttons ("pic_small_l" ...); empty when invalid.
std::string_view stiffenerPictureName(int stiffenerType);
std::string_view girderPictureName(int girderType);
// Caption of the dialog that edits the type ("Stiffener: L-table" ...); empty when invalid.
std::string_view stiffenerDialogCaption(int stiffenerType);
std::string_view girderDialogCaption(int girderType);

// Dimension labels of the table dialogs, read from the working profile: H (and B except for the
// bulb flat) with "##0", the other dimensions with "##0.0", each followed by " mm". A label the
// type does not show stays empty (flat bar: H, tw; bulb flat: H, tw, c, r and the equivalent B).
struct DimensionLabels {
    std::string H, B, tw, tf, c, r;
};
DimensionLabels tableDimensionLabels(const DesignCase& dc);

// Edit-field texts of the built-up dialogs from the remembered set: H, B, a with "##0",
// thicknesses with "##0.0" (the L-built-up dialog shows B with "##0.0"). RHS and Trapez show
// the wall thickness as tw. Fields the type has not stay empty.
struct EditFieldTexts {
    std::string H, B, tw, tf, a;
};
EditFieldTexts builtUpFieldTexts(const DesignCase& dc, int stiffenerType);
EditFieldTexts girderFieldTexts(const DesignCase& dc, int girderType);

} // namespace korvel
