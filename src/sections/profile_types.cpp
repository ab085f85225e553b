#include "sections/profile_types.h"

#include "design/number_format.h"
#include "sections/profile_outline.h"
#include "sections/stiffener_section.h"

namespace korvel {

namespace {

std::string mm(const std::string& value) {
    return value + " mm";
}

} // namespace

std::optional<TableKind> tableKindOf(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->table : std::nullopt;
}

std::string_view tableName(TableKind kind) {
    return tableFacts(kind).name;
}

const ProfileDims* builtUpDims(const CaseInputs& c, int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts && facts->builtUp ? &(c.*facts->builtUp) : nullptr;
}

ProfileDims* builtUpDims(CaseInputs& c, int stiffenerType) {
    return const_cast<ProfileDims*>(builtUpDims(static_cast<const CaseInputs&>(c), stiffenerType));
}

void rememberBuiltUp(CaseInputs& c, int stiffenerType, const ProfileDims& dims) {
    ProfileDims* set = builtUpDims(c, stiffenerType);
    if (!set) return;
    if (stiffenerTypeFacts(stiffenerType)->fields & fieldTf) {
        *set = dims;
        return;
    }
    set->H = dims.H;
    set->tw = dims.tw;
}

const GirderDims* girderDims(const CaseInputs& c, int girderType) {
    const GirderTypeFacts* facts = girderTypeFacts(girderType);
    return facts ? &(c.*facts->dims) : nullptr;
}

GirderDims* girderDims(CaseInputs& c, int girderType) {
    return const_cast<GirderDims*>(girderDims(static_cast<const CaseInputs&>(c), girderType));
}

namespace {

StepOutcome loadWorkingProfile(DesignCase& dc, const Catalogue& cat) {
    const int type = dc.stiffenerType;
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(type);
    if (!facts) return unknownStiffenerType(type);

    if (const auto kind = facts->table) {
        const ProfileTable& table = tableOf(cat, *kind);
        const int row = dc.*facts->tableRow;
        const std::string name(tableName(*kind));
        if (table.lastRow < 0) return StepOutcome::fault("the " + name + " is empty");
        if (!table.hasRow(row))
            return StepOutcome::fault(name + " row " + std::to_string(row) + " is outside 0 to " +
                                      std::to_string(table.lastRow));
        const float H = table.value(row, col::H);
        switch (*kind) {
        case TableKind::l:
        case TableKind::t:
            dc.H = H;
            dc.B = table.value(row, col::B);
            dc.tw = table.value(row, col::twLT);
            dc.tf = table.value(row, col::tfLT);
            break;
        case TableKind::flatbar: // a flat bar has no flange: B and tf stay as they were
            dc.H = H;
            dc.tw = table.value(row, col::twFbBf);
            break;
        case TableKind::bulbFlat: {
            // The bulb is replaced by the angle of equal area and equal bulb width, so that the
            // angle formulas of the torsional buckling check apply.
            const float tw = table.value(row, col::twFbBf);
            const float c = table.value(row, col::c);
            const float r = table.value(row, col::r);
            const double Ax = table.value(row, col::Ax);
            const float B = static_cast<float>(static_cast<double>(c) + tw - 0.45 * r);
            dc.H = H;
            dc.tw = tw;
            dc.a = c;
            dc.bfCol4 = r;
            dc.A = Ax;
            if (B == tw)
                return StepOutcome::fault("BF-table row " + std::to_string(row) +
                                          ": the equivalent flange width B equals tw (division by zero)");
            dc.B = B;
            dc.tf = static_cast<float>((Ax - static_cast<double>(H) * tw) / (static_cast<double>(B) - tw));
            break;
        }
        }
    } else {
        const ProfileDims& d = dc.*facts->builtUp;
        dc.H = d.H;
        dc.tw = d.tw;
        if (facts->fields & fieldB) dc.B = d.B;
        if (facts->wallThickness)
            dc.tf = d.tw; // one wall thickness for web and top
        else if (facts->fields & fieldTf)
            dc.tf = d.tf;
        if (facts->fields & fieldA) dc.a = d.a;
    }

    if (StepOutcome shape = formProfileShape(dc); !shape.ok()) return shape;
    return bareProfileProperties(dc);
}

} // namespace

StepOutcome selectProfile(DesignCase& dc, const Catalogue& cat) {
    StepOutcome outcome = loadWorkingProfile(dc, cat);
    if (outcome.ok() && !bareSectionIsFinite(dc.stiff))
        outcome = StepOutcome::fault("a section property of the profile is not a finite number");
    if (outcome.ok()) {
        dc.profileProblem.clear();
        // The rolled angle's root fillet belongs to its profile: the window and a project file
        // show it as r.
        if (stiffenerTypeFacts(dc.stiffenerType)->rolledFillet) dc.bfCol4 = rolledAngleFillet(dc.tw);
        return outcome;
    }
    // The shape and section of the profile selected before belong to another profile: they
    // are not carried into this case's calculation.
    dc.profileProblem = outcome.reason();
    dc.shape = ProfileShape{};
    dc.stiff = StiffenerSection{};
    return outcome;
}

StepOutcome formProfileShape(DesignCase& dc) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (!facts) return unknownStiffenerType(dc.stiffenerType);
    ProfileShape s;
    switch (facts->shape) {
    case ShapeFamily::angle: // the bulb flat as its equivalent angle
        if (B == 0) return StepOutcome::fault("flange width B is zero: the flange unsymmetry 1 - tw/B is undefined");
        s.hw = H - tf;
        s.b2 = B - tw;
        s.e = B / 2 - tw / 2;
        s.u = 1 - tw / B; // 1 - 2*b1/B with b1 = tw/2
        break;
    case ShapeFamily::tee:
        s.hw = H - tf;
        s.b2 = (B - tw) / 2;
        break;
    case ShapeFamily::iSection:
        s.hw = H - 2 * tf;
        s.b2 = (B - tw) / 2;
        break;
    case ShapeFamily::flatBar:
        s.hw = H;
        break;
    case ShapeFamily::rhs:
        s.hw = H - 2 * tw;
        s.b2 = B - 2 * tw;
        break;
    case ShapeFamily::trapez:
        s.hw = H - tw;
        s.b2 = B - 2 * tw;
        break;
    }
    // Warping factor of the flanged sections (ABS 3/5.3); flat bars and closed cells keep m = 1.
    const ShapeFamily family = facts->shape;
    if (family == ShapeFamily::angle || family == ShapeFamily::tee || family == ShapeFamily::iSection) {
        if (B == 0) return StepOutcome::fault("flange width B is zero: the warping factor m is undefined");
        s.m = 1 - s.u * (0.7 - 0.1 * s.hw / B);
    }
    dc.shape = s;
    return StepOutcome::done();
}

