#pragma once

// The working window `korvel`: every input of the design case on the left, closed by the analysis
// selection that decides what the list shows; the panel figure with the profile designations top
// right and the control summary list filling the rest of the right column, with the
// File, Profile, Database, Print and Help menus. Every input recalculates the whole case; every
// action runs to completion before the next one is handled.
//
// The window is split by frame (input_panel.h and the panels it holds, figure_panel.h,
// main_window_results.h); this class is the controller that connects them to the design case:
// main_window.cpp (construction, start-up, calculation and refresh, activation, pop-up menu),
// main_window_inputs.cpp (box validation, keyboard movement, options and lists) and
// main_window_menus.cpp (menus, file commands, printing, profiles, help).

#include "design/box_messages.h"
#include "design/input_box.h"
#include "files/file_commands.h"
#include "files/settings_store.h"
#include "report/listing_row.h"
#include "ui/app_context.h"
#include "ui/message_warnings.h"
#include "ui/profile_dialog.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPrinter;
class QWindow;

namespace korvel {

class AnalysisPanel;
struct BatchState;
class FigurePanel;
class InputPanel;
class LineInput;
class MarginLine;
class StudiesWindow;
class ResultsList;
class ResultsModel;

// What the window asks of the desktop; the tests give recorders and in-memory stores.
struct WindowServices {
    UserMessages& messages;
    SettingsStore& settings;
    FileDialogs& dialogs;
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppContext& context, WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up after the tables are loaded: the material lists, the case shown and the
    // caption, the start-up batch run on "dummy.kori", the window size, the recent-file menu and
    // the first calculation of the case shown.
    void start();

    // Writes every input control from the design case.
    void refreshWindow();
    // Calculates the case and shows its results; warnings of the calculation follow.
    void recalculate();

    // File menu.
    void newFile();
    void openFile();
    // Opens a project named on the command line, as Open does after its dialog.
    void openProjectPath(const QString& path);
    void saveFile();
    void saveFileAs();
    void openRecentFile(int n);
    // Print menus: analysis and print selection 1, 2 or 3, then the print job. Without a printer
    // the engineer is told so and offered Export PDF.
    void printReport(int selection);
    // Prints `copies` reports of the case on `printer`; a job that does not start or stops
    // half-way is reported. True when every copy was printed.
    bool printOn(QPrinter& printer, int copies);
    // File → Print → Export PDF: the report of the current analysis selection as a PDF file.
    void exportPdf();
    // File → Print → Print Preview: the report of the current analysis selection on screen.
    void printPreview();

    // Profile menu, pop-up menu and picture buttons. The profile dialogs are separate windows;
    // until they exist these set the type and recalculate.
    void openStiffenerDialog(int stiffenerType);
    void openGirderDialog(int girderType);
    // Closes the open profile dialogs (before another case is loaded).
    void closeProfileDialogs();

    // Whether the case differs from what was last opened, saved or started with: what the
    // project file would hold now against what it held then. The caption then ends in "*".
    bool isModified() const;

    // Database and Help menus.
    void openBatchWindow();
    void openAboutWindow();
    // Studies menu: the studies window (main_window_studies.cpp) at page 0 (sweep), 1 (capacity),
    // 2 (lightest profile) or 3 (corrosion).
    void openStudiesWindow(int page);
    // Gauged thicknesses of plate, stiffener web and flange, girder web and flange (all nullopt:
    // none): the list shows the gauged utilisations beside its own while there are any. Session
    // state, never saved. The answer: why they cannot be applied to the case, or "".
    std::string setGauging(const std::array<std::optional<double>, 5>& thickness);
    // Forgets the gauging: the main list and the Corrosion page show the case as built.
    void clearGauging();
    StudiesWindow* studiesWindow() const;
    MarginLine* marginLine() const { return margin_; }
    void openHelp(bool searchPage);
    // A document of the "Documentation" folder below the program folder, in its viewer.
    void openDocument(const QString& fileName);

    // Parts the tests look at.
    AppContext& context() { return ctx_; }
    InputPanel* inputs() const { return inputs_; }
    FigurePanel* figurePanel() const { return figure_; }
    AnalysisPanel* analysisPanel() const { return analysis_; }
    ResultsModel* results() const { return model_; }
    ResultsList* resultsList() const { return list_; }
    QMenu* profileMenu() const { return profileMenu_; }
    int calculationCount() const { return calculations_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_window.cpp
    void buildLayout();
    void connectControls();
    void showCalculation();
    void showWarnings();
    void warn(const std::string& text);
    void focusBox(InputBox box);
    void updateCaption();
    // The case as it stands is the one of the file named in the caption (or the new-file case).
    void markSaved();
    // Before the case is set aside: "Save changes to NAME?" when it is modified. False when the
    // engineer cancels, here or in the Save that the answer Save runs, or that Save fails.
    bool saveChangesFirst();
    void sizeWindow();
    void setContextMenusToWindow();
    void focusWindowChanged(QWindow* now);
    char separator() const { return ctx_.decimalSeparator(); }

    // main_window_inputs.cpp
    void boxLeft(InputBox box);
    void commitPendingEdit();
    void moveOnEnter(const QString& from);
    void moveOnArrow(LineInput* from, int key);
    void focusControl(const QString& name);
    void choosePlateMaterial(int index);
    void chooseStiffenerMaterial(int index);
    void chooseCondition(int condition);
    void chooseStructureType(int type);
    void chooseStructureOption(int option);
    void chooseAnalysis(int analysis);
    void chooseDeformation(bool include);
    void flipPressureSign();

    // The summary list's rows, with the gauged values beside them while there is a gauging.
    std::vector<ListingRow> summaryRows();

    // main_window_menus.cpp
    void buildMenus();
    ProfileDialogContext profileDialogContext();
    void showRecentMenu();
    void showPrintShortcut();
    FileContext fileContext();
    void finishFileCommand(const FileCommandOutcome& outcome);

    AppContext& ctx_;
    WindowServices services_;
    std::unique_ptr<BatchState> batchState_; // made from the start-up run when first needed
    MessageWarnings warnings_;

    InputPanel* inputs_ = nullptr;
    FigurePanel* figure_ = nullptr;
    AnalysisPanel* analysis_ = nullptr;
    ResultsModel* model_ = nullptr;
    ResultsList* list_ = nullptr;
    MarginLine* margin_ = nullptr;
    QPointer<StudiesWindow> studies_; // cleared when the window is closed
    std::array<std::optional<double>, 5> gauging_{};
    std::unique_ptr<DesignCase> gauged_; // the case with the gauged thicknesses, run

    QMenu* profileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::array<QAction*, 4> recentItems_{};
    std::array<QAction*, 3> printItems_{}; // File → Print: buckling, scantling/yield, both

    std::string savedText_; // the project file text of the case when it was last saved or loaded
    int calculations_ = 0;
    bool calculating_ = false; // calculate is not re-entered from its own warnings
    bool movingFocus_ = false; // the box the program takes the focus from is not validated
    bool validating_ = false;  // one box is validated at a time
    bool closing_ = false;
    bool focusClaimed_ = false; // a warning of the current action has given the focus to a box
    bool inBoxLeft_ = false;    // the current action is a box being left
    bool boxWarned_ = false;    // the box being left was warned about: its calculation stays quiet
    WarningMemory shownWarnings_;
    QPointer<QWindow> lastOtherWindow_;
};

} // namespace korvel
