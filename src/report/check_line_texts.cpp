#include "report/check_line_texts.h"

#include "checks/buckling/buckling_constants.h"
#include "checks/buckling/plate_buckling.h"
#include "checks/failed_checks.h"
#include "checks/yield/scantling_checks.h"
#include "checks/yield/structure_types.h"
#include "design/number_format.h"

#include <cmath>
#include <string>
#include <string_view>

namespace korvel {

namespace {

constexpr const char* noBucklingControl = "Siga postive or 0 ==> No buckling control";

// "  < 1.0 (3/5.1)": the admissible utilisation with its rule clause; `lead` is the blank or
// blanks before it.
std::string belowOne(std::string_view lead, std::string_view clause, char sep) {
    std::string text(lead);
    text += "< ";
    text += formatNumber(1.0, "0.0", sep);
    text += clause;
    return text;
}

// Whether the check behind a result finished in this calculation.
template <class T>
bool finished(const Utilisation<T>& u) {
    return u.state() != ResultState::notComputed;
}

// A formula text: literals and numbers through their masks, each with the listing's separator.
class Formula {
public:
    explicit Formula(char separator) : separator_(separator) { text_.reserve(160); }

    Formula& operator<<(std::string_view literal) {
        text_ += literal;
        return *this;
    }
    // A float prints on its own seven digits (1.43, not 1.42999995).
    template <class T>
    Formula& number(T value, std::string_view mask) {
        appendNumber(text_, value, mask, separator_);
        return *this;
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
    char separator_;
};

// Lines of the governing plates (3/3.1, 3/3.3, 3/3.5); a utilisation of exactly 0 leaves its
// line empty. Plate 2 keeps pu and UFpl in single precision, and prints them so.
void plateLines(CheckLines& lines, const DesignCase& dc, char sep) {
    const auto value = [&](auto v) { return formatNumber(v, "0.00", sep); };

    const std::size_t pb = governingPlate(dc.plate, &PlateDetail::UFpb);
    if (const PlateDetail& d = dc.plate[pb]; finished(dc.uf.UFpb) && d.UFpb != 0) {
        CheckLine& line = lines.UFpb;
        Formula f(sep);
        f << "1/";
        f.number(dc.UF, "0.00") << "^2*((";
        f.number(d.sigx, "0.0") << "/";
        f.number(d.sigCx, "0.0") << ")^2 + (";
        f.number(static_cast<float>(d.sigy), "0.0") << "/";
        f.number(d.sigCy, "0.0") << ")^2 + (";
        f.number(dc.Tau, "0.0") << "/";
        f.number(d.tauC, "0.0") << ")^2) = ";
        line.label = pb == 1 ? "PL2: UFpb =" : "PL1: UFpb =";
        line.formula = f.take();
        line.value = value(d.UFpb);
        line.limit = belowOne(" ", " (3/3.1)", sep);
        line.status = statusOf(d.UFpb);
    }

    const std::size_t pu = governingPlate(dc.plate, &PlateDetail::UFpu);
    if (const PlateDetail& d = dc.plate[pu]; finished(dc.uf.UFpu) && d.UFpu != 0) {
        CheckLine& line = lines.UFpu;
        const std::string n = formatNumber(dc.UF, "0.00", sep);
        const std::string sigx = formatNumber(d.sigx, "0.0", sep);
        const std::string sigy = formatNumber(static_cast<float>(d.sigy), "0.0", sep);
        const std::string sigUx = formatNumber(d.sigUx, "0.0", sep);
        const std::string sigUy = formatNumber(d.sigUy, "0.0", sep);
        // The brackets of this formula text are not balanced; engineers know it as it stands.
        Formula f(sep);
        f << "1/" << n << "^2*(" << sigx << "/" << sigUx << ")^2 -";
        f.number(d.phi, "0.00") << "*(" << sigx << "*" << sigy << "/(" << sigUx << "*" << sigUy << ") + (" << sigy
                                << "/" << sigUy << ")^2 + (";
        f.number(dc.Tau, "0.0") << "/";
        f.number(d.tauU, "0.0") << "))^2) = ";
        line.label = pu == 1 ? "PL2: UFpu = " : "PL1: UFpu = ";
        line.formula = f.take();
        line.value = value(d.UFpu);
        line.limit = belowOne(" ", " (3/3.3)", sep);
        line.status = statusOf(d.UFpu);
    }

    const std::size_t pl = governingPlate(dc.plate, &PlateDetail::UFpl);
    if (const PlateDetail& d = dc.plate[pl]; finished(dc.uf.UFpl) && d.UFpl != 0) {
        CheckLine& line = lines.UFpl;
        // One line for both plates when they are alike.
        const bool sameSpacing = dc.s1 == dc.s2;
        const bool plate1Alike = sameSpacing && dc.plate[0].sigx == dc.prep.sigx2Min;
        const bool plate2Alike = sameSpacing && dc.plate[0].sigx == dc.plate[1].sigx;
        const char* both = "PL1/PL2: UFpl = p/(n*pu) = ";
        const bool plate2 = pl == 1;
        Formula f(sep);
        f.number(dc.p, "0.000") << "/(";
        f.number(dc.UF, "0.00") << "*";
        if (plate2)
            f.number(static_cast<float>(d.pu), "0.000");
        else
            f.number(d.pu, "0.000");
        f << ") = ";
        line.label = plate2 ? (plate2Alike ? both : "PL2: UFpl = p/(n*pu) = ")
                            : (plate1Alike ? both : "PL1: UFpl = p/(n*pu) = ");
        line.formula = f.take();
        line.value = plate2 ? value(static_cast<float>(d.UFpl)) : value(d.UFpl);
        line.limit = belowOne(" ", " (3/3.5)", sep);
        line.status = statusOf(d.UFpl);
    }
}

// Beam-column (3/5.1) and torsional (3/5.3) buckling of the stiffener, and its deflection.
// A stiffener not in compression lists the two buckling lines as "no buckling control".
void stiffenerLines(CheckLines& lines, const DesignCase& dc, char sep) {
    if (!finished(dc.uf.UFbu)) return;
    const BucklingDetail& d = dc.buckling;
    const StiffenerSection& x = dc.stiff;
    const float n = dc.UF;

    CheckLine& bu = lines.UFbu;
    bu.label = "UFbu= ";
    CheckLine& bt = lines.UFbt;
    if (d.Siga > 0) {
        const double UFbu = dc.uf.UFbu;
        // The bending term divides by the stiffener's own Fys, while the text shows the
        // combined σF.
        Formula f(sep);
        f << "1/";
        f.number(n, "0.0") << "*(";
        f.number(d.Siga, "0.0") << "/(";
        f.number(d.SigCA, "0.0") << "*(";
        f.number(x.Ae, "0") << "/";
        f.number(d.A, "0") << ")) + ";
        f.number(Cm, "0.00") << "*";
        f.number(d.Sigb, "0.0") << "/(";
        f.number(d.SigFbu, "0.0") << "*[1-";
        f.number(d.Siga, "0.0") << "/(";
        f.number(n, "0.00") << "*";
        f.number(d.SigEA, "0.0") << ")]))"
                                 << " =";
        bu.formula = f.take();
        bu.value = formatNumber(UFbu, "0.00", sep);
        bu.limit = belowOne("  ", " (3/5.1)", sep);
        bu.status = statusOf(UFbu);

        const double UFbt = dc.uf.UFbt;
        Formula g(sep);
        g.number(d.Siga, "0.0") << "/(";
        g.number(n, "0.0") << "*";
        g.number(d.SigCT, "0.0") << ")  =";
        bt.label = "UFbt= Siga/(n*SigCT) = ";
        bt.formula = g.take();
        bt.value = formatNumber(UFbt, "0.00", sep);
        bt.limit = belowOne("  ", " (3/5.3)", sep);
        bt.status = statusOf(UFbt);
    } else {
        bu.formula = noBucklingControl;
        bt.formula = noBucklingControl;
    }

    // Mid-span deflection with the yield plate width, fixed ends; no verdict.
    if (d.y != 0) {
        CheckLine& line = lines.deformation;
        Formula f(sep);
        f.number(std::fabs(dc.p), "0.00") << "*(";
        f.number(dc.s1, "00") << "+";
        f.number(dc.s2, "00") << ")/2*";
        f.number(dc.L1, "00") << "^4/(384*E*";
        f.number(x.Iey, "00.0E+0") << ") = ";
        line.label = "Deformation y = p*(s1+s2)/2*L1^4/(384*E*Iyeff) = ";
        line.formula = f.take();
        line.value = formatNumber(d.y, "0.0", sep) + " mm ";
        line.limit = " ==> l/" + formatNumber(dc.L1 / d.y, "00", sep);
    }
}

// Girder (3/5.7) and overall (3/9.1) buckling: their lines stand whatever the value.
void panelLines(CheckLines& lines, const DesignCase& dc, char sep) {
    const BucklingDetail& d = dc.buckling;
    if (finished(dc.uf.UFgbu)) {
        const float UFgbu = dc.uf.UFgbu;
        const float n = dc.UF;
        Formula f(sep);
        f << "(";
        f.number(dc.prep.SigxS, "0.0") << "/(";
        f.number(n, "0.00") << "*";
        f.number(d.girderSigCx, "0.0") << "))^2 + (";
        f.number(d.girderSigy, "0.0") << "/(";
        f.number(n, "0.00") << "*";
        f.number(d.girderSigCy, "0.0") << "))^2 = ";
        CheckLine& line = lines.UFgbu;
        line.label = "UFgbu= ";
        line.formula = f.take();
        line.value = formatNumber(UFgbu, "0.00", sep);
        line.limit = belowOne("  ", " (3/5.7)", sep);
        line.status = statusOf(UFgbu);
    }
    if (finished(dc.uf.UFs)) {
        const double UFs = dc.uf.UFs;
        // Ie first, as in the label, while the value is io/Ie.
        Formula f(sep);
        f.number(dc.stiff.Ie, "0.000E+0") << "/";
        f.number(d.io, "0.000E+0") << " = ";
        CheckLine& line = lines.UFs;
        line.label = "UFs = Ieff/io = ";
        line.formula = f.take();
        line.value = formatNumber(UFs, "0.00", sep);
        line.limit = belowOne("  ", " (3/9.1)", sep);
        line.status = statusOf(UFs);
    }
}

// "Point 2p: UF = F.S.*Sigeq/Fy  = 1.43*112.7/355.0 = 0.45": FS, the governing stress and the
// yield strength (3-2-1/3.11).
CheckLine yieldLine(std::string label, const DesignCase& dc, double sigeq, double Fy, double UF, char sep) {
    Formula f(sep);
    f.number(dc.FS, "0.00") << "*";
    f.number(sigeq, "0.0") << "/";
    f.number(Fy, "0.0") << " = ";
    CheckLine line;
    line.label = std::move(label);
    line.formula = f.take();
    line.value = formatNumber(UF, "0.00", sep);
    line.limit = belowOne("  ", " (3-2-1/3.11)", sep);
    line.status = statusOf(UF);
    return line;
}

void yieldLines(CheckLines& lines, const DesignCase& dc, char sep) {
    const YieldDetail& y = dc.yield;
    if (finished(dc.uf.UFy)) {
        // The factor-of-safety heading stands also without in-plane stresses.
        std::string heading = "  Control in points A-D,  Factor of Safety F.S. = " + formatNumber(dc.FS, "0.00", sep);
        const double UFy = dc.uf.UFy;
        if (UFy != 0) {
            const std::string letter(1, static_cast<char>('A' + y.corner));
            lines.corner = yieldLine("Point: " + letter + ":  UF = F.S.*Sigeq/Fy = ", dc, y.cornerStress,
                                     dc.plateSteel.Fy, UFy, sep);
        }
        lines.corner.heading = std::move(heading);
    }
    if (finished(dc.uf.UFyp)) {
        lines.platePoint = yieldLine("Point " + std::to_string(y.platePoint) + "p: UF = F.S.*Sigeq/Fy  = ", dc,
                                     y.plateStress, dc.plateSteel.Fy, dc.uf.UFyp, sep);
        lines.stiffPoint = yieldLine("Point " + std::to_string(y.edgePoint) + "s: UF = F.S.*Sigeq/Fy  = ", dc,
                                     y.edgeStress, dc.stiffenerSteel.Fy, dc.uf.UFys, sep);
    }
}

// SM line: "85.3/150.0 = " and the utilisation; empty when SM is zero (no scantling pressure).
CheckLine modulusLine(double SM, double Weffmin, double UF, std::string_view clause, char sep) {
    CheckLine line;
    if (!(UF > 0)) return line;
    line.label = "UF = SM/Weffmin  = ";
    line.formula = formatNumber(SM, "0.0", sep) + "/" + formatNumber(Weffmin, "0.0", sep) + " = ";
    line.value = formatNumber(UF, "0.00", sep);
    line.limit = belowOne("  ", clause, sep);
    line.status = statusOf(UF);
    return line;
}

// Depth, web and bracket lines: a minimum dimension and the rule's OK/NOK.
CheckLine ruleLine(const char* label, std::string expression, const DesignCase& dc, std::size_t rule,
                   std::string_view clause) {
    const bool fails = ruleOutcome(dc, rule - firstRule).failed();
    CheckLine line;
    line.label = label;
    line.formula = std::move(expression);
    line.value = fails ? "NOK" : "OK";
    line.limit = clause;
    line.status = fails ? statusFail : statusOk;
    return line;
}

void scantlingLines(CheckLines& lines, const DesignCase& dc, char sep) {
    const StructureTypeFacts* structure = structureTypeFacts(dc.structureType);
    if (!structure) return; // the scantling checks stop on an unknown structure type
    const ScantlingClauses& clause = structure->scantlingClauses;
    const ScantlingDetail& d = dc.scantling;

    if (finished(dc.uf.UFt) && dc.uf.UFt != 0) {
        const double UFt = dc.uf.UFt;
        CheckLine& line = lines.plateThickness;
        line.label = d.tminPlate == 2 ? "Plate 2: UF = tmin/t = " : "Plate 1: UF = tmin/t = ";
        line.formula = formatNumber(d.tmin, "0.00", sep) + "/" + formatNumber(dc.t, "0.00", sep) + " = ";
        line.value = formatNumber(UFt, "0.00", sep);
        line.limit = belowOne("  ", clause.plate, sep);
        line.status = statusOf(UFt);
    }
    if (finished(dc.uf.UFsm))
        lines.stiffenerModulus = modulusLine(d.stiffenerSM, d.stiffenerWeffmin, dc.uf.UFsm, clause.stiffener, sep);
    if (!finished(dc.uf.UFgm)) return;
    lines.girderModulus = modulusLine(d.girderSM, d.girderWeffmin, dc.uf.UFgm, clause.girder, sep);
    lines.girderDepth = ruleLine("Min depth of girder = ", formatNumber(d.hmin, "0.0", sep) + " mm", dc,
                                 girderDepthRule, clause.girderDimensions);
    lines.girderWeb = ruleLine("Min thickness of web = ", formatNumber(d.twmin, "0.0", sep) + " mm", dc,
                               girderDepthRule + 1, clause.girderDimensions);
    lines.trippingBrackets =
        ruleLine("Max distance between tripping brackets = ", formatNumber(maxBracketDistance, "0", sep) + " mm", dc,
                 girderDepthRule + 2, clause.brackets);
}

} // namespace

CheckLines composeCheckLines(const DesignCase& dc, char decimalSeparator) {
    CheckLines lines;
    plateLines(lines, dc, decimalSeparator);
    stiffenerLines(lines, dc, decimalSeparator);
    panelLines(lines, dc, decimalSeparator);
    yieldLines(lines, dc, decimalSeparator);
    scantlingLines(lines, dc, decimalSeparator);
    return lines;
}

ProportionTexts proportionTexts(const StiffenerSection& s, char decimalSeparator) {
    ProportionTexts texts;
    const auto ratio = [&](double v) { return formatNumber(v, "0.0", decimalSeparator); };
    if (s.webRule) texts.web = "Web: hw/tw = " + ratio(s.webRatio) + " <= " + ratio(s.webLimit);
    if (s.flangeRule) texts.flange = "Flange: b2/tf = " + ratio(s.flangeRatio) + " <= " + ratio(s.flangeLimit);
    return texts;
}

} // namespace korvel
