#pragma once

// The studies window: one non-modal window with three pages over the main window's case, the
// sweep of one input, the capacity curve in the plane of two load groups and the lightest
// stiffener that passes. The pages follow the case live: an edit restarts a short timer, and
// when it runs out the page shown computes again off the interface thread (the others when
// they are shown). Every page exports its chart (PNG, SVG) and its data (TAB-separated), and
// prints on one landscape page or to a PDF file, titled with the case's identification.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/file_commands.h"
#include "studies/lightest_study.h"
#include "ui/message_warnings.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QMenuBar;
class QPushButton;
class QTabWidget;

namespace korvel {

class CapacityPage;
class LightestPage;
class StudyPage;
class SweepPage;

struct StudiesContext {
    const Catalogue& catalogue;
    std::function<CaseInputs()> currentCase;
    // "Use this profile": the main window takes the candidate and recalculates.
    std::function<void(const Candidate&)> useProfile;
    FileDialogs* dialogs = nullptr;   // nullptr: no export dialogs (the bench)
    UserMessages* messages = nullptr; // nullptr: failures are not told
    char decimalSeparator = '.';
    std::string workingFolder;
};

// The Studies menu: Sweep, Capacity curve and Lightest profile, each opening the window at
// its page (Ctrl+1, Ctrl+2, Ctrl+3).
void addStudiesMenu(QMenuBar* bar, const std::function<void(int page)>& open);

class StudiesWindow final : public QWidget {
    Q_OBJECT
public:
    enum Page { sweep = 0, capacity = 1, lightest = 2 };
    static constexpr int followDelayMs = 250;

    StudiesWindow(StudiesContext context, QWidget* parent);
    ~StudiesWindow() override;

    void showPage(int page);
    // The main window's case changed: the pages follow after a short pause.
    void caseChanged();
    // Follows the case now (tests and the bench).
    void followNow();
    bool following() const { return follow_.isActive(); }

    SweepPage* sweepPage() const { return sweep_; }
    CapacityPage* capacityPage() const { return capacity_; }
    LightestPage* lightestPage() const { return lightest_; }
    StudyPage* currentPage() const;

    // The title of a print or export: "Sweep of t - Project: P, Identification: I".
    QString pageTitle(const StudyPage& page) const;
    // The exports of the page shown, to the files given (the buttons ask for them first).
    bool exportPng(const QString& path);
    bool exportSvg(const QString& path);
    bool exportData(const QString& path);
    bool exportPdf(const QString& path);
    void print();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pageChanged();
    void askAndExport(const char* extension, const char* filter, bool (StudiesWindow::*write)(const QString&));
    void tell(const QString& problem);

    StudiesContext ctx_;
    QTabWidget* tabs_ = nullptr;
    SweepPage* sweep_ = nullptr;
    CapacityPage* capacity_ = nullptr;
    LightestPage* lightest_ = nullptr;
    QPushButton* pngButton_ = nullptr;
    QPushButton* svgButton_ = nullptr;
    QTimer follow_;
    bool stale_[3] = {true, true, true};
    QString lastError_;
};

} // namespace korvel
