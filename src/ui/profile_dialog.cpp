#include "ui/profile_dialog.h"

#include "design/number_format.h"
#include "engine/assessment.h"
#include "ui/line_input.h"
#include "ui/profile_figure_widget.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvel {

namespace {

// Limits of a field: when it is left (a thickness below the minimum is raised to it, since a
// zero thickness would stop every section formula) and when a built-up window closes, where a
// plate thinner than 1 mm is not a sensible stiffener.
struct FieldLimit {
    const char* name;
    double leaving;
    const char* leavingMessage;
    bool forceMinimum;
    double closing;
    const char* closingMessage;
};

const FieldLimit& limitOf(ProfileField field) {
    static const FieldLimit limits[] = {
        {"isth", 5, " H >= 5 ", false, 5, " H >= 5 "},       {"istb", 5, " B >= 5 ", false, 5, " B >= 5 "},
        {"isttw", 0.1, " tw >= 0.1 ", true, 1, " tw >= 1 "}, {"isttf", 0.1, " tf >= 0.1 ", true, 1, " tf >= 1 "},
        {"ista", 0, " a >= 0 ", true, 0, " a >= 0 "},
    };
    return limits[static_cast<int>(field)];
}

const std::string& textOf(const EditFieldTexts& texts, ProfileField field) {
    switch (field) {
    case ProfileField::H:
        return texts.H;
    case ProfileField::B:
        return texts.B;
    case ProfileField::tw:
        return texts.tw;
    case ProfileField::tf:
        return texts.tf;
    case ProfileField::a:
        break;
    }
    return texts.a;
}

// A caption label and its value label in the next row of a frame.
QLabel* addValueRow(QGridLayout* grid, const QString& caption, const QString& name) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0, Qt::AlignRight);
    auto* value = new QLabel;
    value->setObjectName(name);
    value->setMinimumWidth(150);
    grid->addWidget(value, row, 1);
    return value;
}

const QString figureCaptionOnDraw[2] = {QStringLiteral("Figure to Scale"), QStringLiteral("Figure not to Scale")};
const QString figureCaptionOnClick[2] = {QStringLiteral("Figure to scale"), QStringLiteral("Figure not to scale")};

} // namespace

