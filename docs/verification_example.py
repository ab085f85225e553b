#!/usr/bin/env python3
"""Hand calculation of the verification panel (docs/verification-panel.kori), step by step from
the rule formulas, written apart from KORVEL's C++ code. Section properties are built from
rectangles (area, first and second moments about the plate's mid-thickness), not from the
closed formulas the program uses.

Prints every intermediate as "name = value" to 4 significant digits, named as
`korvel-batch --detail 1 docs/verification-panel.kori` names them. With --markdown it prints
the table of docs/verification.md instead."""

import math
import sys

# ---- Inputs of the panel (the batch line of docs/verification-panel.kori) --------------------
FS, n = 1.43, 0.6
Fyp, Fup, Fys, Fus, E = 355.0, 490.0, 355.0, 490.0, 206000.0
structure_type, UL, option = 1, 65.0, 0  # tank bulkhead, clip attachment
H, B, tw, tf = 250.0, 90.0, 10.0, 15.0  # built-up angle
Hg, Bg, twg, tfg = 800.0, 200.0, 12.0, 20.0  # built-up tee girder
L1, L2, Lg, Lgs, Lt = 3000.0, 3000.0, 9000.0, 6000.0, 3000.0
t, s1, s2 = 14.0, 700.0, 700.0
SigxA, SigxB, SigyA, SigyC, Tau = -120.0, -100.0, -20.0, -20.0, 30.0
p, ps = 0.03, 0.03

pi = math.pi
Pr = 0.6
nu = 0.3
plate_factor = 12 * (1 - nu * nu)  # 12(1 - nu^2) = 10.92
C1, C2 = 1.1, 1.2  # flanged stiffener: edge restraint factors

out = []  # (clause, name, value, what)
clause = ""


def put(name, value, what):
    out.append((clause, name, value, what))


def johnson_ostenfeld(sigE, sigF, elastic_at_limit):
    elastic = sigE <= Pr * sigF if elastic_at_limit else sigE < Pr * sigF
    return sigE if elastic else sigF * (1 - Pr * (1 - Pr) * sigF / sigE)


def transverse_coefficient(ky, alpha):
    """kl/C2 of a plate field under transverse stress with ratio ky, aspect ratio alpha = L1/s."""
    if ky >= 1 / 3:
        return (1 + 1 / alpha ** 2) ** 2 * (1.675 - 0.675 * ky)
    if alpha <= 2:
        return (1 + ky) * (1.0875 * (1 + 1 / alpha ** 2) ** 2 - 18 / alpha ** 2) + 24 / alpha ** 2
    return (1 + ky) * (1.0875 * (1 + 1 / alpha ** 2) ** 2 - 9 / alpha) + 12 / alpha


# ---- Composite rectangles: (width, height, bottom) with z up from the plate surface -----------
def section(rects):
    A = sum(b * h for b, h, z0 in rects)
    S = sum(b * h * (z0 + h / 2) for b, h, z0 in rects)
    zc = S / A
    I = sum(b * h ** 3 / 12 + b * h * (z0 + h / 2 - zc) ** 2 for b, h, z0 in rects)
    return A, zc, I


def profile_rects(H, B, tw, tf):
    hw = H - tf
    return [(tw, hw, 0.0), (B, tf, hw)]


def plated(profile, H, w):
    """Profile on a plate strip w x t: neutral axis zp above the plate's mid-thickness."""
    rects = [(w, t, -t)] + profile
    A, zc, I = section(rects)
    zp = zc + t / 2
    return A, zp, I, I / zp, I / (H + t / 2 - zp)


# ---- Stresses at the stiffener line -----------------------------------------------------------
clause = "3/3.1-3/3.5 plate"
SigxS = SigxA - (SigxA - SigxB) * s1 / (s1 + s2)
put("SigxS", SigxS, "x stress at the stiffener line")
plates = [(s1, min(SigxA, SigxS), max(SigxA, SigxS)), (s2, min(SigxS, SigxB), max(SigxS, SigxB))]
sigy_min, sigy_max = min(SigyA, SigyC), max(SigyA, SigyC)

