#pragma once

// One row of facts per stiffener profile type and per girder type: what the files, the windows,
// the report and the checks look up by type code, and the formulas of the type (its bare section
// properties, slenderness ratios, outline and where the figure puts its dimensions), named in
// sections/profile_formulas.h. Nothing outside this table switches on a type code: a new type is
// its row, its formulas and its drawing.

#include "design/calc_fault.h"
#include "design/catalogue.h"
#include "design/design_case.h"

#include <optional>
#include <string>
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

// Web and flange slenderness ratios of the working profile (ABS 9.9 web hw/tw, 9.7 flange b2/tf).
struct ProportionRatios {
    double web = 0;
    double flange = 0;
};

// Where the to-scale figure puts its dimensions, in the outline's frame (mm): the profile's
// horizontal extent, the web (or the measured wall) and the flange. `unit` is one hundredth of
// the figure's square, in mm.
struct DimensionLayout {
    double xMin = 0, xMax = 0;        // leftmost and rightmost of the profile
    double topLeft = 0, topRight = 0; // ends of the top edge
    double webBottom = 0, webTop = 0; // h
    double webTopRight = 0;           // right edge of the profile at the top of the web
    double thicknessY = 0;            // s is measured across the web or wall at this height
    double faceLeft = 0, faceRight = 0;
    bool flange = true;
    double bLeft = 0, bRight = 0, bY = 0; // b
};

struct StiffenerTypeFacts {
    int code;
    std::string_view batchToken;   // input token of the batch file; empty when the type has none
    std::string_view resultsToken; // written to the results table ("Fb" where the input says "FB")
    std::optional<TableKind> table;
    int CaseInputs::*tableRow;        // the row chosen in that table; nullptr for the built-up types
    ProfileDims CaseInputs::*builtUp; // the remembered set; nullptr for the table types
    unsigned fields;                  // DimensionField bits of the remembered set
    bool wallThickness;               // tw is the one wall thickness, tf = tw (RHS, Trapez)
    // The built-up type whose set holds the dimensions of a catalogue profile when they are
    // edited (a batch line of a table type without a token of its own, a wasted thickness); the
    // type itself for a built-up type.
    int builtUpEquivalent;
    std::string_view builtUpBMask; // edit-field mask of B
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
    // Where the dialog's figure starts, as a fraction of its width (the rolled angle's fillet
    // needs the room), and whether its background picture is the figure's mirror image.
    double dialogFigureLeft;
    bool backgroundFlipsFigure;
    ClosingCheck closing;
    unsigned closingChecked; // DimensionField bits checked on closing

    // Bare-profile fields of s (Ax, zc, yc, Iy, Iz, Iyf, Gamma, Io, K) from the working profile
    // and dc.shape.
    StepOutcome (*bareProperties)(const DesignCase& dc, StiffenerSection& s);
    bool tableArea; // the profile's area A is the table's (bulb flat), not the section's Ax
    // The cell's St. Venant constant once the plate thickness is known (Trapez: the plate closes
    // the cell); the others keep the bare K.
    StepOutcome (*platedTorsion)(const DesignCase& dc, StiffenerSection& s);
    // The proportion rules: the web limit is webLimitFactor·sqrt(E/Fys) (0: no rule applies, as
    // for a closed cell), the flange limit 0.4·sqrt(E/Fys) when flangeRule is set.
    ProportionRatios (*proportions)(double H, double B, double tw, double tf);
    double webLimitFactor;
    bool flangeRule;
    bool rolledFillet; // the outline draws a root fillet of 2·tw, kept in bfCol4 (rolled angle)
    // The outline on its plate strip after the common frame of profileOutline is set.
    void (*outline)(const DesignCase& dc, ProfileOutline& o);
    DimensionLayout (*dimensionLayout)(const DesignCase& dc, const ProfileOutline& o, double unit);
};

struct GirderTypeFacts {
    int code;
    std::string_view batchToken; // "LG", "TG"
    GirderDims CaseInputs::*dims;
    std::string_view designationPrefix;
    std::string_view dialogCaption;
    std::string_view pictureName;
    std::string_view schematicPicture;
    const char* windowName; // control name of the dialog window
    const char* menuName;   // the Profile menu's entry
    const char* menuCaption;
};

// nullptr for a code the table has no row for.
const StiffenerTypeFacts* stiffenerTypeFacts(int stiffenerType);
const GirderTypeFacts* girderTypeFacts(int girderType);

// Every row, in code order, for code that treats the types alike.
template <class Row>
struct TypeRows {
    const Row* first;
    const Row* last;
    const Row* begin() const { return first; }
    const Row* end() const { return last; }
};
TypeRows<StiffenerTypeFacts> stiffenerTypeRows();
TypeRows<GirderTypeFacts> girderTypeRows();

// The valid codes for a message, from the table: "0 to 9"; "1 (L) or 3 (T)" for the girders,
// joined by `conjunction` ("nor" gives "1 (L) nor 3 (T)").
std::string stiffenerCodesText();
std::string girderCodesText(std::string_view conjunction = "or");
// The fault of a stiffener type code the table has no row for: "stiffener type 10 is not one of 0 to 9".
StepOutcome unknownStiffenerType(int stiffenerType);

// Whether the type is given by H and tw alone (flat bars, bulb flat): its batch field holds two
// dimensions and its results-table cell shows two.
inline bool webOnlyProfile(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts && facts->form == DesignationForm::web;
}

} // namespace korvel
