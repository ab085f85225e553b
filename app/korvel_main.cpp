// KORVEL, the working window: one stiffened plate panel assessed against the ABS buckling,
// yield and minimum-scantling rules, recalculated after every change.

#include "design/version.h"
#include "files/data_folder.h"
#include "pdf_mode.h"
#include "ui/app_context.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_warnings.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* usage =
    "usage: korvel                      the working window\n"
    "       korvel PROJECT.korvp        the working window with the project opened\n"
    "       korvel --version            the version\n"
    "       korvel --pdf OUT.pdf [--selection 1|2|3] [PROJECT.korvp]\n"
    "                                   the printed report as a PDF file, without a window\n"
    "                                   (1 buckling, 2 scantling/yield, 3 both; default: the\n"
    "                                   case's own analysis selection; default case: the\n"
    "                                   start-up case of dummy.kori)\n"
    "       korvel --pdf OUT.pdf --batch IN.kori [--selection 1|2|3] [--cases 3,7-12] [--envelope]\n"
    "                    [--gauging G.tsv]\n"
    "                                   the report of a batch: a summary page, then one report\n"
    "                                   page per case (default: every case, both listings);\n"
    "                                   --envelope: after the summary a page per panel (cases\n"
    "                                   named PANEL/LOAD CASE) with its load case x check matrix;\n"
    "                                   with --gauging the cases a survey file gauges are run\n"
    "                                   with its thicknesses, \"as built\" beside each value\n";

} // namespace

int main(int argc, char* argv[]) {
    // Qt's own options (-stylesheet FILE, -style NAME ...) are the application object's.
    const std::vector<std::string> args = korvel::programArguments({argv + 1, argv + argc});
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << usage;
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::cout << "korvel " << korvel::programVersion << '\n';
        return 0;
    }
    std::string problem;
    const std::optional<korvel::PdfRequest> pdf = korvel::pdfRequest(args, problem);
    if (!problem.empty()) {
        std::cerr << "korvel: " << problem << '\n' << usage;
        return 2;
    }
    // The report needs fonts but no screen: PDF mode runs on the offscreen platform.
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    if (!pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::cerr << "korvel: the window needs a graphical display and there is none; without one, use korvel-batch "
                     "for batch files or korvel --pdf for the report.\n"
                  << usage;
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEL"));
    QApplication::setApplicationVersion(QString::fromLatin1(korvel::programVersion));

    // The data beside the executable (the build folder) or in ../share/korvel (installed).
    const korvel::DataFolder data =
        korvel::findDataFolder(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()));
    if (pdf) return korvel::runPdfMode(*pdf, data);

    korvel::AppContext context;
    context.decimalMode = korvel::localeDecimalMode(QLocale());

    // The program does not run without its tables.
    if (const auto error = korvel::prepareStart(context, data.path)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("KORVEL"), QString::fromStdString(error->message()),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }
    std::optional<std::string> userFolderProblem = korvel::settleUserFolders(context, data.installed);

    korvel::MessageBoxMessages messages;
    korvel::QtSettingsStore settings;
    korvel::QtFileDialogs dialogs;
    korvel::MainWindow window(context, {messages, settings, dialogs});
    messages.setParent(&window);
    dialogs.setParent(&window);
    window.start();
    window.show();
    // Installed, a data folder the program cannot make or write is the user's to fix: said once.
    // Without it the program still runs; only the start-up run's results are not kept.
    if (!userFolderProblem && data.installed &&
        context.startupBatch.status == korvel::StartupBatch::Status::outputNotWritten)
        userFolderProblem = context.startupBatch.message;
    if (userFolderProblem) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"),
                        QString::fromStdString(*userFolderProblem +
                                               "\n\nThe results of the start-up run (dummy.koro) are not kept."),
                        QMessageBox::Ok, &window);
        box.exec();
    }
    if (!args.empty()) window.openProjectPath(QString::fromLocal8Bit(args.back().c_str()));
    return QApplication::exec();
}