# ---- Plate fields, 3/3.1 to 3/3.5 -------------------------------------------------------------
sigF = Fyp
tauF = Fyp / math.sqrt(3)
se_i, res = [], []
for i, (s, smin, smax) in enumerate(plates, start=1):
    k = "[%d]" % i
    elastic = pi ** 2 * E / plate_factor * (t / s) ** 2
    ktau = C1 * (5.34 + 4 * (s / L1) ** 2)
    tauE = elastic * ktau
    tauC = johnson_ostenfeld(tauE, tauF, False)
    kx = 1.0 if (smin >= 0 and smax >= 0) else smax / smin
    ks = 8.4 * C1 / (kx + 1.1) if kx > 0 else C1 * (7.6 - 6.4 * kx + 10 * kx * kx)
    sigEx = elastic * ks
    sigCx = johnson_ostenfeld(sigEx, sigF, False)
    alpha = L1 / s
    ky = 1.0 if (sigy_min >= 0 and sigy_max >= 0) else sigy_max / sigy_min
    kl = C2 * transverse_coefficient(ky, alpha)
    sigEy = elastic * kl
    sigCy = johnson_ostenfeld(sigEy, sigF, False)
    sigx = min(smin, 0.0)
    sigy = min(sigy_min, 0.0)
    tau = Tau
    UFpb = ((sigx / sigCx) ** 2 + (sigy / sigCy) ** 2 + (tau / tauC) ** 2) / n ** 2
    tauU = max(tauC + 0.5 * (sigF - math.sqrt(3) * tauC) / math.sqrt(alpha ** 2 + alpha + 1), tauC)
    beta = s / t * math.sqrt(sigF / E)
    Cx = 2 / beta - 1 / beta ** 2 if beta > 1 else 1.0
    sigUx = max(Cx * sigF, sigCx)
    Cy = min(Cx * s / L1 + 0.1 * (1 - s / L1) * (1 + 1 / beta ** 2) ** 2, 1.0)
    sigUy = max(Cy * sigF, sigCy)
    phi = 1 - beta / 2
    UFpu = ((sigx / sigUx) ** 2 - phi * sigx * sigy / (sigUx * sigUy) + (sigy / sigUy) ** 2 + (tau / tauU) ** 2) / n ** 2
    sige = math.sqrt(sigx ** 2 + sigy ** 2 - sigx * sigy + 3 * tau ** 2)
    pu = 4 * Fyp * (t / s) ** 2 * (1 + 1 / alpha ** 2) * math.sqrt(1 - (sige / Fyp) ** 2)
    UFpl = abs(p / (n * pu))
    if UFpb < 1:
        se = s
    else:
        R = 1 - (sigy / sigUy) ** 2 * (1 - 0.25 * phi ** 2)
        if R > 0:
            Cy = min(0.5 * phi * abs(sigy) / sigUy + math.sqrt(R), 1.0)
        se = s * Cx * Cy * math.sqrt(1 - (tau / tauF) ** 2)
    for name, v, what in [
        ("ktau", ktau, "shear buckling coefficient C1(5.34 + 4(s/L1)^2)"),
        ("TauE", tauE, "elastic shear buckling stress"),
        ("TauC", tauC, "critical shear stress"),
        ("ks", ks, "longitudinal coefficient, kappa_x = %.4f" % kx),
        ("SigEx", sigEx, "elastic buckling stress along L1"),
        ("SigCx", sigCx, "critical stress along L1"),
        ("kl", kl, "transverse coefficient, kappa_y = %.4f, alpha = %.4f" % (ky, alpha)),
        ("SigEy", sigEy, "elastic transverse buckling stress"),
        ("SigCy", sigCy, "critical transverse stress"),
        ("Sigx", sigx, "design stress sigma_x"),
        ("Sigy", sigy, "design stress sigma_y"),
        ("UFpb", UFpb, "3/3.1 buckling state limit"),
        ("TauU", tauU, "ultimate shear strength"),
        ("beta", beta, "slenderness (s/t)sqrt(Fy/E)"),
        ("Cx", Cx, "2/beta - 1/beta^2"),
        ("SigUx", sigUx, "ultimate strength along L1"),
        ("Cy", Cy, "transverse strength coefficient"),
        ("SigUy", sigUy, "ultimate transverse strength"),
        ("phi", phi, "1 - beta/2"),
        ("UFpu", UFpu, "3/3.3 ultimate strength"),
        ("Sige", sige, "equivalent stress"),
        ("pu", pu, "ultimate lateral pressure"),
        ("UFpl", UFpl, "3/3.5 lateral pressure"),
        ("se", se, "effective width of the plate field"),
    ]:
        put(name + k, v, what + " (plate %d)" % i)
    se_i.append(se)
    res.append((UFpb, UFpu, UFpl))
