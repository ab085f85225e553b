#include "sections/profile_types.h"

#include "design/number_format.h"
#include "sections/stiffener_section.h"

namespace korvel {

namespace {

std::string mm(const std::string& value) {
    return value + " mm";
}

} // namespace

std::optional<TableKind> tableKindOf(int stiffenerType) {
    switch (stiffenerType) {
    case stiffLTable:
        return TableKind::l;
    case stiffTTable:
        return TableKind::t;
    case stiffFlatbarTable:
        return TableKind::flatbar;
    case stiffBFTable:
        return TableKind::bulbFlat;
    default:
        return std::nullopt;
    }
}

const ProfileTable& tableOf(const Catalogue& cat, TableKind kind) {
    switch (kind) {
    case TableKind::l:
        return cat.l;
    case TableKind::t:
        return cat.t;
    case TableKind::flatbar:
        return cat.fb;
    case TableKind::bulbFlat:
        break;
    }
    return cat.bf;
}

std::string_view tableName(TableKind kind) {
    switch (kind) {
    case TableKind::l:
        return "L-table";
    case TableKind::t:
        return "T-table";
    case TableKind::flatbar:
        return "Flatbar-table";
    case TableKind::bulbFlat:
        break;
    }
    return "BF-table";
}

const ProfileDims* builtUpDims(const DesignCase& dc, int stiffenerType) {
    switch (stiffenerType) {
    case stiffLBuiltUp:
        return &dc.lBuiltUp;
    case stiffTBuiltUp:
        return &dc.tBuiltUp;
    case stiffFlatbarBuiltUp:
        return &dc.flatbarBuiltUp;
    case stiffRHS:
        return &dc.rhs;
    case stiffTrapez:
        return &dc.trapez;
    case stiffIBuiltUp:
        return &dc.iBuiltUp;
    default:
        return nullptr;
    }
}

ProfileDims* builtUpDims(DesignCase& dc, int stiffenerType) {
    return const_cast<ProfileDims*>(builtUpDims(static_cast<const DesignCase&>(dc), stiffenerType));
}

const GirderDims* girderDims(const DesignCase& dc, int girderType) {
    if (girderType == girderL) return &dc.lGirder;
    if (girderType == girderT) return &dc.tGirder;
    return nullptr;
}

GirderDims* girderDims(DesignCase& dc, int girderType) {
    return const_cast<GirderDims*>(girderDims(static_cast<const DesignCase&>(dc), girderType));
}

namespace {

StepOutcome loadWorkingProfile(DesignCase& dc, const Catalogue& cat) {
    const int type = dc.stiffenerType;
    if (!isStiffenerType(type))
        return StepOutcome::fault("stiffener type " + std::to_string(type) + " is not one of 0 to 9");

    if (const auto kind = tableKindOf(type)) {
        const ProfileTable& table = tableOf(cat, *kind);
        const int row = *kind == TableKind::l         ? dc.lRow
                        : *kind == TableKind::t       ? dc.tRow
                        : *kind == TableKind::flatbar ? dc.flatbarRow
                                                      : dc.bfRow;
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
        const ProfileDims& d = *builtUpDims(dc, type);
        dc.H = d.H;
        dc.tw = d.tw;
        if (type != stiffFlatbarBuiltUp) dc.B = d.B;
        if (type == stiffRHS || type == stiffTrapez)
            dc.tf = d.tw; // one wall thickness for web and top
        else if (type != stiffFlatbarBuiltUp)
            dc.tf = d.tf;
        if (type == stiffTrapez) dc.a = d.a;
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
        return outcome;
    }
    // The shape and section of the profile selected before belong to another profile: they
    // are not carried into this case's calculation.
    dc.profileProblem = outcome.reason;
    dc.shape = ProfileShape{};
    dc.stiff = StiffenerSection{};
    return outcome;
}

StepOutcome formProfileShape(DesignCase& dc) {
    const double H = dc.H, B = dc.B, tw = dc.tw, tf = dc.tf;
    ProfileShape s;
    switch (dc.stiffenerType) {
    case stiffLTable:
    case stiffLBuiltUp:
    case stiffBFTable: // the bulb flat as its equivalent angle
        if (B == 0) return StepOutcome::fault("flange width B is zero: the flange unsymmetry 1 - tw/B is undefined");
        s.hw = H - tf;
        s.b2 = B - tw;
        s.e = B / 2 - tw / 2;
        s.u = 1 - tw / B; // 1 - 2*b1/B with b1 = tw/2
        break;
    case stiffTTable:
    case stiffTBuiltUp:
        s.hw = H - tf;
        s.b2 = (B - tw) / 2;
        break;
    case stiffIBuiltUp:
        s.hw = H - 2 * tf;
        s.b2 = (B - tw) / 2;
        break;
    case stiffFlatbarTable:
    case stiffFlatbarBuiltUp:
        s.hw = H;
        break;
    case stiffRHS:
        s.hw = H - 2 * tw;
        s.b2 = B - 2 * tw;
        break;
    case stiffTrapez:
        s.hw = H - tw;
        s.b2 = B - 2 * tw;
        break;
    default:
        return StepOutcome::fault("stiffener type " + std::to_string(dc.stiffenerType) + " is not one of 0 to 9");
    }
    // Warping factor of the flanged sections (ABS 3/5.3); flat bars and closed cells keep m = 1.
    const int type = dc.stiffenerType;
    if (type <= stiffTBuiltUp || type == stiffBFTable || type == stiffIBuiltUp) {
        if (B == 0) return StepOutcome::fault("flange width B is zero: the warping factor m is undefined");
        s.m = 1 - s.u * (0.7 - 0.1 * s.hw / B);
    }
    dc.shape = s;
    return StepOutcome::done();
}

std::string stiffenerDesignation(const DesignCase& dc) {
    const std::string H = formatNumber(dc.H, "00");
    const std::string B = formatNumber(dc.B, "00");
    const std::string tw = formatNumber(dc.tw, "0.0");
    const std::string flanged = H + "x" + B + "x" + tw + "x" + formatNumber(dc.tf, "#0.0");
    switch (dc.stiffenerType) {
    case stiffLTable:
        return "L " + flanged;
    case stiffLBuiltUp:
        return "Built-up: L " + flanged;
    case stiffTTable:
        return "T " + flanged;
    case stiffTBuiltUp:
        return "Built-up: T " + flanged;
    case stiffFlatbarTable:
    case stiffFlatbarBuiltUp:
        return "Fb " + H + "x" + tw;
    case stiffBFTable:
        return "BF " + H + "x" + tw;
    case stiffRHS:
        return "RHS " + H + "x" + B + "x" + tw;
    case stiffTrapez:
        if (dc.a != 0) return "Trapez " + H + "x" + B + "/" + formatNumber(dc.a, "00") + "x" + tw;
        return "Trapez " + H + "x" + B + "x" + tw;
    case stiffIBuiltUp:
        return "I " + H + "x" + B + "x" + tw + "x" + formatNumber(dc.tf, "0.0");
    default:
        return {};
    }
}

std::string girderDesignation(const DesignCase& dc) {
    if (!isGirderType(dc.girderType)) return {};
    const GirderSection& g = dc.girder;
    return std::string(dc.girderType == girderL ? "L " : "T ") + formatNumber(g.H, "00") + "x" +
           formatNumber(g.B, "00") + "x" + formatNumber(g.tw, "0.0") + "x" + formatNumber(g.tf, "#0.0");
}

std::string listItemText(const ProfileTable& table, TableKind kind, int row) {
    if (!table.hasRow(row)) return {};
    auto v = [&](int column) { return generalNumber(table.value(row, column)); };
    switch (kind) {
    case TableKind::l:
        return "L" + v(col::H) + "x" + v(col::B) + "x" + v(col::twLT) + "x" + v(col::tfLT);
    case TableKind::t:
        return "T" + v(col::H) + "x" + v(col::B) + "x" + v(col::twLT) + "x" + v(col::tfLT);
    case TableKind::flatbar:
        return "Fb" + v(col::H) + "x" + v(col::twFbBf);
    case TableKind::bulbFlat:
        break;
    }
    return "BF" + v(col::H) + "x" + v(col::twFbBf);
}

std::string_view stiffenerPictureName(int stiffenerType) {
    switch (stiffenerType) {
    case stiffLTable:
    case stiffLBuiltUp:
        return "pic_small_l";
    case stiffTTable:
    case stiffTBuiltUp:
        return "pic_small_t";
    case stiffFlatbarTable:
    case stiffFlatbarBuiltUp:
        return "pic_small_fb";
    case stiffBFTable:
        return "pic_small_hp";
    case stiffRHS:
        return "pic_small_rhs";
    case stiffTrapez:
        return "pic_small_u";
    case stiffIBuiltUp:
        return "pic_small_i";
    default:
        return {};
    }
}

std::string_view girderPictureName(int girderType) {
    if (girderType == girderL) return "pic_small_lg";
    if (girderType == girderT) return "pic_small_tg";
    return {};
}

std::string_view stiffenerDialogCaption(int stiffenerType) {
    static constexpr std::string_view captions[stiffenerTypeCount] = {
        "Stiffener: L-table",        "Stiffener: L-built-up",       "Stiffener: T-table",  "Stiffener: T-built-up",
        "Stiffener: Flatbar-table",  "Stiffener: Flatbar-built-up", "Stiffener: BF-table", "Stiffener: RHS",
        "Stiffener: Trapez-profile", "Stiffener: I-built-up",
    };
    return isStiffenerType(stiffenerType) ? captions[stiffenerType] : std::string_view{};
}

std::string_view girderDialogCaption(int girderType) {
    if (girderType == girderL) return "Girder: L - Built-up";
    if (girderType == girderT) return "Girder: T-built-up";
    return {};
}

DimensionLabels tableDimensionLabels(const DesignCase& dc) {
    DimensionLabels d;
    const auto whole = [](float v) { return mm(formatNumber(v, "##0")); };
    const auto tenth = [](float v) { return mm(formatNumber(v, "##0.0")); };
    switch (dc.stiffenerType) {
    case stiffLTable:
    case stiffTTable:
        d.H = whole(dc.H);
        d.B = whole(dc.B);
        d.tw = tenth(dc.tw);
        d.tf = tenth(dc.tf);
        break;
    case stiffFlatbarTable:
        d.H = whole(dc.H);
        d.tw = tenth(dc.tw);
        break;
    case stiffBFTable:
        d.H = whole(dc.H);
        d.tw = tenth(dc.tw);
        d.c = tenth(dc.a);
        d.r = tenth(dc.bfCol4);
        d.B = tenth(dc.B);
        break;
    default:
        break;
    }
    return d;
}

EditFieldTexts builtUpFieldTexts(const DesignCase& dc, int stiffenerType) {
    EditFieldTexts f;
    const ProfileDims* d = builtUpDims(dc, stiffenerType);
    if (!d) return f;
    f.H = formatNumber(d->H, "##0");
    f.tw = formatNumber(d->tw, "##0.0");
    if (stiffenerType == stiffFlatbarBuiltUp) return f;
    f.B = formatNumber(d->B, stiffenerType == stiffLBuiltUp ? "##0.0" : "##0");
    if (stiffenerType == stiffTrapez) f.a = formatNumber(d->a, "##0");
    if (stiffenerType != stiffRHS && stiffenerType != stiffTrapez) f.tf = formatNumber(d->tf, "##0.0");
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
