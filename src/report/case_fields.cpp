#include "report/case_fields.h"

#include "design/check_table.h"
#include "files/batch_fields.h"
#include "sections/profile_types.h"

namespace korvel {

namespace {

// Hands a quantity to the visitor under a name spelt as a literal or composed.
class Put {
public:
    explicit Put(CaseFieldVisitor& visitor) : visitor_(visitor) {}
    template <typename Value>
    void operator()(std::string_view name, const Value& value) {
        visitor_.field(name, value);
    }

private:
    CaseFieldVisitor& visitor_;
};

// The typed numbers of batch fields `first` to `last`, in the order of a batch line and named by
// their symbols, each in its own precision.
void numbers(Put& put, const CaseInputs& c, int first, int last) {
    forEachBatchNumber(first, last,
                       [&](const InputField& f) { f.member.visit(c, [&](auto value) { put(f.symbol, value); }); });
}

void inputs(Put& put, const DesignCase& dc) {
    const CaseInputs shown = inputsInForce(dc);
    put("project", dc.projectName);
    put("identification", dc.identification);
    put("loadingCondition", dc.loadingCondition);
    numbers(put, shown, 3, 9);
    put("structureType", dc.structureType);
    put("structureOption", dc.structureOption);
    numbers(put, shown, 11, 11);
    put("stiffenerType", dc.stiffenerType);
    put("lRow", dc.lRow);
    put("bfRow", dc.bfRow);
    // The profile the case was calculated with: for "LR" and "BF" the table row's, which may
    // stand in for dimensions the table lacks.
    put("profile", stiffenerDesignation(dc));
    put("H", dc.H);
    put("B", dc.B);
    put("tw", dc.tw);
    put("tf", dc.tf);
    put("a", dc.a);
    put("r", dc.bfCol4);
    put("A", dc.A);
    put("girderType", dc.girderType);
    put("Hg", dc.girder.H);
    put("Bg", dc.girder.B);
    put("twg", dc.girder.tw);
    put("tfg", dc.girder.tf);
    numbers(put, shown, 17, batchCaseFields - 1);
}

void prepared(Put& put, const DesignCase& dc) {
    const PreparedStresses& s = dc.prep;
    put("sg", s.sg);
    put("s1+s2", s.s1s2);
    put("smean", s.smean);
    put("SigxS", s.SigxS);
    put("Sigx1min", s.sigx1Min);
    put("Sigx1max", s.sigx1Max);
    put("Sigx2min", s.sigx2Min);
    put("Sigx2max", s.sigx2Max);
    put("Sigymin", s.sigyMin);
    put("Sigymax", s.sigyMax);
}

void plates(Put& put, const DesignCase& dc) {
    for (std::size_t i = 0; i < dc.plate.size(); ++i) {
        const PlateDetail& d = dc.plate[i];
        const std::string n = "[" + std::to_string(i + 1) + "]";
        put("TauC" + n, d.tauC);
        put("SigCx" + n, d.sigCx);
        put("SigCy" + n, d.sigCy);
        put("SigUx" + n, d.sigUx);
        put("SigUy" + n, d.sigUy);
        put("TauU" + n, d.tauU);
        put("Cx" + n, d.Cx);
        put("Cy" + n, d.Cy);
        put("beta" + n, d.beta);
        put("phi" + n, d.phi);
        put("Sigx" + n, d.sigx);
        put("Sigy" + n, d.sigy);
        put("Sige" + n, d.sige);
        put("pu" + n, d.pu);
        put("UFpb" + n, d.UFpb);
        put("UFpu" + n, d.UFpu);
        put("UFpl" + n, d.UFpl);
        put("se" + n, d.se);
    }
}

void stiffener(Put& put, const DesignCase& dc) {
    const ProfileShape& shape = dc.shape;
    put("hw", shape.hw);
    put("b2", shape.b2);
    put("e", shape.e);
    put("u", shape.u);
    put("m", shape.m);
    put("se", dc.se);
    put("sw", dc.prep.sw);
    const StiffenerSection& s = dc.stiff;
    put("sy", s.sy);
    put("Ax", s.Ax);
    put("g", s.g);
    put("zc", s.zc);
    put("yc", s.yc);
    put("Iy", s.Iy);
    put("Iz", s.Iz);
    put("Iyf", s.Iyf);
    put("Io", s.Io);
    put("K", s.K);
    put("Gamma", s.Gamma);
    put("Aey", s.Aey);
    put("zpy", s.zpy);
    put("Iey", s.Iey);
    put("Wp", s.Wp);
    put("Ws", s.Ws);
    put("Ae", s.Ae);
    put("zp", s.zp);
    put("Ie", s.Ie);
    put("Wep", s.Wep);
    put("Wes", s.Wes);
    put("re", s.re);
    put("Iew", s.Iew);
    put("Wesw", s.Wesw);
}

void girder(Put& put, const DesignCase& dc) {
    const GirderSection& g = dc.girder;
    put("hwg", g.hw);
    put("Ag", g.Ag);
    put("gg", g.gg);
    put("zcg", g.zcg);
    put("Iyg", g.Iyg);
    put("sge", g.sge);
    put("Aeg", g.Aeg);
    put("zpg", g.zpg);
    put("Ieg", g.Ieg);
    put("Wgp", g.Wgp);
    put("Wgs", g.Wgs);
}

void buckling(Put& put, const DesignCase& dc) {
    const BucklingDetail& b = dc.buckling;
    put("Siga", b.Siga);
    put("SigEA", b.SigEA);
    put("SigF", b.SigF);
    put("SigCA", b.SigCA);
    put("Sigb", b.Sigb);
    put("SigET", b.SigET);
    put("SigCT", b.SigCT);
    put("y", b.y);
    put("SigCx[girder]", b.girderSigCx);
    put("SigCy[girder]", b.girderSigCy);
    put("io", b.io);
}

// The elastic stages a reviewer follows by hand: each plate field's buckling coefficients with
// the elastic stresses they give, the lowest torsional mode of the stiffener and the girder's
// orthotropic-plate coefficients and elastic stresses; then the overall buckling factor γo.
void elasticStages(Put& put, const DesignCase& dc) {
    for (std::size_t i = 0; i < dc.plate.size(); ++i) {
        const PlateDetail& d = dc.plate[i];
        const std::string n = "[" + std::to_string(i + 1) + "]";
        put("ktau" + n, d.ktau);
        put("TauE" + n, d.tauE);
        put("ks" + n, d.ks);
        put("SigEx" + n, d.sigEx);
        put("kl" + n, d.kl);
        put("SigEy" + n, d.sigEy);
    }
    const BucklingDetail& b = dc.buckling;
    put("m[torsion]", b.torsionHalfWaves);
    put("k1[girder]", b.girderK1);
    put("k2[girder]", b.girderK2);
    put("SigEx[girder]", b.girderSigEx);
    put("SigEy[girder]", b.girderSigEy);
    put("gammaO", b.gammaO);
}

void scantlings(Put& put, const DesignCase& dc) {
    put("c[stiffener]", dc.cStiffener);
    put("c[girder]", dc.cGirder);
    put("Q", dc.Q);
    put("girderDepthRatio", dc.girderDepthRatio);
    put("girderWebRatio", dc.girderWebRatio);
}

void utilisations(Put& put, const DesignCase& dc) {
    // Each in the precision its check computes in.
    for (const CheckFacts& c : checkTable) {
        if (c.value)
            put(c.symbol, (dc.uf.*c.value).written());
        else
            put(c.symbol, (dc.uf.*c.single).written());
    }
}

} // namespace

void visitCaseFields(const DesignCase& dc, CaseFieldVisitor& visitor) {
    Put put(visitor);
    inputs(put, dc);
    prepared(put, dc);
    plates(put, dc);
    stiffener(put, dc);
    girder(put, dc);
    buckling(put, dc);
    elasticStages(put, dc);
    scantlings(put, dc);
    utilisations(put, dc);
    put("sigyError", std::string(dc.sigyError ? "yes" : "no"));
    put("calculation", dc.fault.stopped() ? dc.fault.message() : std::string("complete"));
}

} // namespace korvel
