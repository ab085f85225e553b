// The working window's Studies menu: the studies window over the case, and the profile it
// hands back.

#include "ui/main_window.h"
#include "ui/studies_window.h"

namespace korvel {

void MainWindow::openStudiesWindow(int page) {
    commitPendingEdit();
    if (!studies_) {
        StudiesContext sc{ctx_.catalogue,
                          [this] { return static_cast<const CaseInputs&>(ctx_.dc); },
                          [this](const Candidate& c) {
                              // As a profile dialog does: the profile becomes the working one and
                              // the case is calculated again.
                              closeProfileDialogs();
                              applyCandidate(ctx_.dc, c);
                              refreshWindow();
                              recalculate();
                          },
                          &services_.dialogs,
                          &services_.messages,
                          separator(),
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

} // namespace korvel