se = (se_i[0] + se_i[1]) / 2
put("se", se, "mean effective width")
UFpb = max(r[0] for r in res)
UFpu = max(r[1] for r in res)
UFpl = max(r[2] for r in res)

# ---- Bending width sw -------------------------------------------------------------------------
clause = "stiffener section"
def breadth_ratio(r):
    for lo, base, step in [(4.5, 1.0, 0.0), (4.0, 0.98, 0.02), (3.5, 0.95, 0.03), (3.0, 0.90, 0.05),
                           (2.5, 0.83, 0.07), (2.0, 0.73, 0.10), (1.5, 0.58, 0.15)]:
        if r >= lo:
            return base + step * (r - lo) / 0.5
    return 0.58 * r


l = 0.6 * L1
sw = (s1 * breadth_ratio(l / s1) + s2 * breadth_ratio(l / s2)) / 2
put("sw", sw, "bending width")

# ---- Stiffener section ------------------------------------------------------------------------
hw = H - tf
e = B / 2 - tw / 2
u = 1 - tw / B
m = 1 - u * (0.7 - 0.1 * hw / B)
prof = profile_rects(H, B, tw, tf)
Ax, zc, Iy = section(prof)
yc = B * tf * e / Ax  # flange centre e from the web centre line
Iz = tf * B ** 3 / 12 + hw * tw ** 3 / 12 + B * tf * (e - yc) ** 2 + hw * tw * yc ** 2
Iyf = tf * B ** 3 / 12 * (1 + 3 * u ** 2 * hw * tw / Ax)
Gamma = m * Iyf * hw ** 2 + hw ** 3 * tw ** 3 / 36
Io = Iy + m * Iz + Ax * (yc ** 2 + zc ** 2)
K = (B * tf ** 3 + hw * tw ** 3) / 3
for name, v, what in [("hw", hw, "web height H - tf"), ("e", e, "web to flange centre"), ("u", u, "1 - tw/B"),
                      ("m", m, "warping factor"), ("Ax", Ax, "profile area"), ("g", 7850 * Ax / 1e6, "weight"),
                      ("zc", zc, "centroid above the plate"), ("yc", yc, "centroid from the web centre line"),
                      ("Iy", Iy, "moment of inertia, horizontal axis"), ("Iz", Iz, "moment of inertia, vertical axis"),
                      ("Iyf", Iyf, "flange term of the warping constant"), ("Gamma", Gamma, "warping constant"),
                      ("Io", Io, "polar moment about the toe"), ("K", K, "St. Venant torsion constant")]:
    put(name, v, what)
sy = min((s1 + s2) / 2, 0.33 * L1)
Aey, zpy, Iey, Wp, Ws = plated(prof, H, sy)
Ae, zp, Ie, Wep, Wes = plated(prof, H, se)
_, _, Iew, _, Wesw = plated(prof, H, sw)
re = math.sqrt(Ie / Ae)
for name, v, what in [("sy", sy, "yield width"), ("Aey", Aey, "area with sy"), ("zpy", zpy, "neutral axis with sy"),
                      ("Iey", Iey, "inertia with sy"), ("Wp", Wp, "modulus at the plate, sy"),
                      ("Ws", Ws, "modulus at the free edge, sy"), ("Ae", Ae, "area with se"),
                      ("zp", zp, "neutral axis with se"), ("Ie", Ie, "inertia with se"),
                      ("Wep", Wep, "modulus at the plate, se"), ("Wes", Wes, "modulus at the free edge, se"),
                      ("re", re, "radius of gyration with se"), ("Iew", Iew, "inertia with sw"),
                      ("Wesw", Wesw, "modulus at the free edge, sw")]:
    put(name, v, what)