ProfileDialog::ProfileDialog(QWidget* owner, ProfileDialogContext ctx, Kind kind, int type,
                             const WindowOptions& options)
    : QWidget(owner, Qt::Dialog), ctx_(std::move(ctx)), kind_(kind), type_(type), leftFraction_(options.leftFraction),
      backgroundFlipsFigure_(options.backgroundFlipsFigure), izUnit_(options.izUnit) {
    setObjectName(options.name);
    setWindowTitle(options.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    if (!ctx_.messages) {
        ownMessages_ = std::make_unique<MessageBoxMessages>(this);
        ctx_.messages = ownMessages_.get();
    }
    buildShared(options);
}

ProfileDialog::~ProfileDialog() {
    // The fields die with the window: no leaving step may run on a half-destroyed window.
    closed_ = true;
    for (EditField& f : fields_) f.edit->disconnect(this);
}

void ProfileDialog::buildShared(const WindowOptions& options) {
    const bool stiffener = kind_ == Kind::stiffener;

    auto* inputs = new QWidget;
    inputArea_ = new QGridLayout(inputs);

    sectionFigure_ = new ProfileFigureWidget(QStringLiteral("sectionFigure"), QSize(240, 180));
    sectionFigure_->setDecimalSeparator(ctx_.decimalMode == DecimalMode::comma ? ',' : '.');
    auto* figureColumn = new QVBoxLayout;
    figureColumn->addWidget(sectionFigure_);
    if (stiffener) {
        toScaleNote_ = new QLabel;
        toScaleNote_->setObjectName(QStringLiteral("toScaleNote"));
        figureColumn->addWidget(toScaleNote_, 0, Qt::AlignHCenter);
        connect(sectionFigure_, &ProfileFigureWidget::clicked, this, &ProfileDialog::flipFigure);
    }
    figureColumn->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(inputs, 1);
    top->addLayout(figureColumn);

    auto* bare = new QGroupBox(stiffener ? QStringLiteral("Stiffener") : QStringLiteral("Girder"));
    auto* bareGrid = new QGridLayout(bare);
    sta_ = addValueRow(bareGrid, QStringLiteral("Ax ="), QStringLiteral("sta"));
    stg_ = addValueRow(bareGrid, QStringLiteral("g ="), QStringLiteral("stg"));
    stiy_ = addValueRow(bareGrid, QStringLiteral("Iy ="), QStringLiteral("stiy"));
    if (stiffener && !options.izUnit.empty())
        stiz_ = addValueRow(bareGrid, QStringLiteral("Iz ="), QStringLiteral("stiz"));
    bareGrid->setRowStretch(bareGrid->rowCount(), 1);

    auto* plated = new QGroupBox(stiffener ? QStringLiteral("Stiffener incl effective plate")
                                           : QStringLiteral("Girder incl effective plate"));
    auto* platedGrid = new QGridLayout(plated);
    se_ = addValueRow(platedGrid, QStringLiteral("se ="), QStringLiteral("se"));
    ae_ = addValueRow(platedGrid, QStringLiteral("Ae ="), QStringLiteral("ae"));
    zp_ = addValueRow(platedGrid, QStringLiteral("zp ="), QStringLiteral("zp"));
    iy_ = addValueRow(platedGrid, QStringLiteral("Ie ="), QStringLiteral("iy"));
    wep2_ = addValueRow(platedGrid, QStringLiteral("Wep ="), QStringLiteral("wep2"));
    wes2_ = addValueRow(platedGrid, QStringLiteral("Wes ="), QStringLiteral("wes2"));

    auto* properties = new QHBoxLayout;
    properties->addWidget(bare);
    properties->addWidget(plated);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(properties);
    if (stiffener) {
        auto* check = new QGroupBox(QStringLiteral("Local buckling check "));
        auto* checkLayout = new QVBoxLayout(check);
        flangeWebFigure_ = new ProfileFigureWidget(QStringLiteral("flangeWebFigure"), QSize(420, 64));
        flangeWebFigure_->setDecimalSeparator(ctx_.decimalMode == DecimalMode::comma ? ',' : '.');
        checkLayout->addWidget(flangeWebFigure_);
        outer->addWidget(check);
    }
    okButton_ = new QPushButton(QStringLiteral("OK"));
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    outer->addLayout(buttons);
}

void ProfileDialog::addFields(const std::vector<FieldSpec>& fields) {
    fields_.reserve(fields.size());
    for (const FieldSpec& def : fields) {
        auto* edit = new LineInput(InputBox::none, QString::fromLatin1(limitOf(def.field).name));
        const int row = inputArea_->rowCount();
        inputArea_->addWidget(new QLabel(def.caption), row, 0, Qt::AlignRight);
        inputArea_->addWidget(edit, row, 1);
        inputArea_->addWidget(new QLabel(QStringLiteral("mm")), row, 2);
        fields_.push_back({def, edit});
    }
    inputArea_->setRowStretch(inputArea_->rowCount(), 1);
    // Connected once the vector no longer moves: each handler finds its field by position.
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        LineInput* edit = fields_[i].edit;
        connect(edit, &LineInput::left, this, [this, i] { leaveField(fields_[i]); });
        connect(edit, &LineInput::enterPressed, this, [this, i] { moveToNextField(fields_[i]); });
        if (i > 0) setTabOrder(fields_[i - 1].edit, edit);
    }
    if (!fields_.empty()) {
        setTabOrder(fields_.back().edit, okButton_);
        setFirstFocus(fields_.front().edit);
    }
}

void ProfileDialog::setFirstFocus(QWidget* widget) {
    firstFocus_ = widget;
}

void ProfileDialog::setClosingRule(ClosingRule rule, std::vector<ProfileField> checked) {
    closingRule_ = rule;
    closingChecked_ = std::move(checked);
}

double ProfileDialog::fieldValue(ProfileField) const {
    return 0;
}

void ProfileDialog::storeFieldValue(ProfileField, double) {}

EditFieldTexts ProfileDialog::fieldTexts() const {
    return {};
}

void ProfileDialog::fillInputs() {
    for (EditField& f : fields_) showFieldText(f);
}

void ProfileDialog::activate() {
    if (closed_) return;
    recalculate(true);
    fillInputs();
    showProperties();
    redraw();
    if (ctx_.applied) ctx_.applied();
}

void ProfileDialog::openOverOwner() {
    const bool first = !isVisible();
    activate();
    if (first) {
        placeOverOwner();
        if (firstFocus_) firstFocus_->setFocus(Qt::OtherFocusReason);
        show();
    }
    raise();
    activateWindow();
}

void ProfileDialog::discard() {
    discarding_ = true;
    close();
}

ProfileDialog* ProfileDialog::findOpen(QWidget* owner, const QString& name) {
    if (!owner) return nullptr;
    for (ProfileDialog* d : owner->findChildren<ProfileDialog*>(Qt::FindDirectChildrenOnly))
        if (d->objectName() == name && !d->closed_) return d;
    return nullptr;
}

void ProfileDialog::applyProfile(bool windowType) {
    recalculate(windowType);
    showProperties();
    redraw();
    if (ctx_.applied) ctx_.applied();
}