std::string stiffenerDesignation(const DesignCase& dc, char sep) {
    const std::string H = formatNumber(dc.H, "00", sep);
    const std::string B = formatNumber(dc.B, "00", sep);
    const std::string tw = formatNumber(dc.tw, "0.0", sep);
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(dc.stiffenerType);
    if (!facts) return {};
    const std::string prefix(facts->designationPrefix);
    switch (facts->form) {
    case DesignationForm::flanged:
        return prefix + H + "x" + B + "x" + tw + "x" + formatNumber(dc.tf, "#0.0", sep);
    case DesignationForm::web:
        return prefix + H + "x" + tw;
    case DesignationForm::box:
        return prefix + H + "x" + B + "x" + tw;
    case DesignationForm::trapez:
        if (dc.a != 0) return prefix + H + "x" + B + "/" + formatNumber(dc.a, "00", sep) + "x" + tw;
        return prefix + H + "x" + B + "x" + tw;
    case DesignationForm::iSection:
        break;
    }
    return prefix + H + "x" + B + "x" + tw + "x" + formatNumber(dc.tf, "0.0", sep);
}

std::string girderDesignation(const DesignCase& dc, char sep) {
    const GirderTypeFacts* facts = girderTypeFacts(dc.girderType);
    if (!facts) return {};
    const GirderSection& g = dc.girder;
    return std::string(facts->designationPrefix) + formatNumber(g.H, "00", sep) + "x" + formatNumber(g.B, "00", sep) +
           "x" + formatNumber(g.tw, "0.0", sep) + "x" + formatNumber(g.tf, "#0.0", sep);
}

