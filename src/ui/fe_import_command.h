#pragma once

// File → "Import FE stresses…" of the batch window: the element stresses of a finite-element model,
// the panels placed in it and the template cases, chosen one after another (each dialog starts at
// the file chosen last time in this session), reduced to batch cases per panel and load case,
// saved as a batch file with its audit beside it, and opened in the window. The audit's warnings
// and the faults of the inputs are shown in one message.

#include "design/catalogue.h"
#include "files/file_commands.h"

#include <functional>
#include <string>

class QWidget;

namespace korvel {

class UserMessages;

// The files chosen last, for the next import of the session.
struct FeImportFiles {
    std::string stresses, panels, templateFile, output;
};

struct FeImportJob {
    QWidget* parent = nullptr;
    const Catalogue* catalogue = nullptr;
    FileDialogs* dialogs = nullptr;
    UserMessages* messages = nullptr;
    FeImportFiles* remembered = nullptr;
    std::string folder; // where the first dialog starts
    // Opens the batch file written; false when it could not be opened.
    std::function<bool(const std::string& path)> open;
    std::function<void(const std::string& text)> status;
};

// The message listing the audit's warnings and the inputs' faults ("" when there are none), at
// most `maxListed` lines of them and a count of the rest.
std::string feImportWarnings(const std::vector<std::string>& errors, const std::vector<std::string>& warnings,
                             std::size_t maxListed = 20);

// True when a batch file was written and opened.
bool importFeStresses(const FeImportJob& job);

} // namespace korvel
