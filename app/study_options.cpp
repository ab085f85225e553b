#include "study_options.h"

#include "command_line.h"

#include "studies/ordered_run.h"

#include <cmath>

namespace korvel {

const char* const studyHelpText =
    R"(Usage: korvel-study reserve IN.kori [-o OUT.tsv] [--cases OUT.kori] [--envelope PANELS.tsv]
       korvel-study limit FIELD IN.kori --min|--max [--range A B] [-o OUT.tsv] [--cases OUT.kori]
       korvel-study lightest IN.kori [--top N] [--families F,F,...] [--girder] [-o OUT.tsv]
                    [--cases OUT.kori]
       korvel-study sweep FIELD FROM TO STEPS IN.kori [-o OUT.tsv]
       korvel-study capacity X Y IN.kori [--rays N] [--checks buckling|all] [-o OUT.tsv]
                    [--cases OUT.kori]
       korvel-study wastage IN.kori [--members M,M,...] [--basis strength|all] [-o OUT.tsv]
                    [--cases OUT.kori]
   common options: [--data DIR] [--decimal-comma] [-j N]
       korvel-study --version

Design studies of every case of a KORVEL batch input file. Each writes a TAB-separated table
(standard output unless -o) and, with --cases, the cases it found as a batch input file that
korvel-batch runs as it is, so that the ordinary calculation shows the governing check at its
limit. A case passes when its calculation does not stop, every utilisation is at most 1 and
every OK/NOK rule holds (web and flange proportions, girder depth, girder web thickness,
tripping brackets). Numbers are searched by a scan of 64 steps that finds the first change from
passing to not passing, then bisection to a relative 1e-6; a case that passes again further on
is found at its first crossing and the table says so.

reserve   the reserve factor lambda*: the largest load factor in [0, 100] (SigxA, SigxB, SigyA,
          SigyC, Tau, p and ps times lambda) up to which every check passes, with the governing
          check just beyond it and the highest utilisation at lambda 1. Checks that already fail
          with the loads at zero fail regardless of load: they are listed and do not limit
          lambda*. "> 100" when nothing limits it. --cases: each case at lambda*. --envelope
          FILE: one row per panel (its project and its identification up to the first "/"; the
          rest names the load case) with the smallest lambda* of its load cases, that load
          case and its governing check.
            korvel-study reserve cases.kori -o reserve.tsv --cases at-limit.kori
limit     the smallest (--min) or largest (--max) value of FIELD for which the case passes,
          within the input limits of the field or the range given; where the limits leave an
          end open, 10 times the case's value (geometry) or -100 to 100 times it (a load). The
          search starts from the case's own value when that passes. FIELD: t, s1, s2, L1, L2,
          Lg, Lgs, Lt, FS, UF, Fyp, Fys, SigxA, SigxB, SigyA, SigyC, Tau, p, ps.
            korvel-study limit t cases.kori --min --cases thinnest.kori
lightest  the lightest stiffeners that pass, ranked by the bare profile's area Ax (kg/m =
          Ax * 7.85e-3); the girder stays as given, and its own rules (depth, web thickness,
          brackets) are reported, not counted against a candidate. --top N (default 1) lists N.
          Families (default all): L-table, BF-table, Flatbar-table (the rows of the tables),
          FB, LW, TG, IG (built-up flat bar, angle, tee and I over this grid):
            web height H        50 to 400 mm (FB) or 100 to 600 mm, in steps of 10 mm
            flange width B      50 to 250 mm in steps of 10 mm, not above H
            tw and tf           6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 18, 20, 22, 25 mm,
                                with tw <= tf <= 2 tw
          keeping only the proportions the section checks accept for the case's E and Fys.
          --cases writes each winner with its batch token (a flat-bar-table row as FB).
          --girder searches the girder instead, the stiffener kept as given (its proportions
          are reported, not counted): families LG and TG (default both) over this grid:
            height H            300 to 1500 mm in steps of 50 mm
            flange width B      100 to 400 mm in steps of 10 mm, not above H/2
            tw and tf           the sizes above from 8 mm, with tw <= tf <= 2 tw
            korvel-study lightest cases.kori --top 3 --families L-table,LW,TG
            korvel-study lightest cases.kori --girder --families TG
sweep     every utilisation, rule and the verdict of each case with FIELD stepped from FROM to
          TO in STEPS equal steps (STEPS + 1 values), one row per case and value.
            korvel-study sweep t 8 30 22 cases.kori -o sweep.tsv