void ProfileDialog::recalculate(bool windowType) {
    if (windowType) {
        if (kind_ == Kind::stiffener)
            dc().stiffenerType = type_;
        else
            dc().girderType = type_;
    }
    const PreparedProfiles prepared = runCase(dc(), catalogue(), {}, calculationWarnings_);
    const StepOutcome& selected = kind_ == Kind::stiffener ? prepared.stiffener : prepared.girder;
    std::vector<MessageWarnings::Pending> warnings = calculationWarnings_.take();
    // One entry, one message: a field whose own limit was just warned about is not warned about
    // again by the calculation it feeds (B = 0: "B >= 5", not also "flange width B is zero").
    // The rest is one message, a line per warning.
    if (fieldWarned_) return;
    std::string text = selected.ok() ? std::string() : selected.reason();
    for (const MessageWarnings::Pending& w : warnings) text += (text.empty() ? "" : "\n") + w.message;
    if (!text.empty()) warn(text);
}

void ProfileDialog::showProperties() {
    const char sep = ctx_.decimalMode == DecimalMode::comma ? ',' : '.';
    const auto put = [sep](QLabel* label, auto value, const char* mask, const std::string& unit) {
        label->setText(QString::fromStdString(formatNumber(value, mask, sep) + unit));
    };
    const char* sci = "0.000E+0";
    if (kind_ == Kind::girder) {
        const GirderSection& g = dc().girder;
        put(sta_, g.Ag, "##0", " mm2");
        put(stg_, g.gg, "##0.0", " kg/m");
        put(stiy_, g.Iyg, sci, " mm4");
        put(se_, g.sge, "0.0", " mm");
        put(ae_, g.Aeg, sci, " mm2");
        put(zp_, g.zpg, "0.0", " mm (el)");
        put(iy_, g.Ieg, sci, " mm4");
        put(wep2_, g.Wgp, sci, " mm3");
        put(wes2_, g.Wgs, sci, " mm3");
        return;
    }
    const StiffenerSection& s = dc().stiff;
    put(sta_, s.Ax, "##0", " mm2");
    put(stg_, s.g, "##0.0", " kg/m");
    put(stiy_, s.Iy, sci, " mm4");
    if (stiz_) put(stiz_, s.Iz, sci, izUnit_);
    // Buckling reads the plate's effective width se; yield and scantlings the width sy.
    if (dc().analysis == analysisBuckling) {
        put(se_, dc().se, "0.0", " mm");
        put(ae_, s.Ae, sci, " mm2");
        put(zp_, s.zp, "0.0", " mm (el)");
        put(iy_, s.Ie, sci, " mm4");
        put(wep2_, s.Wep, sci, " mm3");
        put(wes2_, s.Wes, sci, " mm3");
    } else {
        put(se_, s.sy, "0.0", " mm");
        put(ae_, s.Aey, sci, " mm2");
        put(zp_, s.zpy, "0.0", " mm (el)");
        put(iy_, s.Iey, sci, " mm4");
        put(wep2_, s.Wp, sci, " mm3");
        put(wes2_, s.Ws, sci, " mm3");
    }
    flangeWebFigure_->showProportionCheck(s);
}

void ProfileDialog::redraw(bool caption) {
    if (kind_ == Kind::girder) {
        sectionFigure_->showGirderFigure(type_);
        return;
    }
    const bool notToScale = dc().figureNotToScale != 0;
    sectionFigure_->showStiffenerFigure(dc(), !notToScale);
    // A caption that still names the other state (another window flipped the flag) is renewed.
    if (caption || notToScale != captionNotToScale_) toScaleNote_->setText(figureCaptionOnDraw[notToScale]);
    captionNotToScale_ = notToScale;
}

void ProfileDialog::flipFigure() {
    if (kind_ != Kind::stiffener || closed_) return;
    dc().figureNotToScale = dc().figureNotToScale != 0 ? 0 : 1;
    redraw();
    toScaleNote_->setText(figureCaptionOnClick[captionNotToScale_]);
}

