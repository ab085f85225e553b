#pragma once

// The structure-type tabs: watertight bulkhead (with the unit length), tank
// bulkhead and upper structure, each with its two stiffener-end options and the caption that
// shows the c-factors of the minimum-scantling rules.

#include "report/c_factor_caption.h"

#include <QTabWidget>

#include <array>

class QLabel;
class QRadioButton;

namespace korvel {

class LineInput;

class CFactorPanel final : public QTabWidget {
    Q_OBJECT
public:
    explicit CFactorPanel(QWidget* parent = nullptr);

    // Selects the tab and option and writes that tab's caption (and, for a watertight bulkhead,
    // the unit length). Codes outside the tables select nothing.
    // The caption comes composed with the window's decimal separator (cFactorCaption).
    void showCaption(const CFactorCaption& caption);

    LineInput* ULBox() const { return ULBox_; }
    QRadioButton* optionButton(int tab, int option) const;
    QLabel* captionLabel(int tab) const;

signals:
    void structureTypeChosen(int type);
    void structureOptionChosen(int option);

private:
    std::array<std::array<QRadioButton*, 2>, 3> options_{};
    std::array<QLabel*, 3> captions_{};
    LineInput* ULBox_ = nullptr;
};

// The caption as a label shows it: the doubled "&&" of an access-key caption is one "&".
QString captionDisplayText(const std::string& caption);

} // namespace korvel
