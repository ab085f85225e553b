#pragma once

// The design case: the one record of a stiffened plate panel under assessment: its inputs,
// their assessment (derived quantities and results) and the window's options.
//
// Units: mm, MPa (N/mm2), mm2, mm3, mm4, kg/m; the unit length UL in m. Compression is
// negative. Fields the assessment holds in single precision are `float`: their digits enter
// the results (FS = 1.43 is the float nearest 1.43), so they must not be widened early.

#include "design/calc_fault.h"
#include "design/section_records.h"
#include "design/utilisation.h"

#include <array>
#include <initializer_list>
#include <string>

namespace korvel {

inline constexpr const char* newFileMarker = "New File";

// Analysis selection, also the print selection.
enum Analysis : int { analysisBuckling = 1, analysisScantlingYield = 2, analysisAll = 3 };

// Loading condition with its safety format.
enum LoadingCondition : int { conditionA = 0, conditionB = 1, conditionC = 2 };

// Structure type: the tab of the c-factor control.
enum StructureType : int { watertightBulkhead = 0, tankBulkhead = 1, upperStructure = 2 };

// Stiffener profile type codes.
enum StiffenerType : int {
    stiffLTable = 0,
    stiffLBuiltUp = 1,
    stiffTTable = 2,
    stiffTBuiltUp = 3,
    stiffFlatbarTable = 4,
    stiffFlatbarBuiltUp = 5,
    stiffBFTable = 6,
    stiffRHS = 7,
    stiffTrapez = 8,
    stiffIBuiltUp = 9,
};
inline constexpr int stiffenerTypeCount = 10;

// Girder type codes; they match the built-up angle and tee of the stiffener.
enum GirderType : int { girderL = 1, girderT = 3 };

// One remembered set of dimensions of a built-up or free-dimension profile. For RHS and
// Trapez `tw` is the single wall thickness.
struct ProfileDims {
    float H = 200;
    float B = 90;
    float tw = 9;
    float tf = 12;
    float a = 0;
    bool operator==(const ProfileDims& o) const { return H == o.H && B == o.B && tw == o.tw && tf == o.tf && a == o.a; }
};

struct GirderDims {
    double H = 800;
    double B = 200;
    double tw = 10;
    float tf = 20;
    bool operator==(const GirderDims& o) const { return H == o.H && B == o.B && tw == o.tw && tf == o.tf; }
};

// Stresses and widths the driver prepares before any check reads them.
struct PreparedStresses {
    double sg = 0;    // girder load breadth (L1 + L2)/2
    float s1s2 = 0;   // s1 + s2
    double smean = 0; // (s1 + s2)/2
    double SigxS = 0; // x stress at the stiffener line
    double sigx1Min = 0, sigx1Max = 0;
    double sigx2Min = 0, sigx2Max = 0;
    double sigyMin = 0, sigyMax = 0;
    float sw = 0; // effective breadth in bending
};

// Intermediate quantities of one plate field (ABS 3/3.1 to 3/3.5), kept for the detail listing.
struct PlateDetail {
    // Elastic buckling stages: the coefficients and the elastic stresses they give (shear,
    // longitudinal along L1, transverse), before the plasticity correction.
    float ktau = 0;
    double tauE = 0;
    double ks = 0, sigEx = 0;
    double kl = 0, sigEy = 0;

