#pragma once

// The ten stiffener windows as two small variations of the profile window: the four catalogue
// windows (a list of the table's rows and the dimensions of the chosen row) and the six built-up
// windows (edit fields for the engineer's own dimensions).

#include "sections/profile_list.h"
#include "ui/profile_dialog.h"

#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QStandardItemModel;

namespace korvel {

// Control name of the window that edits a stiffener type: "stiffl", "stifflb", "stifft", "stifftb",
// "stifff", "stifffb", "stiffhp", "stiffrhs", "stiffusp", "stiffib"; empty for an invalid code.
QString stiffenerWindowName(int type);

// L-table, T-table, Flatbar-table and BF-table.
class TableStiffenerDialog final : public ProfileDialog {
    Q_OBJECT
public:
    TableStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type);

    // Rows the typed text leaves in the drop-down of matches (the tests look at it).
    int matchCount() const;
    void narrowList(const QString& typed);

protected:
    void fillInputs() override;

private:
    void choose(int index);
    void showDimensionLabels();
    int& row() const;

    TableKind table_;
    QComboBox* profileList_ = nullptr;
    QStandardItemModel* matches_ = nullptr;
    std::vector<ProfileListEntry> entries_;
    std::vector<std::pair<QLabel*, std::string DimensionLabels::*>> dimensions_;
};

// L-built-up, T-built-up, Flatbar-built-up, RHS, Trapez and I-built-up.
class BuiltUpStiffenerDialog final : public ProfileDialog {
    Q_OBJECT
public:
    BuiltUpStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type);

protected:
    double fieldValue(ProfileField field) const override;
    void storeFieldValue(ProfileField field, double value) override;
    EditFieldTexts fieldTexts() const override;
};

} // namespace korvel
