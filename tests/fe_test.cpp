// korvel-fe's reduction from outside: synthetic meshes carrying known stress fields are written
// as stress tables, reduced, and the edge values compared with the fields they were made from.

#include "fe/fe_import.h"
#include "fe/panel_axes.h"

#include "design/number_format.h"
#include "files/table_loader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace korvel {
namespace {

const Catalogue& tables() {
    static const Catalogue catalogue =
        std::get<Catalogue>(loadCatalogue(fs::path(KORVEL_TEST_DATA_DIR) / "reference" / "tables"));
    return catalogue;
}

// A plate field of L1 = 3000 mm, s1 + s2 = 1400 mm.
constexpr double L1 = 3000, S = 1400;
const std::string templateText =
    "Gen\tT1\t0\t1.43\t0.6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t3000\t2500\t"
    "8000\t6000\t3000\t20\t700\t700\t-100\t-100\t-30\t-30\t40\t0.03\t0.03\r\nEnd\r\n";

Vec3 unit(const Vec3& v) {
    return (1 / norm(v)) * v;
}
Vec3 add(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// The stress at a point of the panel, in panel axes.
struct Field {
    double a = 0, b = 0; // sx = a + b y (+ q y^2)
    double c = 0, d = 0; // sy = c + d x
    double tau = 0;
    double q = 0;
    PlaneStress at(double x, double y) const { return {a + b * y + q * y * y, c + d * x, tau}; }
};

enum class Layers { none, topBottom, midWins };

struct Mesh {
    Vec3 O, x, y, n;
    std::vector<double> xs, ys; // cell edges along x and y
};

// Cell edges of random sizes from 0 to `length`, or `count` equal cells.
std::vector<double> edges(double length, int count, std::mt19937& random, bool equal) {
    std::uniform_real_distribution<double> size(0.5, 1.5);
    std::vector<double> e{0};
    for (int i = 0; i < count; ++i) e.push_back(e.back() + (equal ? 1.0 : size(random)));
    for (double& v : e) v *= length / e.back();
    return e;
}

Mesh makeMesh(bool rotated, int nx, int ny, std::mt19937& random, bool equal = false) {
    Mesh m;
    if (rotated) {
        m.O = {1234.5, -876.25, 411};
        m.x = unit({0.48, -0.6, 0.64});
        m.y = unit(add(Vec3{0.3, 0.9, 0.2}, -dot(Vec3{0.3, 0.9, 0.2}, m.x) * m.x));
    } else {
        m.x = {1, 0, 0};
        m.y = {0, 1, 0};
    }
    m.n = cross(m.x, m.y);
    m.xs = edges(L1, nx, random, equal);
    m.ys = edges(S, ny, random, equal);
    return m;
}

std::string num(double v) {
    return exactNumber(v);
}

// The rows of one load case: every cell as one element, in layout G (global tensor with parts
// normal to the plate that must be left out) or L (random element axes tilted off the plate).
void appendRows(std::vector<std::string>& rows, const Mesh& m, const std::string& lc, const Field& f, bool local,
                Layers layers, std::mt19937& random) {
    std::uniform_real_distribution<double> angle(-3.1, 3.1), junk(-80, 80), off(-0.4, 0.4);
    int elem = 0;
    for (std::size_t j = 0; j + 1 < m.ys.size(); ++j)
        for (std::size_t i = 0; i + 1 < m.xs.size(); ++i) {
            ++elem;
            const double u = (m.xs[i] + m.xs[i + 1]) / 2, v = (m.ys[j] + m.ys[j + 1]) / 2;
            const double area = (m.xs[i + 1] - m.xs[i]) * (m.ys[j + 1] - m.ys[j]);
            const Vec3 q = add(add(add(m.O, u * m.x), v * m.y), off(random) * m.n);
            const PlaneStress s = f.at(u, v);
            const double bend = junk(random);
            const auto cells = [&](const PlaneStress& p, double extra) {
                if (!local) {
                    // S = sx xx' + sy yy' + t (xy' + yx') + extra (nn' + xn' + nx').
                    const auto comp = [&](int r, int c) {
                        const auto e = [](const Vec3& v, int k) { return k == 0 ? v.x : (k == 1 ? v.y : v.z); };
                        return p.sx * e(m.x, r) * e(m.x, c) + p.sy * e(m.y, r) * e(m.y, c) +
                               p.txy * (e(m.x, r) * e(m.y, c) + e(m.y, r) * e(m.x, c)) +
                               extra * (e(m.n, r) * e(m.n, c) + e(m.x, r) * e(m.n, c) + e(m.n, r) * e(m.x, c));
                    };
                    return num(comp(0, 0)) + "\t" + num(comp(1, 1)) + "\t" + num(comp(2, 2)) + "\t" + num(comp(0, 1)) +
                           "\t" + num(comp(1, 2)) + "\t" + num(comp(2, 0));
                }
                const double th = angle(random), c = std::cos(th), sn = std::sin(th);
                const double s11 = c * c * p.sx + sn * sn * p.sy + 2 * c * sn * p.txy;
                const double s22 = sn * sn * p.sx + c * c * p.sy - 2 * c * sn * p.txy;
                const double s12 = -c * sn * p.sx + c * sn * p.sy + (c * c - sn * sn) * p.txy;
                const Vec3 e1 = add(add(c * m.x, sn * m.y), (extra / 100) * m.n);
                return num(s11) + "\t" + num(s22) + "\t" + num(s12) + "\t" + num(e1.x) + "\t" + num(e1.y) + "\t" +
                       num(e1.z);
            };
            const std::string head = lc + "\t" + std::to_string(elem) + "\t" + num(q.x) + "\t" + num(q.y) + "\t" +
                                     num(q.z) + "\t" + num(area) + "\t";
            const PlaneStress plus{s.sx + bend, s.sy - bend, s.txy + bend / 3};
            const PlaneStress minus{s.sx - bend, s.sy + bend, s.txy - bend / 3};
            switch (layers) {
            case Layers::none:
                rows.push_back(head + cells(s, junk(random)));
                break;
            case Layers::topBottom:
                rows.push_back(head + cells(plus, junk(random)) + "\ttop");
                rows.push_back(head + cells(minus, junk(random)) + "\tBottom");
                break;
            case Layers::midWins:
                rows.push_back(head + cells(plus, junk(random)) + "\ttop");
                rows.push_back(head + cells(s, junk(random)) + "\tMID");
                rows.push_back(head + cells(plus, junk(random)) + "\tbottom");
                break;
            }
        }
}

std::string header(bool local, Layers layers, char sep) {
    std::string h = local ? "LC\tElem\tX\tY\tZ\tArea\tS11\tS22\tS12\tE1X\tE1Y\tE1Z"
                          : "lc\telem\tx\ty\tz\tarea\tsx\tsy\tsz\tsxy\tsyz\tszx";
    if (layers != Layers::none) h += "\tLayer";
    if (sep != '\t') std::replace(h.begin(), h.end(), '\t', sep);
    return h;
}

std::string panelLine(const std::string& name, const Mesh& m) {
    // P_x anywhere along x, P_y with an x part that the axes drop.
    const Vec3 px = add(m.O, 777.0 * m.x), py = add(add(m.O, 333.0 * m.y), 250.0 * m.x);
    std::string line = name + "\tT1";
    for (const Vec3& p : {m.O, px, py}) line += "\t" + num(p.x) + "\t" + num(p.y) + "\t" + num(p.z);
    return line + "\n";
}

const std::string panelHeader = "panel\ttemplate\tox\toy\toz\tpxx\tpxy\tpxz\tpyx\tpyy\tpyz\n";

struct ImportRun {
    TempFolder folder;
    FeOutcome outcome;
};

void run(ImportRun& r, const std::vector<std::string>& rows, const std::string& head, const std::string& panels,
         const std::string& combinations = {}, char sep = '\t', double tolerance = 1) {
    // A last column of the export's own, which the reading passes over.
    std::string table = "# exported for a test\n" + head + sep + "Remark\n";
    for (const std::string& row : rows) {
        std::string line = row + "\tfrom the model";
        if (sep != '\t') std::replace(line.begin(), line.end(), '\t', sep);
        table += line + "\n";
    }
    r.folder.write("s.csv", table);
    r.folder.write("p.tsv", panelHeader + panels);
    r.folder.write("t.kori", templateText);
    FeRequest q{r.folder.file("s.csv"), r.folder.file("p.tsv"), r.folder.file("t.kori"), {}, tolerance, true};
    if (!combinations.empty()) {
        r.folder.write("c.tsv", combinations);
        q.combinations = r.folder.file("c.tsv");
    }
    r.outcome = runFeImport(q, tables());
}

struct LinearCase {
    const char* name;
    bool local;
    Layers layers;
    bool rotated;
    char separator;
    int nx, ny;
    Field field;
};

TEST(FeReduction, LinearFieldsGiveTheirEdgeValues) {
    const LinearCase cases[] = {
        {"global tensor, panel in xy", false, Layers::none, false, '\t', 7, 5, {-100, 0.02, -30, 0.005, 25, 0}},
        {"global tensor, rotated and shifted", false, Layers::none, true, ',', 9, 6, {-80, -0.03, 12, -0.01, -40, 0}},
        {"element axes, rotated and shifted", true, Layers::none, true, '\t', 8, 7, {55, 0.05, -20, 0.02, 10, 0}},
        {"pure bending on top and bottom", true, Layers::topBottom, true, ',', 6, 4, {-60, 0.01, -5, 0.003, 7, 0}},
        {"mid layer before top and bottom", false, Layers::midWins, true, '\t', 5, 5, {-10, 0.04, 30, -0.002, 0, 0}},
        {"zero membrane under pure bending", false, Layers::topBottom, false, '\t', 6, 6, {0, 0, 0, 0, 0, 0}},
    };
    for (const LinearCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(42);
        const Mesh m = makeMesh(c.rotated, c.nx, c.ny, random);
        std::vector<std::string> rows;
        appendRows(rows, m, "LC1", c.field, c.local, c.layers, random);
        std::shuffle(rows.begin(), rows.end(), random);
        ImportRun r;
        run(r, rows, header(c.local, c.layers, c.separator), panelLine("P1", m), {}, c.separator);
        ASSERT_TRUE(r.outcome.errors.empty()) << r.outcome.errors.front();
        ASSERT_EQ(r.outcome.results.size(), 1U);
        const PanelCaseResult& p = r.outcome.results[0];
        EXPECT_EQ(p.elements, c.nx * c.ny);
        EXPECT_NEAR(p.coverage, 1, 1e-12);
        EXPECT_NEAR(p.SigxA, c.field.a, 1e-6);
        EXPECT_NEAR(p.SigxB, c.field.a + c.field.b * S, 1e-6);
        EXPECT_NEAR(p.SigyA, c.field.c, 1e-6);
        EXPECT_NEAR(p.SigyC, c.field.c + c.field.d * L1, 1e-6);
        EXPECT_NEAR(p.Tau, c.field.tau, 1e-6);
        EXPECT_NEAR(p.sx.rms, 0, 1e-6);
        EXPECT_NEAR(p.sy.rms, 0, 1e-6);
    }
}

// sx = q y^2 on n equal rows of height h: the least-squares line is 2 ym y + var - ym^2 with
// ym = s/2 and var = h^2 (n^2 - 1) / 12, so SigxA = q (var - s^2/4), SigxB = q (3 s^2/4 + var).
TEST(FeReduction, QuadraticFieldGivesItsLeastSquaresLine) {
    for (const int ny : {2, 5, 8}) {
        SCOPED_TRACE(ny);
        std::mt19937 random(7);
        const Mesh m = makeMesh(true, 4, ny, random, true);
        const double q = -2e-5, h = S / ny, var = h * h * (ny * ny - 1) / 12;
        std::vector<std::string> rows;
        appendRows(rows, m, "LC1", {0, 0, 0, 0, 0, q}, false, Layers::none, random);
        ImportRun r;
        run(r, rows, header(false, Layers::none, '\t'), panelLine("P1", m));
        ASSERT_EQ(r.outcome.results.size(), 1U);
        EXPECT_NEAR(r.outcome.results[0].SigxA, q * (var - S * S / 4), 1e-6);
        EXPECT_NEAR(r.outcome.results[0].SigxB, q * (3 * S * S / 4 + var), 1e-6);
        EXPECT_EQ(r.outcome.results[0].sx.rms > 1, ny > 2);
    }
}

// A combination is formed on the element stresses: two quadratic fields that cancel leave an
// exact line, which combined utilisations or combined fits would not show.
TEST(FeReduction, CombinationsAreFormedBeforeTheReduction) {
    std::mt19937 random(3);
    const Mesh m = makeMesh(true, 6, 5, random);
    std::vector<std::string> rows;
    appendRows(rows, m, "G", {-50, 0.01, -10, 0.002, 5, 1e-4}, false, Layers::none, random);
    appendRows(rows, m, "W", {20, 0.03, 4, -0.001, -8, -4e-4}, false, Layers::none, random);
    std::shuffle(rows.begin(), rows.end(), random);
    ImportRun r;
    run(r, rows, header(false, Layers::none, '\t'), panelLine("P1", m),
        "# name condition FS UF terms\nULS1\t1\t1.11\t0.8\tG:4\tW:1\nG alone\t0\t1.43\t0.6\tG:1\n");
    ASSERT_TRUE(r.outcome.errors.empty()) << r.outcome.errors.front();
    ASSERT_EQ(r.outcome.results.size(), 2U);
    const PanelCaseResult& uls = r.outcome.results[0];
    EXPECT_EQ(uls.combination, "ULS1");
    EXPECT_NEAR(uls.SigxA, 4 * -50 + 20, 1e-6);
    EXPECT_NEAR(uls.SigxB, 4 * (-50 + 0.01 * S) + 20 + 0.03 * S, 1e-6);
    EXPECT_NEAR(uls.SigyA, 4 * -10 + 4, 1e-6);
    EXPECT_NEAR(uls.SigyC, 4 * (-10 + 0.002 * L1) + 4 - 0.001 * L1, 1e-6);
    EXPECT_NEAR(uls.Tau, 4 * 5 - 8, 1e-6);
    EXPECT_NEAR(uls.sx.rms, 0, 1e-6);
    EXPECT_GT(r.outcome.results[1].sx.rms, 1);
    // The batch line takes the combination's condition, FS and UF and the 0.01 MPa stresses.
    EXPECT_NE(r.outcome.kori.find("Gen\tP1/ULS1\t1\t1.11\t0.8\t"), std::string::npos) << r.outcome.kori;
    EXPECT_NE(r.outcome.kori.find("\t-180\t"), std::string::npos);
}

// Which elements count: the plate field with its edges, the plane within its tolerance.
TEST(FeReduction, MembershipByCentroidAndPlane) {
    struct Row {
        const char* what;
        double u, v, w;
        double tolerance;
        bool counted;
    };
    const Row rows[] = {
        {"on the edge y = 0", 100, 0, 0, 1, true},
        {"just past the far corner", L1 + 5e-7, S + 5e-7, 0, 1, true},
        {"past the edge x = L1", L1 + 1e-3, 100, 0, 1, false},
        {"before x = 0", -1e-3, 100, 0, 1, false},
        {"a stiffener web 1.5 mm off", 500, 700, 1.5, 1, false},
        {"1.5 mm off with a 2 mm tolerance", 500, 700, -1.5, 2, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::mt19937 random(1);
        const Mesh m = makeMesh(true, 2, 2, random);
        std::vector<std::string> lines;
        appendRows(lines, m, "LC1", {-10, 0, -10, 0, 0, 0}, false, Layers::none, random);
        const Vec3 q = add(add(add(m.O, row.u * m.x), row.v * m.y), row.w * m.n);
        lines.push_back("LC1\t99\t" + num(q.x) + "\t" + num(q.y) + "\t" + num(q.z) + "\t1000\t500\t500\t0\t0\t0\t0");
        ImportRun r;
        run(r, lines, header(false, Layers::none, '\t'), panelLine("P1", m), {}, '\t', row.tolerance);
        ASSERT_EQ(r.outcome.results.size(), 1U);
        EXPECT_EQ(r.outcome.results[0].elements, row.counted ? 5 : 4);
    }
}

// The audit's warnings, each from a mesh made to call for it.
TEST(FeReduction, AuditWarnings) {
    struct WarningCase {
        const char* what;
        int nx, ny;
        int dropped;      // rows left out of the table
        bool secondPanel; // an overlapping panel
        std::string warning;
    };
    const WarningCase cases[] = {
        {"a mesh that does not fill the field", 5, 4, 4, false, "area coverage 0.800 below 0.9"},
        {"elements on one line across the stiffeners", 6, 1, 0, false, "the elements span one line in y"},
        {"three elements", 1, 3, 0, false, "fewer than 4 elements"},
        {"an element inside two panels", 3, 3, 0, true, "9 elements inside another panel too"},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::mt19937 random(11);
        const Mesh m = makeMesh(true, c.nx, c.ny, random, true);
        std::vector<std::string> rows;
        appendRows(rows, m, "LC1", {-40, 0.01, -10, 0.001, 3, 0}, false, Layers::none, random);
        rows.resize(rows.size() - static_cast<std::size_t>(c.dropped));
        ImportRun r;
        run(r, rows, header(false, Layers::none, '\t'),
            panelLine("P1", m) + (c.secondPanel ? panelLine("P2", m) : std::string()));
        ASSERT_FALSE(r.outcome.results.empty());
        const std::vector<std::string>& w = r.outcome.results[0].warnings;
        EXPECT_TRUE(std::any_of(w.begin(), w.end(), [&](const std::string& t) { return t.find(c.warning) == 0; }))
            << (w.empty() ? std::string("no warning") : w.front());
        EXPECT_NE(r.outcome.audit.find(c.warning), std::string::npos);
    }
}

struct FaultCase {
    const char* what;
    std::string table;        // rows after the header of layout G (with a layer column when `layered`)
    std::string extraPanels;  // panels after P1
    std::string combinations; // empty: none
    std::string message;      // one of the errors contains it
    std::size_t casesWritten; // the panels and combinations still written
    bool layered = false;
};

TEST(FeReduction, FaultsNameFileAndLineAndTheOtherPanelsGoOn) {
    std::mt19937 random(5);
    const Mesh m = makeMesh(false, 3, 2, random);
    std::vector<std::string> good;
    appendRows(good, m, "LC1", {-10, 0, -10, 0, 0, 0}, false, Layers::none, random);
    std::string base;
    for (const std::string& row : good) base += row + "\n";
    std::string layered;
    for (std::size_t i = 0; i < good.size(); ++i) layered += good[i] + (i == 0 ? "\ttop\n" : "\tmid\n");
    const std::string far = "P2\tT1\t0\t0\t5000\t100\t0\t5000\t0\t100\t5000\n";
    const FaultCase cases[] = {
        {"a cell that is not a number", base + "LC1\t7\t1\t1\t0\t10\tabc\t0\t0\t0\t0\t0\n", "", "",
         "s.csv:9: column \"sx\" is not a number: \"abc\"", 1},
        {"a duplicate row", base + good[2] + "\n", "", "",
         "s.csv:9: element 3, load case LC1: a second row (the first at line 5)", 0},
        {"a panel with no element", base, far, "", "p.tsv:3: panel \"P2\": no element in its plate field", 1},
        {"an unknown template", base, "P3\tT9\t0\t0\t0\t1\t0\t0\t0\t1\t0\n", "",
         "p.tsv:3: panel \"P3\": unknown template \"T9\"", 1},
        {"a degenerate axis", base, "P4\tT1\t0\t0\t0\t0\t0\t0\t0\t1\t0\n", "",
         "p.tsv:3: panel \"P4\": degenerate axis: P_x lies on O", 1},
        {"an unknown load case", base, "", "C1\t0\t1.43\t0.6\tLC1:1\nC2\t0\t1.43\t0.6\tLC7:1\n",
         "c.tsv:2: combination \"C2\": unknown load case \"LC7\"", 1},
        {"a missing column", "", "", "", "missing column \"area\"", 0},
        {"a load case that some elements lack", base + "LC2" + good[0].substr(3) + "\n", "", "",
         "p.tsv:2: panel \"P1\": combination \"LC2\": element 2, load case LC2: no row", 1},
        {"a top row without its bottom", layered, "", "",
         "element 1, load case LC1: a top row without its bottom row and no mid row", 0, true},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> rows;
        std::string head = header(false, c.layered ? Layers::topBottom : Layers::none, '\t');
        if (c.table.empty()) head.replace(head.find("area"), 4, "size");
        ImportRun r;
        for (std::size_t start = 0; start < c.table.size();) {
            const std::size_t end = c.table.find('\n', start);
            rows.push_back(c.table.substr(start, end - start));
            start = end + 1;
        }
        run(r, rows, head, panelLine("P1", m) + c.extraPanels, c.combinations);
        EXPECT_TRUE(r.outcome.failed);
        const bool found = std::any_of(r.outcome.errors.begin(), r.outcome.errors.end(),
                                       [&](const std::string& e) { return e.find(c.message) != std::string::npos; });
        EXPECT_TRUE(found) << (r.outcome.errors.empty() ? std::string("no error") : r.outcome.errors.front());
        EXPECT_EQ(r.outcome.results.size(), c.casesWritten);
    }
}

} // namespace
} // namespace korvel