# ---- Girder section ---------------------------------------------------------------------------
clause = "girder section"
grect = profile_rects(Hg, Bg, twg, tfg)
Ag, zcg, Iyg = section(grect)
sge = min((L1 + L2) / 2, 0.33 * Lg)
Aeg, zpg, Ieg, Wgp, Wgs = plated(grect, Hg, sge)
for name, v, what in [("Ag", Ag, "girder area"), ("gg", 7850 * Ag / 1e6, "girder weight"),
                      ("zcg", zcg, "girder centroid"), ("Iyg", Iyg, "girder inertia"), ("sge", sge, "girder plate width"),
                      ("Aeg", Aeg, "girder area with plate"), ("zpg", zpg, "girder neutral axis"),
                      ("Ieg", Ieg, "girder inertia with plate"), ("Wgp", Wgp, "girder modulus at the plate"),
                      ("Wgs", Wgs, "girder modulus at the free edge")]:
    put(name, v, what)

# ---- Stiffener buckling, 3/5.1 and 3/5.3 ------------------------------------------------------
clause = "3/5.1, 3/5.3 stiffener"
s = (s1 + s2) / 2
A = Ax + s * t
Siga = -(t * s1 * ((SigxA + SigxS) / 2 + SigxS) / 4 + t * s2 * ((SigxB + SigxS) / 2 + SigxS) / 4 + Ax * SigxS) / A
SigEA = pi ** 2 * E * re ** 2 / L1 ** 2
SigF = (Ax * Fys + se * t * Fyp) / (Ax + se * t)
SigCA = johnson_ostenfeld(SigEA, SigF, True)
Sigb = s * abs(p) * L1 ** 2 / 12 / Wesw
UFbu = (Siga / (SigCA * Ae / A) + 0.75 * Sigb / (Fys * (1 - Siga / (n * SigEA)))) / n
Co = E * t ** 3 / (3 * s)
alpha = L1 / s
modes = []
for mw in range(1, 13):
    sigCP = pi ** 2 * E / plate_factor * (t / s) ** 2 * (mw / alpha + alpha / mw) ** 2
    span = L1 / (mw * pi)
    Bm = K / 2.6 + (mw * pi / L1) ** 2 * Gamma + span ** 2 * Co / E
    modes.append((E * Bm / (Io + span ** 2 * Co / sigCP), mw))
SigET, mT = min(modes)
SigF2 = min(Fys, Fyp)
SigCT = johnson_ostenfeld(SigET, SigF2, True)
UFbt = Siga / (n * SigCT)
y = abs(p) * s * L1 ** 4 / (384 * E * Iey)
for name, v, what in [("Siga", Siga, "mean axial stress"), ("SigEA", SigEA, "Euler stress pi^2 E re^2/L1^2"),
                      ("SigCA", SigCA, "critical column stress"), ("Sigb", Sigb, "bending stress qL1^2/(12 Wesw)"),
                      ("SigET", SigET, "lowest elastic torsional stress"), ("m[torsion]", mT, "its half-waves"),
                      ("SigF", SigF2, "min(Fys, Fyp)"), ("SigCT", SigCT, "critical torsional stress"),
                      ("y", y, "mid-span deflection")]:
    put(name, v, what)

