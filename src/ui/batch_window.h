#pragma once

// The batch window "Database ": the user opens a batch input file (".kori"), picks any of its
// cases to see it in the main window, and writes the results of all of them to the output table
// (".koro") beside the input. The window is modeless and owned by the main window; it works on
// the one design case and tells its owner through a callback when a case was run into it.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/number_parser.h"
#include "files/batch_run.h"
#include "files/file_commands.h"
#include "ui/fe_import_command.h"
#include "ui/message_warnings.h"

#include <QMainWindow>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace korvel {

class BatchResultsPage;

// What the batch machinery keeps between runs, shared by the start-up run and the batch window:
// the entries last read, the path of the batch file they came from (the output name is derived
// from it), the entry last chosen and the folder the open dialog starts in.
struct BatchState {
    BatchList list;
    std::string currentFile;
    int currentEntry = 0;
    std::string lastFolder; // empty: the program folder
    std::string outputFile; // the results table; empty: named after currentFile
    FeImportFiles feImport; // the files of the last finite-element import
};

// The state after the start-up run on "dummy.kori": its entries and its path, so that saving
// before any other file was opened writes "dummy.koro" again, into `outputFolder` (empty: beside
// "dummy.kori"); the open dialog starts in `openFolder` (empty: the program folder).
BatchState startupBatchState(StartupBatch startup, const std::filesystem::path& programFolder,
                             const std::filesystem::path& outputFolder = {}, const std::string& openFolder = {});

// The items of the case list: a case shows its identification, a comment line its text.
QStringList batchListItems(const BatchList& list);

// The warnings a results run met, gathered so that thousands of cases give one message.
struct BatchRunNotes {
    struct CaseNote {
        int line = 0; // line of the batch file
        std::string identification;
        std::vector<std::string> messages;
    };
    std::vector<CaseNote> warned;  // cases with geometry warnings, in file order
    std::vector<CaseNote> stopped; // cases whose calculation stopped in a step
    int cases = 0;
    FailureCounts failed; // cases with a failed check, and which checks
};

// One message for a whole run: how many cases gave warnings (geometry, table rows) or stopped, and the first
// `maxListed` of each with their lines. Empty when there is nothing to tell.
std::string batchRunSummary(const BatchRunNotes& notes, const std::string& outputPath, int maxListed = 12);

// The status line after a results run: "52 entries written in 0.12 s; 3 cases with a failed
// check (UFpb 2, girder depth 1)".
std::string batchRunStatus(const BatchRunNotes& notes, int entries, double seconds, char decimalSeparator = '.');

class BatchWindow : public QMainWindow {
    Q_OBJECT

public:
    // `caseShown` runs after a case was run into dc (the owner refreshes its display).
    BatchWindow(QWidget* owner, DesignCase& dc, const Catalogue& catalogue, DecimalMode mode, BatchState& state,
                std::function<void()> caseShown);
    ~BatchWindow() override;

    // Asked before a case of the batch file replaces the case on the screen (opening a file,
    // picking a case, writing the results): false keeps the case and nothing happens. The main
    // window asks "Save changes to NAME?" here. Without a guard the case is replaced.
    void setCaseGuard(std::function<bool()> mayReplaceCase) { mayReplaceCase_ = std::move(mayReplaceCase); }

    // Replace the message boxes and the file dialog (tests); nullptr restores the desktop ones.
    void setMessages(UserMessages* messages);
    void setFileDialogs(FileDialogs* dialogs);

    // Opening from the main window: the current entry is 0 and the list holds one blank item.
    void restart();

    // "&Open Database File": asks for a batch file and opens it.
    void openDatabaseFile();
    // Reads `path` into the case list and runs its first case. A file that cannot be found or
    // read is reported (file, line, reason) and the list keeps its previous items.
    bool openBatchFile(const QString& path);
    // A list item chosen: a case is run into the design case, a comment does nothing.
    void chooseEntry(int index);
    // "&Save Result to File": runs every entry and writes the output table; false when nothing
    // was written (no batch file, cancelled, or the file could not be written).
    bool saveResults();

    QComboBox* caseList() const { return caseList_; }
    BatchResultsPage* resultsPage() const { return resultsPage_; }
    QString inputFileText() const;
    QString outputFileText() const;

protected:
    // Esc closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void runOneCase(int index);
    bool mayReplaceCase();
    void fillList();
    // batch_window.cpp, the results table page and the list's upkeep.
    void addResultsPage(QWidget* casesPage);
    std::function<void(const BatchEntry&, const DesignCase&)> resultsTableFiller();
    void markCommentLines();
    void showLastCaseInList();
    UserMessages& messages();
    FileDialogs& fileDialogs();

    DesignCase& dc_;
    const Catalogue& catalogue_;
    DecimalMode mode_;
    BatchState& state_;
    std::function<void()> caseShown_;
    std::function<bool()> mayReplaceCase_;

    std::unique_ptr<MessageBoxMessages> ownMessages_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    UserMessages* messages_ = nullptr;
    FileDialogs* dialogs_ = nullptr;
    bool running_ = false;

    QComboBox* caseList_ = nullptr;
    QLabel* inputFileName_ = nullptr;
    QLabel* outputFileName_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QAction* openFileAction_ = nullptr;
    QAction* saveResultAction_ = nullptr;
    BatchResultsPage* resultsPage_ = nullptr;
};

// Moves `window` beside `owner` (right of it where the screen has room, else left), level with
// its top.
void placeBeside(QWidget* window, const QWidget* owner);

// The main window's "&Open Database": shows the batch window of `owner` (creating it the first
// time), with the current entry 0 and the blank item, without blocking the owner.
BatchWindow* openBatchWindow(QWidget* owner, DesignCase& dc, const Catalogue& catalogue, DecimalMode mode,
                             BatchState& state, std::function<void()> caseShown);

} // namespace korvel
