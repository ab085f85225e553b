#include "ui/girder_dialog.h"

#include <algorithm>
#include <limits>

namespace korvel {

namespace {

ProfileDialog::WindowOptions optionsOf(int girderType) {
    const std::string_view caption = girderDialogCaption(girderType);
    ProfileDialog::WindowOptions o;
    o.name = girderWindowName(girderType);
    o.caption = QString::fromUtf8(caption.data(), static_cast<int>(caption.size()));
    return o;
}

} // namespace

QString girderWindowName(int girderType) {
    const GirderTypeFacts* facts = girderTypeFacts(girderType);
    return facts ? QString::fromLatin1(facts->windowName) : QString();
}

GirderDialog::GirderDialog(QWidget* owner, const ProfileDialogContext& ctx, int girderType)
    : ProfileDialog(owner, ctx, Kind::girder, girderType, optionsOf(girderType)) {
    addFields({{ProfileField::H, QStringLiteral("H =")},
               {ProfileField::B, QStringLiteral("B =")},
               {ProfileField::tw, QStringLiteral("tw =")},
               {ProfileField::tf, QStringLiteral("tf =")}});
    setClosingRule(ClosingRule::checkFields, {ProfileField::H, ProfileField::B, ProfileField::tw, ProfileField::tf});
}

double GirderDialog::fieldValue(ProfileField field) const {
    const GirderDims* d = girderDims(dc(), typeCode());
    if (!d) return 0;
    switch (field) {
    case ProfileField::H:
        return d->H;
    case ProfileField::B:
        return d->B;
    case ProfileField::tw:
        return d->tw;
    case ProfileField::tf:
    case ProfileField::a:
        break;
    }
    return d->tf;
}

void GirderDialog::storeFieldValue(ProfileField field, double value) {
    GirderDims* d = girderDims(dc(), typeCode());
    if (!d) return;
    switch (field) {
    case ProfileField::H:
        d->H = value;
        break;
    case ProfileField::B:
        d->B = value;
        break;
    case ProfileField::tw:
        d->tw = value;
        break;
    case ProfileField::tf: {
        // tf is held in single precision; a value beyond its range is held as the largest one.
        constexpr double most = std::numeric_limits<float>::max();
        d->tf = static_cast<float>(std::clamp(value, -most, most));
        break;
    }
    case ProfileField::a:
        break;
    }
}

EditFieldTexts GirderDialog::fieldTexts() const {
    return girderFieldTexts(dc(), typeCode());
}

QWidget* openGirderDialog(QWidget* owner, const ProfileDialogContext& ctx, int girderType) {
    if (!isGirderType(girderType)) return nullptr;
    ProfileDialog* dialog = ProfileDialog::findOpen(owner, girderWindowName(girderType));
    if (!dialog) dialog = new GirderDialog(owner, ctx, girderType);
    dialog->openOverOwner();
    return dialog;
}

QWidget* openGirderDialog(QWidget* owner, DesignCase& dc, const Catalogue& cat, DecimalMode mode, int girderType,
                          std::function<void()> applied) {
    return openGirderDialog(owner, ProfileDialogContext{dc, cat, mode, nullptr, std::move(applied)}, girderType);
}

} // namespace korvel
