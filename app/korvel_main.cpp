// KORVEL, the working window: one stiffened plate panel assessed against the ABS buckling,
// yield and minimum-scantling rules, recalculated after every change.

#include "ui/app_context.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_warnings.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include <filesystem>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORVEL"));
    QApplication::setApplicationVersion(QStringLiteral("1.9"));

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
