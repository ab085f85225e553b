#pragma once

// The lightest-profile page: the stiffener families to search and how many winners, the search
// over every core off the interface thread with its progress and a Cancel button, and a sortable
// table of the winners (designation, kg/m, highest utilisation, its check, passes) with the
// case's own profile marked. "Use this profile" puts the chosen one into the main window.

#include "studies/lightest_study.h"
#include "ui/study_page.h"

#include <QCheckBox>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace korvel {

// The page's table: the winners lightest first and the case's own profile (marked), unless it
// is one of them.
struct LightestRow {
    Candidate candidate; // family and row unused for the case's own profile when it is none
    std::string designation;
    double weight = 0; // kg/m
    double highest = 0;
    std::string check; // of the highest utilisation
    bool passes = false;
    bool current = false;
    bool candidateKnown = true; // false: the case's own profile is of a type no family holds
    bool operator==(const LightestRow& o) const {
        return candidate == o.candidate && designation == o.designation && weight == o.weight && highest == o.highest &&
               check == o.check && passes == o.passes && current == o.current && candidateKnown == o.candidateKnown;
    }
};

struct LightestPageResult {
    LightestResult result;
    std::vector<LightestRow> rows;
};

class LightestPage final : public StudyPage {
    Q_OBJECT
public:
    static constexpr int defaultTop = 10;

    LightestPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent = nullptr);

    void recompute() override;
    QString studyTitle() const override;
    QString fileStem() const override;
    std::string dataTable() const override;
    void draw(QPainter& painter, const QRectF& target) override;

    void setFamilies(const std::vector<Family>& families);
    std::vector<Family> families() const;
    void setTop(int top);
    int top() const;

    // The row of the table chosen (in the table's present order); false when there is none.
    bool selectRow(int tableRow);
    // "Use this profile" on the chosen row.
    void useChosen();

    const LightestResult& result() const { return result_.result; }
    const std::vector<LightestRow>& rows() const { return result_.rows; }
    QTableWidget* table() const { return table_; }
    QProgressBar* progress() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    bool wasCancelled() const { return cancelled_; }

signals:
    void useProfile(const Candidate& candidate);

private:
    void showRows();
    void searchCancelled();

    std::array<QCheckBox*, 7> familyBoxes_{};
    QSpinBox* top_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* use_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    LightestPageResult result_;
    bool cancelled_ = false;
    // The ranked candidates of the families last searched: they depend on the tables alone.
    std::vector<Family> rankedFamilies_;
    std::shared_ptr<const std::vector<Candidate>> ranked_;
};

} // namespace korvel