# ---- Girder buckling 3/5.7 --------------------------------------------------------------------
clause = "3/5.7 girder"
D = E * t ** 3 / plate_factor
Dx = E * Ie / (0.91 * s)
Ip = se * t * zp ** 2 + se * t ** 3 / 12
eta = math.sqrt(Ip / Ie)
tx = (Ax + s * t) / s
b = (L1 + L2) / 2
ty = (Ag + t * b) / b
a1 = (D / Dx) ** 0.25 * L1 / Lg
a2 = (Dx / D) ** 0.25 * Lg / L1
k1 = 4.0 if L1 / Lg >= 1 else a1 ** 2 + 2 * eta + 1 / a1 ** 2
k2 = 4.0 if Lg / L1 >= 1 else a2 ** 2 + 2 * eta + 1 / a2 ** 2
gSigEx = pi ** 2 * k1 * math.sqrt(D * Dx) / (Lg ** 2 * tx)
gSigEy = pi ** 2 * k2 * math.sqrt(D * Dx) / (L1 ** 2 * ty)
gSigCx = johnson_ostenfeld(gSigEx, Fyp, False)
gSigCy = johnson_ostenfeld(gSigEy, Fyp, False)
UFgbu = (SigxS / (n * gSigCx)) ** 2 + ((SigyA + SigyC) / 2 / (n * gSigCy)) ** 2
for name, v, what in [("k1[girder]", k1, "coefficient along x"), ("k2[girder]", k2, "coefficient along y"),
                      ("SigEx[girder]", gSigEx, "elastic stress along x"), ("SigEy[girder]", gSigEy, "elastic stress along y"),
                      ("SigCx[girder]", gSigCx, "critical stress along x"), ("SigCy[girder]", gSigCy, "critical stress along y")]:
    put(name, v, what)

# ---- Overall buckling 3/9.1 -------------------------------------------------------------------
clause = "3/9.1 overall"
delta = Ax / (s * t)
gammaO = (2.6 + 4 * delta) * alpha ** 2 + 12.4 * alpha - 13.2 * math.sqrt(alpha)
io = gammaO * s * t ** 3 / plate_factor
UFs = io / Ie
put("gammaO", gammaO, "(2.6 + 4 delta) alpha^2 + 12.4 alpha - 13.2 sqrt(alpha)")
put("io", io, "required moment of inertia")

# ---- Scantlings, 3-2-2/9 (tank bulkhead) ------------------------------------------------------
clause = "3-2-2/9 scantlings"
fy = min(0.72 * Fup, Fyp)
kasp = 1.0 if L1 / s1 > 2 else (3.075 * math.sqrt(L1 / s1) - 2.077) / (L1 / s1 + 0.272)
q = 235 / fy
h = 100 * abs(ps)
smax = max(s1, s2)
tl = max(6.5, smax / 150 + 2.5)
treq = smax * kasp * math.sqrt(q * h) / 254 + 2.5
UFt = max(treq, tl) / t
Q = 489.55 / (Fys + 2 * Fus / 3)  # user-defined grade: Q from its strengths
c_stiff = 0.90 if option == 0 else 1.00
SM = 7.8 * c_stiff * h * (s1 / 1000) * (L1 / 1000) ** 2 * Q
UFsm = SM / (min(Wp, Ws) / 1000)
c_gird = 1.5
sg = (L1 + L2) / 2
SMg = 4.74 * c_gird * 100 * abs(ps) * (sg / 1000) * (Lgs / 1000) ** 2 * Q
UFgm = SMg / (min(Wgp, Wgs) / 1000)
depth_ratio = (Lgs / 8) / Hg
web_ratio = min(0.01 * Hg + 3, 11) / twg
for name, v, what in [("c[stiffener]", c_stiff, "stiffener c-factor"), ("c[girder]", c_gird, "girder c-factor"),
                      ("Q", Q, "material factor 489.55/(Fy + 2Fu/3)"), ("girderDepthRatio", depth_ratio, "(Lgs/8)/Hg"),
                      ("girderWebRatio", web_ratio, "min(0.01 Hg + 3, 11)/tw")]:
    put(name, v, what)

# ---- Yield, 3-2-1/3.11 ------------------------------------------------------------------------
def von_mises(sx, sy_, tau):
    return math.sqrt(sx ** 2 + sy_ ** 2 - sx * sy_ + 3 * tau ** 2)


corners = [von_mises(SigxA, SigyA, Tau), von_mises(SigxB, SigyA, Tau), von_mises(SigxA, SigyC, Tau),
           von_mises(SigxB, SigyC, Tau)]