capacity  the capacity curve in the plane of two load groups X and Y: sigx (SigxA = SigxB),
          sigy (SigyA = SigyC), tau (Tau), p (p = ps). --rays N (default 72) rays from the
          origin over the full circle; on each the radius where the case first stops passing
          (--checks buckling, the default: the buckling checks only; all: every check), with
          the governing check. Each axis is scaled by the case's own value of the group (where
          it is zero: Fyp for a stress, 0.1 MPa for p); a ray carries X = rho refX cos(angle),
          Y = rho refY sin(angle), rho from 0 to 100; a ray that still passes at 100 is open.
          Checks failing with both groups at zero are excluded. The row "own" is the ray
          through the case's load point with its lambda (limit over own radius). --cases:
          each closed curve point.
            korvel-study capacity sigx tau cases.kori --rays 36 -o curve.tsv
wastage   the allowable uniform diminution of each member: plate, web, flange (of the
          stiffener), girder-web, girder-flange, or all of them together (--members, default
          every one): the largest d (mm) from 0 to the thickness less 0.5 mm such that the case
          passes for every diminution up to it, rounded down to 0.01 mm, in mm and % of the
          thickness, the minimum thickness and the substantial-corrosion threshold (original
          less 0.75 d). --basis strength (the default): the buckling and yield checks and the
          web and flange proportions; all: every check, the minimum scantlings too. A catalogue
          profile whose web or flange thins becomes its built-up equivalent (a bulb flat its
          equivalent angle). --cases: each case at its limit, identification IDENT/MEMBER.
            korvel-study wastage cases.kori --members plate,web --basis all -o wastage.tsv

  -o, --output FILE   the table; "-" is standard output (the default)
  --cases FILE        the cases found, as a batch input file
  -j N                calculate on N threads (1 to 256; default: the number of cores); the
                      output is the same for any N
  --data DIR          folder of the tables bfprof.dat, lprof.dat, tprof.dat, fprof.dat and
                      KORmat.dat; by default the folder of this program when they are there,
                      else ../share/korvel beside it (installed)
  --decimal-comma     read numbers with a decimal comma (a period is also accepted)
  --version           show the version
  -h, --help          show this text

The input is read as it comes (a file, or standard input with "-"), up to its "End" line, with no
limit on the number of cases; rows are written as the cases are done. With -o and --cases, both
files are replaced together or, when either cannot be saved, neither. At a terminal, standard
error shows the cases done. Ctrl+C, a closed terminal or a termination request stops the study:
the rows of the cases done are written, with their cases, each file ending with the line
"% interrupted after N of M cases" (while the study waits for more input, files are left as they
were), and the study ends by the signal (status 130 for Ctrl+C, 143 for a termination request).

Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments (a field that is not an
input, an empty range), 3 the tables cannot be loaded, 4 the results cannot be written;
stopped by a signal, the status of that signal.
)";

namespace {

std::optional<double> numberIn(const std::string& text, DecimalMode mode) {
    std::optional<double> v = parseFileNumber(text);
    if (!v && mode == DecimalMode::comma) v = parseNumber(text, mode);
    if (v && !std::isfinite(*v)) return std::nullopt;
    return v;
}

const StudyField* fieldNamed(const std::string& name, std::string& problem) {
    const StudyField* f = findStudyField(name);
    if (!f) problem = "\"" + name + "\" is not an input a study can vary; the inputs are " + studyFieldNames();
    return f;
}

} // namespace