QString ProfileDialog::shown(const std::string& text) const {
    QString s = QString::fromStdString(text);
    if (ctx_.decimalMode == DecimalMode::comma) s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

void ProfileDialog::warn(const std::string& message) {
    ctx_.messages->warning(message);
}

std::optional<double> ProfileDialog::readField(EditField& f) {
    const std::optional<double> value = parseNumber(f.edit->text().toStdString(), ctx_.decimalMode);
    if (!value) {
        warn("Input string mismatch ");
        returnFocus(f.edit);
    }
    return value;
}

void ProfileDialog::showFieldText(EditField& f) {
    f.edit->showText(shown(textOf(fieldTexts(), f.def.field)));
}

void ProfileDialog::returnFocus(LineInput* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    // The window may not be active (a message box over it): the colour and selection follow anyway.
    edit->setHighlighted(true);
    edit->selectAll();
}

void ProfileDialog::leaveField(EditField& f) {
    if (busy_ || closed_) return;
    busy_ = true;
    if (const std::optional<double> typed = readField(f)) {
        storeFieldValue(f.def.field, *typed);
        showFieldText(f);
        const FieldLimit& limit = limitOf(f.def.field);
        const bool below = fieldValue(f.def.field) < limit.leaving;
        if (below) {
            warn(limit.leavingMessage);
            if (limit.forceMinimum) {
                storeFieldValue(f.def.field, limit.leaving);
                showFieldText(f);
            }
        }
        f.edit->setHighlighted(false);
        fieldWarned_ = below;
        applyProfile(true);
        fieldWarned_ = false;
        if (below) returnFocus(f.edit);
    }
    busy_ = false;
}

void ProfileDialog::moveToNextField(const EditField& f) {
    const auto at = std::find_if(fields_.begin(), fields_.end(), [&](const EditField& g) { return g.edit == f.edit; });
    if (at == fields_.end()) return;
    const auto next = std::next(at) == fields_.end() ? fields_.begin() : std::next(at);
    next->edit->setFocus(Qt::TabFocusReason);
}

bool ProfileDialog::closingChecks() {
    switch (closingRule_) {
    case ClosingRule::none:
        return true;
    case ClosingRule::leaveField: {
        // A field typed into and not yet left (the close box takes no focus): leaving it for the
        // OK button runs its step. A field whose step has already run is not warned about twice.
        QWidget* focused = focusWidget();
        for (EditField& f : fields_) {
            if (f.edit != focused || !f.edit->isModified()) continue;
            leaveField(f);
            if (!parseNumber(f.edit->text().toStdString(), ctx_.decimalMode)) return false;
        }
        busy_ = true;
        okButton_->setFocus(Qt::OtherFocusReason);
        busy_ = false;
        return true;
    }
    case ClosingRule::checkFields:
        break;
    }
    busy_ = true;
    bool readable = true;
    for (EditField& f : fields_) {
        const std::optional<double> typed = readField(f);
        if (!typed) {
            readable = false;
            break;
        }
        storeFieldValue(f.def.field, *typed);
        showFieldText(f);
        if (std::find(closingChecked_.begin(), closingChecked_.end(), f.def.field) == closingChecked_.end()) continue;
        const FieldLimit& limit = limitOf(f.def.field);
        if (fieldValue(f.def.field) < limit.closing) {
            warn(limit.closingMessage);
            returnFocus(f.edit);
        }
    }
    busy_ = false;
    return readable;
}

void ProfileDialog::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!discarding_) {
        // An unreadable text keeps the window open with the focus in that field, as when leaving it.
        if (!closingChecks()) {
            event->ignore();
            return;
        }
    }
    closed_ = true;
    event->accept();
    if (discarding_) return;
    recalculate(false);
    if (ctx_.applied) ctx_.applied();
}

bool ProfileDialog::event(QEvent* event) {
    // Back in the window: another window may have made its own type current, or the main window
    // may have recalculated the case since.
    if (event->type() == QEvent::WindowActivate && !closed_ && !busy_ && isVisible()) {
        // A stiffener window makes its type current; a girder window does not: the girder type is
        // the main window's choice when it opens the window (or an edit made in the window), so
        // two girder windows side by side do not switch the case as the focus passes between them.
        const int current = kind_ == Kind::stiffener ? dc().stiffenerType : dc().girderType;
        if (current != type_ && kind_ == Kind::stiffener) {
            activate();
        } else {
            showProperties();
            redraw(false);
        }
    }
    return QWidget::event(event);
}

void ProfileDialog::mousePressEvent(QMouseEvent* event) {
    if (backgroundFlipsFigure_ && event->button() == Qt::LeftButton) {
        flipFigure();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ProfileDialog::placeOverOwner() {
    const QWidget* owner = parentWidget();
    if (!owner) return;
    adjustSize();
    const QRect main = owner->window()->frameGeometry();
    const QSize own = frameGeometry().size();
    const int left = main.left() + static_cast<int>(std::lround(leftFraction_ * (main.width() - own.width())));
    const int top = main.top() + main.height() / 2 - own.height() / 2;
    move(left, top);
}

void closeProfileDialogs(QWidget* owner) {
    if (!owner) return;
    for (ProfileDialog* d : owner->findChildren<ProfileDialog*>(Qt::FindDirectChildrenOnly)) d->discard();
}

void ProfileDialog::keyPressEvent(QKeyEvent* event) {
    // Esc that no control of the window used (an open drop-down closes first) closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace korvel
