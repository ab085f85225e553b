#pragma once

// Frame "Loading condition / Safety Format": the loading condition A, B or C with the
// factor of safety (yield) and the maximum allowable utilisation factor (buckling).

#include "design/design_case.h"

#include <QGroupBox>

class QRadioButton;

namespace korvel {

class LineInput;

class LoadingPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit LoadingPanel(QWidget* parent = nullptr);

    // The condition's button and FS, UF ("#0.00").
    void showCase(const DesignCase& dc, char decimalSeparator);

    QRadioButton* conditionButton(int condition) const;
    LineInput* FSBox() const { return FSBox_; }
    LineInput* UFBox() const { return UFBox_; }

signals:
    void conditionChosen(int condition);

private:
    QRadioButton* conditionA_;
    QRadioButton* conditionB_;
    QRadioButton* conditionC_;
    LineInput* FSBox_;
    LineInput* UFBox_;
};

} // namespace korvel
