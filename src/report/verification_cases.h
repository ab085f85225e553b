#pragma once

// The cases the verification table calculates, each with KORVEL's own calculation from inputs
// the row states, and with a catalogue of its own so that no row depends on the table files.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "report/verification_table.h"

#include <functional>
#include <string_view>
#include <vector>

namespace korvel {

// The four hull grades with their tabulated Q, the user-defined grade after them (its Q from its
// strengths, as at any position after the fourth), and the bulb flat 200 x 10 (c 28, r 8,
// area 2560 mm2) in row 0 of the BF-table.
Catalogue verificationCatalogue();

// The position of the user-defined grade in verificationCatalogue().
inline constexpr int verificationUserGrade = 4;

// A case of the new-file inputs with the built-up angle 200 x 90 x 9 x 12 and the user-defined
// grade (Fyp = Fys = 355, Fup = Fus = 490), changed by `edit`, then calculated in full.
DesignCase calculatedCase(const std::function<void(CaseInputs&)>& edit);

// The value of a quantity named as --detail names it ("SigCx[1]", "Wp", "UFbu"); not a number
// when the calculation stopped or no quantity has that name.
double detailValue(const DesignCase& dc, std::string_view name);

// The verification panel read from its batch input and run as korvel-batch --detail runs it.
DesignCase verificationPanelCase();

// The worked example's rows: each quantity of the verification panel against its hand value.
std::vector<VerificationRow> workedExampleRows();

} // namespace korvel