std::variant<StudyOptions, std::string> parseStudyOptions(const std::vector<std::string>& args, int cores) {
    StudyOptions o;
    o.threads = cores < 1 ? 1 : (cores > maxStudyThreads ? maxStudyThreads : cores);
    std::vector<std::string> positional;
    std::optional<std::string> rangeFrom, rangeTo;
    bool minGiven = false, maxGiven = false, familiesGiven = false, raysGiven = false, checksGiven = false,
         topGiven = false, membersGiven = false, basisGiven = false;
    std::string members;
    std::string families;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "-o" || arg == "--output") {
            const auto v = value();
            if (!v) return arg + " needs a file name";
            o.output = *v;
        } else if (arg == "--cases") {
            const auto v = value();
            if (!v) return "--cases needs a file name";
            o.cases = *v;
        } else if (arg == "--data") {
            const auto v = value();
            if (!v) return "--data needs a folder";
            o.dataFolder = *v;
        } else if (arg == "--decimal-comma") {
            o.mode = DecimalMode::comma;
        } else if (arg == "-j") {
            const auto v = value();
            const std::optional<int> n = v ? countIn(*v, 1, maxStudyThreads) : std::nullopt;
            if (!n)
                return "-j needs a number of threads from 1 to " + std::to_string(maxStudyThreads) + ", not \"" +
                       v.value_or("") + "\"";
            o.threads = *n;
        } else if (arg == "--min") {
            minGiven = true;
        } else if (arg == "--max") {
            maxGiven = true;
        } else if (arg == "--range") {
            rangeFrom = value();
            rangeTo = value();
            if (!rangeFrom || !rangeTo) return "--range needs two numbers A B";
        } else if (arg == "--top") {
            const auto v = value();
            const std::optional<int> n = v ? countIn(*v, 1, 100000) : std::nullopt;
            if (!n) return "--top needs a number from 1 to 100000, not \"" + v.value_or("") + "\"";
            o.top = *n;
            topGiven = true;
        } else if (arg == "--girder") {
            o.girder = true;
        } else if (arg == "--families") {
            const auto v = value();
            if (!v) return "--families needs a list such as L-table,BF-table,LW";
            families = *v;
            familiesGiven = true;
        } else if (arg == "--envelope") {
            const auto v = value();
            if (!v) return "--envelope needs a file name";
            o.envelope = *v;
        } else if (arg == "--members") {
            const auto v = value();
            if (!v) return "--members needs a list such as plate,web";
            members = *v;
            membersGiven = true;
        } else if (arg == "--basis") {
            const auto v = value();
            if (v && *v == "strength")
                o.basis = WastageBasis::strength;
            else if (v && *v == "all")
                o.basis = WastageBasis::allChecks;
            else
                return "--basis is strength or all, not \"" + v.value_or("") + "\"";
            basisGiven = true;
        } else if (arg == "--rays") {
            const auto v = value();
            const std::optional<int> n = v ? countIn(*v, 1, 100000) : std::nullopt;
            if (!n) return "--rays needs a number from 1 to 100000, not \"" + v.value_or("") + "\"";
            o.capacity.rays = *n;
            raysGiven = true;
        } else if (arg == "--checks") {
            const auto v = value();
            if (v && *v == "buckling")
                o.capacity.allChecks = false;
            else if (v && *v == "all")
                o.capacity.allChecks = true;
            else
                return "--checks is buckling or all, not \"" + v.value_or("") + "\"";
            checksGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-' && !numberIn(arg, o.mode)) {
            return "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (o.help || o.version) return o;
    if (positional.empty()) return "name a study: reserve, limit, lightest, sweep, capacity or wastage";

    const std::string study = positional.front();
    positional.erase(positional.begin());
    const auto arity = [&](std::size_t n, const char* usage) -> std::optional<std::string> {
        if (positional.size() != n) return std::string("korvel-study ") + usage;
        return std::nullopt;
    };
    std::string problem;
    if (study == "reserve") {
        o.kind = StudyKind::reserve;
        if (auto u = arity(1, "reserve IN.kori")) return *u;
        o.input = positional[0];
    } else if (study == "limit") {
        o.kind = StudyKind::limit;
        if (auto u = arity(2, "limit FIELD IN.kori --min|--max")) return *u;
        o.limit.field = fieldNamed(positional[0], problem);
        if (!o.limit.field) return problem;
        o.input = positional[1];
        if (minGiven == maxGiven) return "limit needs one of --min and --max";
        o.limit.direction = minGiven ? LimitDirection::smallest : LimitDirection::largest;
        if (rangeFrom) {
            const auto a = numberIn(*rangeFrom, o.mode), b = numberIn(*rangeTo, o.mode);
            if (!a || !b) return "--range needs two numbers, not \"" + *rangeFrom + "\" \"" + *rangeTo + "\"";
            if (!(*a < *b)) return "empty range " + *rangeFrom + " to " + *rangeTo + ": A must be below B";
            o.limit.from = a;
            o.limit.to = b;
        }
    } else if (study == "lightest") {
        o.kind = StudyKind::lightest;
        if (auto u = arity(1, "lightest IN.kori")) return *u;
        o.input = positional[0];
        if (o.girder) o.families = girderFamilies();
        if (familiesGiven) {
            o.families.clear();
            std::size_t startAt = 0;
            for (;;) {
                const std::size_t comma = families.find(',', startAt);
                const std::string name = families.substr(startAt, comma == std::string::npos ? comma : comma - startAt);
                // With --girder the names are girder families: "TG" is then the built-up tee girder.
                const std::optional<Family> f = findFamily(name, o.girder);
                if (!f)
                    return "unknown " + std::string(o.girder ? "girder family" : "family") + " \"" + name +
                           (o.girder ? "\"; the girder families are LG, TG"
                                     : "\"; the families are L-table, BF-table, Flatbar-table, FB, LW, TG, IG");
                o.families.push_back(*f);
                if (comma == std::string::npos) break;
                startAt = comma + 1;
            }
        }
    } else if (study == "sweep") {
        o.kind = StudyKind::sweep;
        if (auto u = arity(5, "sweep FIELD FROM TO STEPS IN.kori")) return *u;
        o.sweep.field = fieldNamed(positional[0], problem);
        if (!o.sweep.field) return problem;
        const auto a = numberIn(positional[1], o.mode), b = numberIn(positional[2], o.mode);
        if (!a || !b)
            return "sweep FROM and TO must be numbers, not \"" + positional[1] + "\" \"" + positional[2] + "\"";
        if (*a == *b) return "empty range " + positional[1] + " to " + positional[2] + ": FROM and TO must differ";
        const std::optional<int> steps = countIn(positional[3], 1, 1000000);
        if (!steps) return "STEPS must be a whole number from 1 to 1000000, not \"" + positional[3] + "\"";
        o.sweep.from = *a;
        o.sweep.to = *b;
        o.sweep.steps = *steps;
        o.input = positional[4];
    } else if (study == "capacity") {
        o.kind = StudyKind::capacity;
        if (auto u = arity(3, "capacity X Y IN.kori")) return *u;
        const auto x = findLoadGroup(positional[0]), y = findLoadGroup(positional[1]);
        if (!x || !y)
            return "\"" + (x ? positional[1] : positional[0]) +
                   "\" is not a load group; the groups are sigx, sigy, tau, p";
        if (*x == *y) return "capacity needs two different load groups";
        o.capacity.x = *x;
        o.capacity.y = *y;
        o.input = positional[2];
    } else if (study == "wastage") {
        o.kind = StudyKind::wastage;
        if (auto u = arity(1, "wastage IN.kori")) return *u;
        o.input = positional[0];
        if (membersGiven) {
            o.members.clear();
            std::size_t startAt = 0;
            for (;;) {
                const std::size_t comma = members.find(',', startAt);
                const std::string name = members.substr(startAt, comma == std::string::npos ? comma : comma - startAt);
                const std::optional<Member> m = findMember(name);
                if (!m)
                    return "unknown member \"" + name +
                           "\"; the members are plate, web, flange, girder-web, girder-flange, all";
                o.members.push_back(*m);
                if (comma == std::string::npos) break;
                startAt = comma + 1;
            }
        }
    } else {
        return "unknown study \"" + study + "\"; the studies are reserve, limit, lightest, sweep, capacity, wastage";
    }
    const auto notFor = [&](bool given, const char* option) -> std::optional<std::string> {
        if (given) return std::string(option) + " is not an option of " + study;
        return std::nullopt;
    };
    if (o.kind != StudyKind::limit) {
        if (auto p = notFor(minGiven || maxGiven, "--min/--max")) return *p;
        if (auto p = notFor(rangeFrom.has_value(), "--range")) return *p;
    }
    if (o.kind != StudyKind::lightest) {
        if (auto p = notFor(o.girder, "--girder")) return *p;
        if (auto p = notFor(topGiven, "--top")) return *p;
        if (auto p = notFor(familiesGiven, "--families")) return *p;
    }
    if (o.kind != StudyKind::capacity) {
        if (auto p = notFor(raysGiven, "--rays")) return *p;
        if (auto p = notFor(checksGiven, "--checks")) return *p;
    }
    if (o.kind != StudyKind::reserve && !o.envelope.empty()) return "--envelope is an option of reserve only";
    if (!o.envelope.empty() && o.envelope == o.output) return "--envelope and -o name one file; name another";
    if (o.kind != StudyKind::wastage) {
        if (auto p = notFor(membersGiven, "--members")) return *p;
        if (auto p = notFor(basisGiven, "--basis")) return *p;
    }
    if (o.kind == StudyKind::sweep && !o.cases.empty()) return "sweep writes no cases; leave out --cases";
    return o;
}

} // namespace korvel
