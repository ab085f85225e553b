#pragma once

// The inputs a design study may vary: the geometry, the safety format, the yield strengths and
// the loads, each read and written in the precision the case holds it in, with the range the
// input boxes accept. The loads and the open ends of the geometry have no box limit: a study
// then searches a range of its own, stated in its help.

#include "design/design_case.h"
#include "design/input_fields.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct StudyField {
    const char* name; // the engineering symbol: "t", "Lgs", "SigxA"
    bool load;        // scaled by the load factor
    FieldMember member;
    // The box limits; the lowest and highest double where the box has none.
    double low;
    double high;
    bool singleLimits; // compared in single precision (FS, UF)
};

// Every field a study can vary, geometry first, then safety format, strengths and loads.
const std::vector<StudyField>& studyFields();
// The field of a name (exactly as written), or nullptr.
const StudyField* findStudyField(std::string_view name);
// "t, s1, s2, ...": every name, for the message that refuses another.
std::string studyFieldNames();

double fieldValue(const CaseInputs& c, const StudyField& f);
// Stores `value` in the field's precision and returns the value the case now holds.
double setField(CaseInputs& c, const StudyField& f, double value);

// Whether the value lies within the box limits of the field.
bool withinLimits(const StudyField& f, double value);

// The load groups of the capacity study: sigx sets SigxA = SigxB, sigy sets SigyA = SigyC,
// tau sets Tau, p sets p = ps.
enum class LoadGroup { sigx, sigy, tau, p };
std::optional<LoadGroup> findLoadGroup(std::string_view name);
const char* loadGroupName(LoadGroup g);
// The group's value in the case: SigxA, SigyA, Tau, p.
double groupValue(const CaseInputs& c, LoadGroup g);
void setGroup(CaseInputs& c, LoadGroup g, double value);

// Every load (SigxA, SigxB, SigyA, SigyC, Tau, p, ps) of `base` multiplied by `lambda`, each in
// the precision the case holds it in.
void scaleLoads(CaseInputs& c, const CaseInputs& base, double lambda);

} // namespace korvel
