#pragma once

// The studies window: one non-modal window with four pages over the main window's case, the
// sweep of one input, the capacity curve in the plane of two load groups, the lightest
// stiffener that passes and the allowable corrosion of each member. The pages follow the case live: an edit restarts a
// short timer, and when it runs out the page shown computes again off the interface thread (the others when they are
// shown). Every page exports its chart (PNG, SVG) and its data (TAB-separated), and prints on one landscape page or to
// a PDF file, titled with the case's identification.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/file_commands.h"
#include "studies/lightest_study.h"
#include "ui/message_warnings.h"
#include "ui/studies_corrosion_page.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QMenuBar;
class QPushButton;
class QTabWidget;

namespace korvel {

class CapacityPage;
class CorrosionPage;
class LightestPage;
class StudyPage;
class SweepPage;

struct StudiesContext {
    const Catalogue& catalogue;
    std::function<CaseInputs()> currentCase;
    // "Use this profile": the main window takes the candidate and recalculates.
    std::function<void(const Candidate&)> useProfile;
    // Gauged thicknesses typed on the Corrosion page (all nullopt: cleared): the main window lists
    // the gauged utilisations beside its own. The answer is why they cannot be applied, or "".
    std::function<std::string(const MemberThicknesses&)> gauge;
    // The gauged thicknesses the main window holds, for a window opened again.
    std::function<MemberThicknesses()> gauging;
    FileDialogs* dialogs = nullptr;   // nullptr: no export dialogs (the bench)
    UserMessages* messages = nullptr; // nullptr: failures are not told
    char decimalSeparator = '.';
    std::string workingFolder;
};

// The Studies menu: Sweep, Capacity curve, Lightest profile and Corrosion, each opening the
// window at its page (Ctrl+1 to Ctrl+4).
void addStudiesMenu(QMenuBar* bar, const std::function<void(int page)>& open);

class StudiesWindow final : public QWidget {
    Q_OBJECT
public:
    enum Page { sweep = 0, capacity = 1, lightest = 2, corrosion = 3, pageCount = 4 };
    static constexpr int followDelayMs = 250;

    StudiesWindow(StudiesContext context, QWidget* parent);
    ~StudiesWindow() override;

    void showPage(int page);
    // The main window's case changed: the pages follow after a short pause.
    void caseChanged();
    // The main window's gauging changed without the page (another project opened).
    void showGauging(const MemberThicknesses& thickness);
    // Follows the case now (tests and the bench).
    void followNow();
    bool following() const { return follow_.isActive(); }

    SweepPage* sweepPage() const { return sweep_; }
    CapacityPage* capacityPage() const { return capacity_; }
    LightestPage* lightestPage() const { return lightest_; }
    CorrosionPage* corrosionPage() const { return corrosion_; }
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
    std::array<StudyPage*, pageCount> pages() const;
    void pageChanged();
    void askAndExport(const char* extension, const char* filter, bool (StudiesWindow::*write)(const QString&));
    void tell(const QString& problem);

    StudiesContext ctx_;
    QTabWidget* tabs_ = nullptr;
    SweepPage* sweep_ = nullptr;
    CapacityPage* capacity_ = nullptr;
    LightestPage* lightest_ = nullptr;
    CorrosionPage* corrosion_ = nullptr;
    QPushButton* pngButton_ = nullptr;
    QPushButton* svgButton_ = nullptr;
    QTimer follow_;
    bool stale_[pageCount] = {true, true, true, true};
    QString lastError_;
};

} // namespace korvel
