#pragma once

// The margin at a glance over the main window's results list (report/margin_text.h): the
// verdict of the calculation at once, the reserve factor λ* a moment later. λ* is computed
// after the listing is shown (a zero-time timer), so an edit repaints first; the next edit
// restarts the timer, and a λ* that is no longer wanted is never computed.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "studies/reserve_study.h"

#include <QLabel>
#include <QTimer>

#include <optional>

namespace korvel {

class MarginLine final : public QLabel {
    Q_OBJECT
public:
    MarginLine(const Catalogue& catalogue, QWidget* parent = nullptr);

    // The verdict of the case just calculated in dc; λ* follows from the event loop.
    void showCase(const DesignCase& dc, char decimalSeparator);
    // Computes a pending λ* now (tests, the bench).
    void finishReserve();
    bool reservePending() const { return timer_.isActive(); }

    const std::optional<ReserveResult>& reserve() const { return reserve_; }
    const CaseVerdict& verdict() const { return verdict_; }
    // Reserve factors computed so far (the bench counts them).
    int reserveCount() const { return reserves_; }

private:
    void computeReserve();
    void showText();

    CaseRunner runner_;
    CaseInputs inputs_;
    CaseVerdict verdict_;
    std::optional<ReserveResult> reserve_;
    char separator_ = '.';
    int analysis_ = analysisAll;
    int reserves_ = 0;
    QTimer timer_;
};

} // namespace korvel