UFy = FS * max(corners) / Fyp
M12 = p * s * L1 ** 2 / 12
M24 = p * s * L1 ** 2 / 24
x1 = SigxS + M12 / Wp
x2 = SigxS - M24 / Wp
plate_points = [von_mises(x1, SigyA, Tau), von_mises(x2, (SigyA + SigyC) / 2, Tau), von_mises(x1, SigyC, Tau)]
UFyp = FS * max(plate_points) / Fyp
UFys = FS * max(abs(SigxS - M12 / Ws), abs(SigxS + M24 / Ws)) / Fys

for name, v, clause, what in [
        ("UFpb", UFpb, "3/3.1 plate", "buckling state limit"), ("UFpu", UFpu, "3/3.3 plate", "ultimate strength"),
        ("UFpl", UFpl, "3/3.5 plate", "lateral pressure"), ("UFbu", UFbu, "3/5.1 stiffener", "beam-column buckling"),
        ("UFbt", UFbt, "3/5.3 stiffener", "torsional buckling"), ("UFs", UFs, "3/9.1 overall", "io/Ie"),
        ("UFgbu", UFgbu, "3/5.7 girder", "girder buckling"), ("UFt", UFt, "3-2-2/9.3 scantlings", "tmin/t"),
        ("UFsm", UFsm, "3-2-2/9.5 scantlings", "stiffener SM/Weffmin"),
        ("UFgm", UFgm, "3-2-2/9.9 scantlings", "girder SM/Weffmin"),
        ("UFy", UFy, "3-2-1/3.11 yield", "corners A-D"), ("UFyp", UFyp, "3-2-1/3.11 yield", "plate side"),
        ("UFys", UFys, "3-2-1/3.11 yield", "stiffener free edge")]:
    put(name, v, what)


def four(v):
    if isinstance(v, int):
        return str(v)
    return "%.4g" % v


# ---- Section properties of three stiffeners and a girder, bare and on a 600 x 12 plate strip --
def section_rows():
    rows = []
    t_strip, w = 12.0, 600.0
    bulb_B = 28 + 10 - 0.45 * 8  # bulb flat 200 x 10 (c 28, r 8, area 2560) as its equivalent angle
    bulb_tf = (2560 - 200 * 10) / (bulb_B - 10)
    for label, (H_, B_, tw_, tf_) in [("angle 200x90x9x14", (200.0, 90.0, 9.0, 14.0)),
                                      ("tee 250x120x10x14", (250.0, 120.0, 10.0, 14.0)),
                                      ("bulb flat 200x10", (200.0, bulb_B, 10.0, bulb_tf))]:
        rects = profile_rects(H_, B_, tw_, tf_)
        A_, zc_, I_ = section(rects)
        strip = [(w, t_strip, -t_strip)] + rects
        Ap, zcp, Ip_ = section(strip)
        zp_ = zcp + t_strip / 2
        rows += [(label, "Ax", A_), (label, "zc", zc_), (label, "Iy", I_),
                 (label, "K", (B_ * tf_ ** 3 + (H_ - tf_) * tw_ ** 3) / 3),
                 (label, "Wp", Ip_ / zp_), (label, "Ws", Ip_ / (H_ + t_strip / 2 - zp_))]
    # the yield width limited by the span: s = 1000 > 0.33 * L1 = 660 with L1 = 2000
    strip = [(0.33 * 2000, t_strip, -t_strip)] + profile_rects(200.0, 90.0, 9.0, 14.0)
    Ap, zcp, Ip_ = section(strip)
    zp_ = zcp + t_strip / 2
    rows += [("angle 200x90x9x14, sy = 660", "Wp", Ip_ / zp_), ("angle 200x90x9x14, sy = 660", "Ws", Ip_ / (200 + t_strip / 2 - zp_))]
    rows += [("transverse coefficient kl/C2, ky = 0", "alpha = 4.8", transverse_coefficient(0.0, 4.8)),
             ("transverse coefficient kl/C2, ky = 0", "alpha = 1.6", transverse_coefficient(0.0, 1.6))]
    A_, zc_, I_ = section(profile_rects(800.0, 200.0, 10.0, 20.0))
    rows += [("girder tee 800x200x10x20", "Ag", A_), ("girder tee 800x200x10x20", "gg", 7850 * A_ / 1e6),
             ("girder tee 800x200x10x20", "zcg", zc_), ("girder tee 800x200x10x20", "Iyg", I_)]
    return rows


