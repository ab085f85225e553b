#pragma once

// The studies window's Corrosion page: how much uniform diminution each member of the panel can
// take before the first check fails (the core's wastage study), as bars in mm with the current
// thickness and the substantial-corrosion threshold marked, and as the study's table. The basis
// (strength, or all checks with the newbuilding minimum scantlings) is chosen on the page.
//
// A gauged thickness typed into a member's row goes to the main window, whose result list then
// shows the gauged utilisations beside the ones as built until the gauging is cleared. Gauged
// thicknesses belong to the session: the project file has no place for them, and an older
// program would read a file that had one wrongly.

#include "studies/wastage_study.h"
#include "ui/study_page.h"

#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace korvel {

// The measured thicknesses of plate, stiffener web and flange, girder web and flange (mm), as the
// core's gaugedCase takes them; nullopt: as built.
using MemberThicknesses = std::array<std::optional<double>, 5>;

class WastageBars;

class CorrosionPage final : public StudyPage {
    Q_OBJECT
public:
    // The table's columns after the member; the gauged thickness is typed into the last.
    enum Column { memberColumn = 0, gaugedColumn = 8, columnCount = 9 };

    CorrosionPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent = nullptr);

    void recompute() override;
    QString studyTitle() const override;
    QString fileStem() const override;
    std::string dataTable() const override;
    void draw(QPainter& painter, const QRectF& target) override;

    void setBasis(WastageBasis basis);
    WastageBasis basis() const { return basis_; }
    // The members of the table, in its order, and their results.
    static const std::array<Member, 6>& members();
    const std::vector<WastageResult>& results() const { return results_; }

    // A member's gauged thickness (nullopt: as built again); "all" takes none.
    void setGauged(Member m, std::optional<double> thickness);
    void clearGauging();
    // Shows thicknesses gauged before (the window opened again), without telling anyone.
    void showGauging(const MemberThicknesses& thickness);
    const MemberThicknesses& gauged() const { return gauged_; }
    // Why the gauging could not be applied to the case; empty clears the note.
    void showGaugingProblem(const QString& problem);

    QTableWidget* table() const { return table_; }
    QLabel* note() const { return note_; }

signals:
    // The gauged thicknesses changed (all nullopt: cleared).
    void gaugingChanged(const MemberThicknesses& thickness);

private:
    void showResults();
    void gaugedEdited(int row, int column);
    void showGaugedCells();

    QComboBox* basisBox_ = nullptr;
    QTableWidget* table_ = nullptr;
    WastageBars* bars_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* clear_ = nullptr;
    WastageBasis basis_ = WastageBasis::strength;
    std::vector<WastageResult> results_;
    MemberThicknesses gauged_{};
    bool filling_ = false; // the table is being filled by the page, not edited
};

} // namespace korvel
