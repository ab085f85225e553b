// korvel-fe: element stresses of a finite-element model turned into batch cases, one per panel
// and load combination, with an audit of the fits (korvel-fe --help).
//
// Exit status: 0 done, 1 an input could not be read or a panel or combination failed (the
// others are still written), 2 wrong arguments, 3 the tables cannot be loaded, 4 a result
// cannot be written.

#include "command_line.h"

#include "design/number_parser.h"
#include "design/version.h"
#include "fe/fe_import.h"
#include "files/data_folder.h"
#include "files/file_replacement.h"

#ifdef KORVEL_FE_PNG
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#endif

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

namespace fs = std::filesystem;
using namespace korvel;

namespace {

constexpr const char* helpText =
    R"(Usage: korvel-fe STRESSES PANELS --template T.kori [--combinations C.tsv] [-o OUT.kori]
                 [--audit A.tsv] [--plots DIR] [--plane-tolerance MM] [--data DIR]
       korvel-fe --version

Turns the element stresses of a finite-element model into batch cases: every panel of PANELS
under every load combination becomes one case of its template, identified "PANEL/COMBINATION",
with SigxA, SigxB (the area-weighted least-squares line of sx along y at y = 0 and s1 + s2),
SigyA, SigyC (the line of sy along x at x = 0 and L1) and Tau (the weighted mean), to 0.01 MPa.
Only plate elements whose centroid lies in the panel's plate field and within the plane
tolerance of its plane count; their membrane stress is the mid layer, else the mean of top and
bottom. korvel-batch runs the output as it is.

  STRESSES             element stresses, TAB- or comma-separated with a header:
                         lc elem x y z area sx sy sz sxy syz szx      (global tensor)
                         lc elem x y z area s11 s22 s12 e1x e1y e1z   (element axes)
                       and an optional layer column (top, mid, bottom); mm, mm2, MPa
  PANELS               TAB-separated: panel template ox oy oz pxx pxy pxz pyx pyy pyz
  --template FILE      the batch file whose cases (by identification) give the other inputs
  --combinations FILE  lines "name condition FS UF lc:factor ..."; without it each load case
                       is a combination of its own with its template's condition, FS and UF
  -o, --output FILE    the batch file written ("-" or none: standard output)
  --audit FILE         per panel and combination: elements, area coverage, the stresses, the
                       rms and largest residual of each fit, warnings
  --plots DIR          an SVG (and PNG) of each fit, named PANEL_COMBINATION
  --plane-tolerance MM how far off the panel plane a centroid may lie (default 1)
  --data DIR           folder of the profile and material tables
  --version            show the version
  -h, --help           show this text
)";

struct Options {
    std::string stresses, panels;
    FeRequest request;
    std::string output, audit, plots, dataFolder;
    bool help = false, version = false;
};

std::variant<Options, std::string> parseOptions(const std::vector<std::string>& args) {
    Options o;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--template") {
            if (!value(o.request.templateFile)) return "--template needs a file";
        } else if (arg == "--combinations") {
            if (!value(o.request.combinations)) return "--combinations needs a file";
        } else if (arg == "-o" || arg == "--output") {
            if (!value(o.output)) return arg + " needs a file";
        } else if (arg == "--audit") {
            if (!value(o.audit)) return "--audit needs a file";
        } else if (arg == "--plots") {
            if (!value(o.plots)) return "--plots needs a folder";
        } else if (arg == "--data") {
            if (!value(o.dataFolder)) return "--data needs a folder";
        } else if (arg == "--plane-tolerance") {
            std::string text;
            if (!value(text)) return "--plane-tolerance needs a length in mm";
            const std::optional<double> mm = parseFileNumber(text);
            if (!mm || !(*mm >= 0) || *mm > 1e12) return "--plane-tolerance: not a length in mm: \"" + text + "\"";
            o.request.planeTolerance = *mm;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            files.push_back(arg);
        }
    }
    if (o.help || o.version) return o;
    if (files.size() != 2) return "give the stress table and the panel file";
    if (o.request.templateFile.empty()) return "--template is missing";
    o.request.stresses = files[0];
    o.request.panels = files[1];
    o.request.plots = !o.plots.empty();
    return o;
}

std::optional<std::string> save(const std::string& path, const std::string& text) {
    if (const auto why = replaceFileContent(path, text)) return saveFailureMessage(path, *why);
    return std::nullopt;
}

#ifdef KORVEL_FE_PNG
// Qt's notes about the session (no runtime folder, fonts) are not the user's business here.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "korvel-fe: " << message.toStdString() << '\n';
}

// The PNG of a plot, drawn from its SVG at twice its size.
bool savePng(const std::string& svg, const std::string& path) {
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) return false;
    QImage image(renderer.defaultSize() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromStdString(path), "PNG");
}
#endif

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto parsed = parseOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::cerr << "korvel-fe: " << *problem << "\nTry korvel-fe --help\n";
        return exitUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::cout << helpText;
        return exitDone;
    }
    if (options.version) {
        std::cout << "korvel-fe " << programVersion << '\n';
        return exitDone;
    }
    // An output named like an input would replace it before it is read in full.
    for (const std::string* out : {&options.output, &options.audit}) {
        if (out->empty() || *out == "-") continue;
        for (const std::string* input : {&options.request.stresses, &options.request.panels,
                                         &options.request.templateFile, &options.request.combinations}) {
            std::error_code ec;
            if (!input->empty() && fs::equivalent(*out, *input, ec)) {
                std::cerr << "korvel-fe: " << *out << " is an input file itself; name another\n";
                return exitUsage;
            }
        }
    }
    const DataFolder data = findDataFolder(programFolder(argc > 0 ? argv[0] : nullptr), options.dataFolder);
    const std::optional<Catalogue> catalogue = loadTables(data.path, "korvel-fe");
    if (!catalogue) return exitTables;

    const FeOutcome outcome = runFeImport(options.request, *catalogue);
    for (const std::string& e : outcome.errors) std::cerr << "korvel-fe: " << e << '\n';
    if (outcome.nothing) return exitInput;

    int status = outcome.failed ? exitInput : exitDone;
    const auto report = [&status](const std::optional<std::string>& why) {
        if (!why) return;
        std::cerr << "korvel-fe: " << *why << '\n';
        status = exitOutput;
    };
    if (options.output.empty() || options.output == "-")
        std::cout << outcome.kori << std::flush;
    else
        report(save(options.output, outcome.kori));
    if (!options.audit.empty()) report(save(options.audit, outcome.audit));
    if (!options.plots.empty()) {
        std::error_code ec;
        fs::create_directories(options.plots, ec);
        if (ec) report("can't create the folder " + options.plots + ": " + ec.message());
#ifdef KORVEL_FE_PNG
        int qtArgc = 1;
        char name[] = "korvel-fe";
        char* qtArgv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQt);
        const QGuiApplication app(qtArgc, qtArgv);
#endif
        for (const FePlot& plot : outcome.plots) {
            const std::string stem = (fs::path(options.plots) / plot.name).string();
            report(save(stem + ".svg", plot.svg));
#ifdef KORVEL_FE_PNG
            if (!savePng(plot.svg, stem + ".png")) report("can't save file - " + stem + ".png");
#endif
        }
    }
    std::cerr << "korvel-fe: " << outcome.results.size() << " cases written" << (outcome.failed ? ", with faults" : "")
              << '\n';
    return status;
}
