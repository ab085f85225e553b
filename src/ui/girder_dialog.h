#pragma once

// The two girder windows, "Girder: L - Built-up" (girdlg, girder type 1) and "Girder: T-built-up"
// (girdtg, type 3): the four dimensions of the girder type's own set, its properties alone and
// with the girder's effective plate, and the fixed picture of the type.

#include "ui/profile_dialog.h"

namespace korvel {

// "girdlg" for girder type 1, "girdtg" for 3; empty for any other code.
QString girderWindowName(int girderType);

class GirderDialog final : public ProfileDialog {
    Q_OBJECT
public:
    GirderDialog(QWidget* owner, const ProfileDialogContext& ctx, int girderType);

protected:
    double fieldValue(ProfileField field) const override;
    void storeFieldValue(ProfileField field, double value) override;
    EditFieldTexts fieldTexts() const override;
};

} // namespace korvel
