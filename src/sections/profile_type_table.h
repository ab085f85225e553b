#pragma once

// One row of facts per stiffener profile type (codes 0 to 9) and per girder type (1 and 3): what
// the files, the windows, the report and the checks look up by type code. The shape formulas,
// the bare section properties and the outline stay as code in the section files; they dispatch
// on the formula family of the row.

#include "design/catalogue.h"
#include "design/design_case.h"

#include <optional>
#include <string_view>

namespace korvel {

// The dimensions a built-up type's remembered set edits, as bits.
enum DimensionField : unsigned { fieldH = 1u, fieldB = 2u, fieldTw = 4u, fieldTf = 8u, fieldA = 16u };

// Which hw, b2, e, u, m formulas apply (torsional buckling, ABS 3/5.3). The angle family takes the
// bulb flat as its equivalent angle; the angle, tee and I families form the warping factor m.
enum class ShapeFamily { angle, tee, iSection, flatBar, rhs, trapez };

// How a designation and the report's dimension lines are composed: H x B x tw x tf, H x tw,
// H x B x tw (RHS), H x B / a x tw (Trapez), H x B x tw x tf with tf as "0.0" (I).
enum class DesignationForm { flanged, web, box, trapez, iSection };

// When the built-up window checks its fields on closing: never, only the field being edited,
// or the fields listed in closingChecked.
enum class ClosingCheck { none, leaveField, checkFields };

struct StiffenerTypeFacts {
    int code;
    std::string_view batchToken;   // input token of the batch file; empty when the type has none
    std::string_view resultsToken; // written to the results table ("Fb" where the input says "FB")
    std::optional<TableKind> table;
    int DesignCase::*tableRow;        // the row chosen in that table; nullptr for the built-up types
    ProfileDims DesignCase::*builtUp; // the remembered set; nullptr for the table types
    unsigned fields;                  // DimensionField bits of the remembered set
    bool wallThickness;               // tw is the one wall thickness, tf = tw (RHS, Trapez)
    std::string_view builtUpBMask;    // edit-field mask of B
    ShapeFamily shape;
    DesignationForm form;
    std::string_view designationPrefix; // "L ", "Built-up: L ", ...
    bool lightEdgeRestraint;            // flat bars and bulb flats restrain the plate edge less
    std::string_view dialogCaption;     // "Stiffener: L-table"
    std::string_view pictureName;       // small picture of the main window's button
    std::string_view schematicPicture;  // the not-to-scale figure
    const char* windowName;             // control name of the dialog window
    const char* menuName;               // the Profile menu's entry
    const char* menuCaption;
    const char* izUnit; // after Iz in the dialog; empty where Iz is not shown
    ClosingCheck closing;
    unsigned closingChecked; // DimensionField bits checked on closing
};

struct GirderTypeFacts {
    int code;
    std::string_view batchToken; // "LG", "TG"
    GirderDims DesignCase::*dims;
    std::string_view designationPrefix;
    std::string_view dialogCaption;
    std::string_view pictureName;
    std::string_view schematicPicture;
};

// nullptr for a code outside 0..9 (stiffener) or other than 1, 3 (girder).
const StiffenerTypeFacts* stiffenerTypeFacts(int stiffenerType);
const GirderTypeFacts* girderTypeFacts(int girderType);

// Whether the type is given by H and tw alone (flat bars, bulb flat): its batch field holds two
// dimensions and its results-table cell shows two.
inline bool webOnlyProfile(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts && facts->form == DesignationForm::web;
}

} // namespace korvel