# ---- Scantlings of the other structure types: the new-file panel (angle 200 x 90 x 9 x 12,
# t 20, s1 = s2 = 625, L1 3000, L2 2500, Lg 8000, Lgs 6000, ps 0.03, tee girder 800 x 200 x 10 x 20)
# as a watertight bulkhead (3-2-2/7, ends attached, UL 53 m) and as upper structure clear of tanks
# (3-2-4/3) ---------------------------------------------------------------------------------------
def scantling_rows():
    t_, s_, L1_, L2_, Lg_, Lgs_, ps_ = 20.0, 625.0, 3000.0, 2500.0, 8000.0, 6000.0, 0.03
    fy_ = min(0.72 * 490, 355.0)
    q_ = 235 / fy_
    Q_ = 489.55 / (355 + 2 * 490 / 3)
    prof_ = profile_rects(200.0, 90.0, 9.0, 12.0)
    strip = [(min(s_, 0.33 * L1_), t_, -t_)] + prof_
    A_, zc_, I_ = section(strip)
    zp_ = zc_ + t_ / 2
    Weff = min(I_ / zp_, I_ / (200 + t_ / 2 - zp_)) / 1000
    girder = profile_rects(800.0, 200.0, 10.0, 20.0)
    gstrip = [(min((L1_ + L2_) / 2, 0.33 * Lg_), t_, -t_)] + girder
    A_, zc_, I_ = section(gstrip)
    zp_ = zc_ + t_ / 2
    Wgeff = min(I_ / zp_, I_ / (800 + t_ / 2 - zp_)) / 1000
    sg_ = (L1_ + L2_) / 2 / 1000
    l_ = Lgs_ / 1000
    h_ = 100 * ps_
    # watertight bulkhead: k = 1 (L1/s = 4.8 > 2); c interpolated at UL = 53
    c0 = 0.46 + 0.1 * (53 - 45) / 16
    rows = [("3-2-2/7.3", "UFt", max(6.0, s_ / 200 + 2.5, s_ * math.sqrt(q_ * h_) / 290 + 1.5) / t_),
            ("3-2-2/7.5", "UFsm", 7.8 * c0 * h_ * (s_ / 1000) * (L1_ / 1000) ** 2 * Q_ / Weff),
            ("3-2-2/7.9", "UFgm", 4.7 * h_ * sg_ * l_ ** 2 * Q_ / Wgeff),
            ("3-2-2/7.9.2", "girderDepthRatio", Lgs_ / 12 / 800)]
    h2 = abs(1000 * ps_ / 7.05)
    rows += [("3-2-4/3.3", "UFt", max(5.0, 0.0039 * s_ * math.sqrt(1000 * q_ * ps_ / 7.05) + 1.5) / t_),
             ("3-2-4/3.5", "UFsm", 7.8 * 0.6 * h2 * (s_ / 1000) * (L1_ / 1000) ** 2 * Q_ / Weff),
             ("3-2-4/3.7", "UFgm", 4.74 * 1.0 * h_ * sg_ * l_ ** 2 * Q_ / Wgeff),
             ("3-2-4/3.7.2", "girderDepthRatio", 0.0583 * Lgs_ / 800)]
    return rows


if "--scantlings" in sys.argv:
    for c, name, v in scantling_rows():
        print("%s: %s = %.7g" % (c, name, v))
    sys.exit(0)

if "--sections" in sys.argv:
    for label, name, v in section_rows():
        print("%s: %s = %.7g" % (label, name, v))
    sys.exit(0)

if "--markdown" in sys.argv:
    print("| Clause | --detail name | Meaning | Hand value |")
    print("|---|---|---|---|")
    for c, name, v, what in out:
        print("| %s | `%s` | %s | %s |" % (c, name, what, four(v)))
elif "--rows" in sys.argv:
    for c, name, v, what in out:
        print('{"%s", "%s", "%s", %s},' % (c, name, what, four(v)))
else:
    for c, name, v, what in out:
        print("%s = %s" % (name, four(v)))