    float tauC = 0;
    double sigCx = 0, sigCy = 0;
    double sigUx = 0, sigUy = 0, tauU = 0;
    double Cx = 0, Cy = 0;
    double beta = 0, phi = 0;
    double sigx = 0, sigy = 0;
    double sige = 0, pu = 0;
    double UFpb = 0, UFpu = 0, UFpl = 0;
    double se = 0;
};

// Intermediate quantities of the stiffener, girder and overall buckling checks.
struct BucklingDetail {
    double A = 0; // the stiffener with the full plate width s: Ax + s·t
    double Siga = 0, SigEA = 0, SigF = 0, SigCA = 0, Sigb = 0;
    // σF of the beam-column check (3/5.1): the plate's and the stiffener's yield strengths
    // weighted by their areas; SigF above is the torsional check's min(Fys, Fyp).
    double SigFbu = 0;
    float SigET = 0, SigCT = 0;
    int torsionHalfWaves = 0; // number of half-waves along L1 of the lowest torsional mode
    double y = 0;             // mid-span deflection
    double girderK1 = 0, girderK2 = 0;
    double girderSigEx = 0, girderSigEy = 0;
    double girderSigCx = 0;
    float girderSigCy = 0;
    double girderSigy = 0; // mean y stress (SigyA + SigyC)/2
    float gammaO = 0;
    double io = 0;
};

// The governing points of the yield checks (3-2-1/3.11): the corner (0 to 3 for A to D), the
// point on the plate side and on the free edge (1 to 3), each with its equivalent stress.
struct YieldDetail {
    int corner = 0;
    double cornerStress = 0;
    int platePoint = 1;
    double plateStress = 0;
    int edgePoint = 1;
    double edgeStress = 0;
};

// The required scantlings the minimum-scantling checks compare with the case's own: the plate
// thickness, the section moduli (cm3) with the smaller of the two fibres, the girder's depth and
// web thickness (mm).
struct ScantlingDetail {
    double tmin = 0;
    int tminPlate = 1; // the wider plate field (1 or 2), whose thickness is required
    double stiffenerSM = 0, stiffenerWeffmin = 0;
    double girderSM = 0, girderWeffmin = 0;
    double hmin = 0, twmin = 0;
};

// The thirteen utilisation factors, each not computed until its check sets it (the table of
// checks in design/check_table.h lists them with their symbols and headings).
struct Results {
    // Every result in the order of the table of checks, for code that treats them alike and
    // runs in every calculation (a loop over the table's member pointers costs more).
    template <class F>
    void forEach(F&& f) const {
        f(UFpb), f(UFpu), f(UFpl), f(UFbu), f(UFbt), f(UFs), f(UFgbu);
        f(UFt), f(UFsm), f(UFgm), f(UFy), f(UFyp), f(UFys);
    }

    Utilisation<double> UFpb, UFpu, UFpl;
    Utilisation<double> UFbu, UFbt;
    Utilisation<double> UFs;
    Utilisation<float> UFgbu;
    Utilisation<double> UFt, UFsm, UFgm;
    Utilisation<double> UFy, UFyp, UFys;
};

// Every input of one case: what the engineer types or a file gives, the remembered dimensions
// of the built-up types among them. Nothing the calculation derives is kept here, and the
// calculation never changes it. Two cases with equal inputs have equal results.
struct CaseInputs {
    // Identification.
    std::string projectName = "Project";
    std::string identification = "Test";

    int loadingCondition = conditionA;
    int structureType = tankBulkhead;
    int structureOption = 0;

    // Safety format.
    float FS = 1.43f;
    float UF = 0.6f;

    // Geometry (mm).
    double t = 20;
    double s1 = 625;
    double s2 = 625;
    double L1 = 3000;
    double L2 = 2500;
    double Lg = 8000;
    float Lgs = 6000;
    double Lt = 3000;

    // Loads (MPa).
    double SigxA = -100;
    float SigxB = -100;
    double SigyA = -30;
    float SigyC = -30;
    float Tau = 40;
    double p = 0.03;
    double ps = 0.03;

    // Materials (MPa): positions in the material list, and the strengths typed for the
    // user-defined last grade. A grade of the list puts its own strengths in force instead; the
    // checks read the strengths in force (Assessment::plateSteel, stiffenerSteel).
    int plateMaterial = 2;
    int stiffenerMaterial = 2;
    double Fyp = 0;
    float Fup = 0;
    double Fys = 0;
    float Fus = 0;
    float E = 206000;

    // c-factor input (m).
    float UL = 65;

    // Stiffener: type and catalogue rows; the working profile is taken from the row or the
    // remembered set of the type when the case is run.
    int stiffenerType = stiffLTable;
    int lRow = 0;
    int tRow = 0;
    int flatbarRow = 13;
    int bfRow = 16;

    // Remembered dimensions of the built-up and free-dimension stiffener types.
    ProfileDims lBuiltUp{200, 90, 9, 12, 0};
    ProfileDims tBuiltUp{200, 90, 9, 12, 0};
    ProfileDims flatbarBuiltUp{200, 0, 9, 0, 0};
    ProfileDims rhs{200, 90, 9, 9, 0};
    ProfileDims trapez{200, 90, 9, 9, 50};
    ProfileDims iBuiltUp{200, 90, 9, 12, 0};

