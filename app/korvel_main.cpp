// KORVEL, the working window: one stiffened plate panel assessed against the ABS buckling,
// yield and minimum-scantling rules, recalculated after every change.

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
#include <string>
#include <vector>

namespace {

constexpr const char* usage =
    "usage: korvel                      the working window\n"
    "       korvel --pdf OUT.pdf [--selection 1|2|3] [PROJECT.korvp]\n"
    "                                   the printed report as a PDF file, without a window\n"
    "                                   (1 buckling, 2 scantling/yield, 3 both; default: the\n"
    "                                   case's own analysis selection; default case: the\n"
    "                                   start-up case of dummy.kori)\n"
    "       korvel --pdf OUT.pdf --batch IN.kori [--selection 1|2|3] [--cases 3,7-12]\n"
    "                                   the report of a batch: a summary page, then one report\n"
    "                                   page per case (default: every case, both listings)\n";

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << usage;
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
    QApplication::setApplicationVersion(QStringLiteral("1.9"));

    if (pdf) return korvel::runPdfMode(*pdf, QCoreApplication::applicationDirPath().toStdString());

    korvel::AppContext context;
    context.decimalMode = korvel::localeDecimalMode(QLocale());
    const std::filesystem::path programFolder(QCoreApplication::applicationDirPath().toStdU16String());

    // The program does not run without its tables.
    if (const auto error = korvel::prepareStart(context, programFolder)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("KORVEL"), QString::fromStdString(error->message()),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }

    korvel::MessageBoxMessages messages;
    korvel::QtSettingsStore settings;
    korvel::QtFileDialogs dialogs;
    korvel::MainWindow window(context, {messages, settings, dialogs});
    messages.setParent(&window);
    dialogs.setParent(&window);
    window.start();
    window.show();
    return QApplication::exec();
}