std::string listItemText(const ProfileTable& table, TableKind kind, int row) {
    if (!table.hasRow(row)) return {};
    auto v = [&](int column) { return generalNumber(table.value(row, column)); };
    const TableFacts& facts = tableFacts(kind);
    const std::string prefix(facts.itemPrefix);
    if (facts.keyHasB) return prefix + v(col::H) + "x" + v(col::B) + "x" + v(col::twLT) + "x" + v(col::tfLT);
    return prefix + v(col::H) + "x" + v(col::twFbBf);
}

std::string_view stiffenerPictureName(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->pictureName : std::string_view{};
}

std::string_view girderPictureName(int girderType) {
    const GirderTypeFacts* facts = girderTypeFacts(girderType);
    return facts ? facts->pictureName : std::string_view{};
}

std::string_view stiffenerDialogCaption(int stiffenerType) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(stiffenerType);
    return facts ? facts->dialogCaption : std::string_view{};
}

std::string_view girderDialogCaption(int girderType) {
    const GirderTypeFacts* facts = girderTypeFacts(girderType);
    return facts ? facts->dialogCaption : std::string_view{};
}

DimensionLabels tableDimensionLabels(const DesignCase& dc) {
    DimensionLabels d;
    const auto whole = [](float v) { return mm(formatNumber(v, "##0")); };
    const auto tenth = [](float v) { return mm(formatNumber(v, "##0.0")); };
    const std::optional<TableKind> kind = tableKindOf(dc.stiffenerType);
    if (!kind) return d;
    switch (*kind) {
    case TableKind::l:
    case TableKind::t:
        d.H = whole(dc.H);
        d.B = whole(dc.B);
        d.tw = tenth(dc.tw);
        d.tf = tenth(dc.tf);
        break;
    case TableKind::flatbar:
        d.H = whole(dc.H);
        d.tw = tenth(dc.tw);
        break;
    case TableKind::bulbFlat:
        d.H = whole(dc.H);
        d.tw = tenth(dc.tw);
        d.c = tenth(dc.a);
        d.r = tenth(dc.bfCol4);
        d.B = tenth(dc.B);
        break;
    }
    return d;
}

EditFieldTexts builtUpFieldTexts(const DesignCase& dc, int stiffenerType) {
    EditFieldTexts f;
    const ProfileDims* d = builtUpDims(dc, stiffenerType);
    if (!d) return f;
    const StiffenerTypeFacts& facts = *stiffenerTypeFacts(stiffenerType);
    f.H = formatNumber(d->H, "##0");
    f.tw = formatNumber(d->tw, "##0.0");
    if (facts.fields & fieldB) f.B = formatNumber(d->B, facts.builtUpBMask);
    if (facts.fields & fieldA) f.a = formatNumber(d->a, "##0");
    if (facts.fields & fieldTf) f.tf = formatNumber(d->tf, "##0.0");
    return f;
}

EditFieldTexts girderFieldTexts(const DesignCase& dc, int girderType) {
    EditFieldTexts f;
    const GirderDims* d = girderDims(dc, girderType);
    if (!d) return f;
    f.H = formatNumber(d->H, "##0");
    f.B = formatNumber(d->B, "##0");
    f.tw = formatNumber(d->tw, "##0.0");
    f.tf = formatNumber(d->tf, "##0.0");
    return f;
}

} // namespace korvel