    // Girder: type and the remembered set of each type.
    int girderType = girderT;
    GirderDims lGirder;
    GirderDims tGirder;

    bool operator==(const CaseInputs& o) const;
    bool operator!=(const CaseInputs& o) const { return !(*this == o); }
};

// The strengths of one steel in force for a calculation (MPa): the grade's from the material
// list, or those typed for the user-defined grade. Fu is held in single precision, as the
// checks use it.
struct MaterialStrengths {
    double Fy = 0;
    float Fu = 0;
    bool operator==(const MaterialStrengths& o) const { return Fy == o.Fy && Fu == o.Fu; }
};

// The stiffener profile the calculation works with, taken from the table row or the remembered
// set of the type by the profile selection. A dimension the type has not (B and tf of a flat
// bar, a and r of most types) keeps what the profile before it left: the window shows and a
// project file stores the profile as a whole.
struct WorkingProfile {
    float H = 200;
    float B = 90;
    float tw = 9;
    float tf = 12;
    float a = 1;       // Trapez web offset; bulb flat: c
    float bfCol4 = 10; // bulb flat: r; rolled angle: the root fillet 2*tw
    double A = 0;      // profile area (bulb flat: from the table)
    bool operator==(const WorkingProfile& o) const {
        return H == o.H && B == o.B && tw == o.tw && tf == o.tf && a == o.a && bfCol4 == o.bfCol4 && A == o.A;
    }
};

// What the calculation derives from the inputs: the strengths in force, the working profile,
// section properties, prepared stresses, the utilisations with the numbers their listings show,
// and where the calculation stopped.
struct Assessment : WorkingProfile {
    // The strengths in force: plate and girder, stiffener.
    MaterialStrengths plateSteel;
    MaterialStrengths stiffenerSteel;

    // Why the working profile could not be formed at its last selection (a flange width of 0, a
    // table without the row); empty when it was. While it is set the calculation stops in the
    // profile selection: no section property of another profile may stand in for this one.
    std::string profileProblem;
    ProfileShape shape;
    double Q = 0; // material factor of the scantling rules
    PreparedStresses prep;
    float se = 0; // effective width of the attached plate in buckling
    StiffenerSection stiff;
    GirderSection girder;

    // Results.
    Results uf;
    std::array<PlateDetail, 2> plate;
    BucklingDetail buckling;
    YieldDetail yield;
    ScantlingDetail scantling;
    double girderDepthRatio = notComputed;
    double girderWebRatio = notComputed;
    double cStiffener = 0;
    double cGirder = 0;

    // Raised when plate 1 or 2 could not form its effective width: the listing asks the
    // engineer to decrease the y stress.
    bool sigyError = false;

    // Where and why the last calculation stopped; empty when it ran to the end.
    CalcFault fault;
};

// The case the window shows: its inputs, their assessment, and what the window keeps with it.
struct DesignCase : CaseInputs, Assessment {
    std::string fileName = newFileMarker;

    // Analysis selection, what the listings and the report show.
    int analysis = analysisBuckling;
    bool includeDeformation = false;
    int printSelection = 0;

    // Profile dialogs: 1 shows the schematic picture of the type (not to scale), 0 the outline
    // drawn to scale on its plate strip.
    int figureNotToScale = 1;
};

// Sets every field to its new-file value (inputs, options, profiles, remembered sets) and
// clears all results. The strengths in force follow from the material indices at the next
// calculation.
void resetToNewFile(DesignCase& dc);

// Whether two cases differ at most in their loads (the fields a study scales as loads): the
// stiffener profile and the girder section formed for one stand for the other.
bool sameButLoads(const CaseInputs& a, const CaseInputs& b);

// The inputs with the strengths in force in place of the typed ones, as files and listings show
// a case: a grade of the list gives its own.
CaseInputs inputsInForce(const DesignCase& dc);

// Loading condition A (static) and B (combined) set their factor of safety and allowable
// utilisation; C (other) keeps what was typed.
void chooseLoadingCondition(DesignCase& dc, int condition);

} // namespace korvel
