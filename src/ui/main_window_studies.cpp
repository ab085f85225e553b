// The working window's Studies menu: the studies window over the case, the profile it hands
// back and the gauged thicknesses it gives.

#include "ui/main_window.h"

#include "design/warning_sink.h"
#include "engine/assessment.h"
#include "report/beside_values.h"
#include "report/control_summary.h"
#include "studies/wastage_study.h"
#include "ui/results_model.h"
#include "ui/studies_window.h"

#include <algorithm>

namespace korvel {

void MainWindow::openStudiesWindow(int page) {
    commitPendingEdit();
    if (!studies_) {
        StudiesContext sc{ctx_.catalogue,
                          // A study starts from the strengths in the material boxes, those in force.
                          [this] { return inputsInForce(ctx_.dc); },
                          [this](const Candidate& c) {
                              // As a profile dialog does: the profile becomes the working one and
                              // the case is calculated again.
                              closeProfileDialogs();
                              applyCandidate(ctx_.dc, c);
                              refreshWindow();
                              recalculate();
                          },
                          [this](const MemberThicknesses& thickness) { return setGauging(thickness); },
                          [this] { return gauging_; }, &services_.dialogs, &services_.messages, separator(),
                          ctx_.files.workingFolder};
        studies_ = new StudiesWindow(std::move(sc), this);
    }
    studies_->show();
    studies_->raise();
    studies_->activateWindow();
    studies_->showPage(page);
}

StudiesWindow* MainWindow::studiesWindow() const {
    return studies_.data();
}

std::string MainWindow::setGauging(const std::array<std::optional<double>, 5>& thickness) {
    gauging_ = thickness;
    gauged_.reset();
    std::string problem;
    if (std::any_of(gauging_.begin(), gauging_.end(), [](const auto& t) { return t.has_value(); })) {
        // Tried once here for its answer; the list runs it again with every calculation.
        problem = gaugedCase(ctx_.dc, gauging_, ctx_.catalogue).problem;
    }
    showCalculation();
    return problem;
}

void MainWindow::clearGauging() {
    gauging_ = {};
    gauged_.reset();
    if (studies_) studies_->showGauging(gauging_);
}

std::vector<ListingRow> MainWindow::summaryRows() {
    gauged_.reset();
    if (std::none_of(gauging_.begin(), gauging_.end(), [](const auto& t) { return t.has_value(); }))
        return controlSummary(ctx_.dc, nullptr, separator());
    GaugedCase g = gaugedCase(ctx_.dc, gauging_, ctx_.catalogue);
    if (!g.inputs) return controlSummary(ctx_.dc, nullptr, separator());
    gauged_ = std::make_unique<DesignCase>();
    static_cast<CaseInputs&>(*gauged_) = std::move(*g.inputs);
    gauged_->analysis = ctx_.dc.analysis;
    gauged_->includeDeformation = ctx_.dc.includeDeformation;
    // Its warnings are the case's own, given by the case as built already.
    IgnoreWarnings quiet;
    runCase(*gauged_, ctx_.catalogue, {}, quiet);
    return controlSummary(ctx_.dc, gauged_.get(), separator());
}

} // namespace korvel
