#pragma once

// The state the working window lives on: the one design case, the catalogue loaded at start-up,
// the decimal mode of the user's locale, the program folder and what the File menu keeps beside
// the case. main() creates it once; the tests create their own.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"
#include "files/batch_run.h"
#include "files/file_commands.h"
#include "files/table_loader.h"

#include <QLocale>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvel {

struct AppContext {
    DesignCase dc;
    Catalogue catalogue;
    DecimalMode decimalMode = DecimalMode::period;
    std::filesystem::path programFolder; // the tables, "dummy.kori" and "Documentation" live here
    std::filesystem::path outputFolder;  // what the program writes by itself ("dummy.koro"); empty: programFolder
    FileSession files;                   // working folder and recent-file items
    StartupBatch startupBatch;           // the start-up run on "dummy.kori": its entries and how it went

    // The separator the boxes show numbers with; files always keep the period.
    char decimalSeparator() const { return decimalMode == DecimalMode::comma ? ',' : '.'; }
};

// 1.1 formatted with one decimal in the locale: "1.1" means the period is the decimal point.
DecimalMode localeDecimalMode(const QLocale& locale);

// The program's own arguments: the command line without the options Qt takes for itself
// ("-stylesheet FILE", "-style fusion", "-platform xcb", "-reverse" ...), which the application
// object reads; a project path after them is still the project to open.
std::vector<std::string> programArguments(const std::vector<std::string>& commandLine);

// The start-up steps that need no window, in their order: the working folder starts as the
// program folder, the new-file values, the five tables, then plate material, stresses, the
// stiffener profile, the girder and the stiffener material. The program does not run without its
// tables: a missing or malformed one comes back as the error that names it.
std::optional<TableError> prepareStart(AppContext& ctx, const std::filesystem::path& programFolder);

// The user's folders of an installed program, after prepareStart. Its program folder is
// read-only: the file dialogs start in the documents folder (the home folder when there is none),
// and what the program writes by itself goes to the user's data folder
// (QStandardPaths::AppLocalDataLocation), made here when missing. The message when it cannot be
// made. A program run from its build folder keeps the program folder for both.
std::optional<std::string> settleUserFolders(AppContext& ctx, bool installed);

} // namespace korvel
