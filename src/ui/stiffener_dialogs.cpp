#include "ui/stiffener_dialogs.h"

#include "sections/profile_list.h"
#include "ui/line_input.h"
#include "ui/list_notes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <algorithm>
#include <limits>

namespace korvel {

namespace {

using Field = ProfileField;
using Rule = ProfileDialog::ClosingRule;

// The item role that holds an entry's table row.
constexpr int rowRole = Qt::UserRole;

// The edit fields of a built-up window in their order, from the type's dimension fields: RHS and
// Trapez call their one wall thickness t.
std::vector<ProfileDialog::FieldSpec> editFields(const StiffenerTypeFacts& facts) {
    std::vector<ProfileDialog::FieldSpec> fields;
    if (facts.fields & fieldH) fields.push_back({Field::H, QStringLiteral("H =")});
    if (facts.fields & fieldB) fields.push_back({Field::B, QStringLiteral("B =")});
    if (facts.fields & fieldA) fields.push_back({Field::a, QStringLiteral("a =")});
    if (facts.fields & fieldTw)
        fields.push_back({Field::tw, facts.wallThickness ? QStringLiteral("t =") : QStringLiteral("tw =")});
    if (facts.fields & fieldTf) fields.push_back({Field::tf, QStringLiteral("tf =")});
    return fields;
}

// The closing checks: the flat bar checks its height only, the Trapez leaves its web offset a
// alone, and the L-built-up window only finishes the field being edited.
Rule closingRule(ClosingCheck check) {
    switch (check) {
    case ClosingCheck::leaveField:
        return Rule::leaveField;
    case ClosingCheck::checkFields:
        return Rule::checkFields;
    case ClosingCheck::none:
        break;
    }
    return Rule::none;
}

std::vector<Field> closingChecked(unsigned fields) {
    std::vector<Field> checked;
    const std::pair<DimensionField, Field> order[] = {
        {fieldH, Field::H}, {fieldB, Field::B}, {fieldTw, Field::tw}, {fieldTf, Field::tf}, {fieldA, Field::a}};
    for (const auto& [bit, field] : order)
        if (fields & bit) checked.push_back(field);
    return checked;
}

ProfileDialog::WindowOptions optionsOf(int type) {
    ProfileDialog::WindowOptions o;
    o.name = stiffenerWindowName(type);
    o.caption =
        QString::fromUtf8(stiffenerDialogCaption(type).data(), static_cast<int>(stiffenerDialogCaption(type).size()));
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(type);
    o.leftFraction = facts ? facts->dialogFigureLeft : 0.2;
    o.izUnit = facts ? facts->izUnit : "";
    o.backgroundFlipsFigure = facts && facts->backgroundFlipsFigure;
    return o;
}

// A typed value beyond the single-precision range is held as the largest one rather than
// converted out of range.
float toStored(double value) {
    constexpr double most = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -most, most));
}

} // namespace

QString stiffenerWindowName(int type) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(type);
    return facts ? QString::fromUtf8(facts->windowName) : QString();
}

TableStiffenerDialog::TableStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type)
    : ProfileDialog(owner, ctx, Kind::stiffener, type, optionsOf(type)), table_(*tableKindOf(type)) {
    QGridLayout* grid = inputArea();
    profileList_ = new QComboBox;
    profileList_->setObjectName(QStringLiteral("profileList"));
    profileList_->setMaxVisibleItems(20);
    // Typing narrows the list to the designations that hold the text ("400", "x10"): the
    // matches drop down under the box and a click or Enter chooses one.
    profileList_->setEditable(true);
    profileList_->setInsertPolicy(QComboBox::NoInsert);
    matches_ = new QStandardItemModel(this);
    auto* completer = new QCompleter(matches_, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setMaxVisibleItems(20);
    profileList_->setCompleter(completer);
    completer->popup()->setItemDelegate(new NoteDelegate(completer->popup()));
    connect(profileList_->lineEdit(), &QLineEdit::textEdited, this, &TableStiffenerDialog::narrowList);
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& index) {
        const int row = index.data(rowRole).toInt();
        const int at = profileList_->findData(row, rowRole);
        if (at >= 0) {
            profileList_->setCurrentIndex(at);
            choose(at);
        }
    });
    // A text that names no row is given up when the list is left: it shows the chosen row.
    connect(profileList_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (profileList_->currentIndex() >= 0)
            profileList_->lineEdit()->setText(profileList_->itemText(profileList_->currentIndex()));
    });
    grid->addWidget(profileList_, 0, 0, 1, 2);
    connect(profileList_, &QComboBox::activated, this, &TableStiffenerDialog::choose);
    setTabOrder(profileList_, findChild<QPushButton*>(QStringLiteral("okButton")));
    setFirstFocus(profileList_);

    using D = DimensionLabels;
    struct Row {
        const char* caption;
        const char* name;
        std::string D::*text;
    };
    static const Row flanged[] = {
        {"H =", "sth", &D::H}, {"B =", "stb", &D::B}, {"tw =", "sttw", &D::tw}, {"tf =", "sttf", &D::tf}};
    static const Row flatbar[] = {{"H =", "sth", &D::H}, {"tw =", "sttw", &D::tw}};
    static const Row bulbFlat[] = {{"H =", "sth", &D::H},
                                   {"tw =", "sttw", &D::tw},
                                   {"c =", "stc", &D::c},
                                   {"r =", "strr", &D::r},
                                   {"B =", "stb", &D::B}};
    const auto add = [&](const auto& rows) {
        for (const Row& r : rows) {
            const int at = grid->rowCount();
            grid->addWidget(new QLabel(QString::fromUtf8(r.caption)), at, 0, Qt::AlignRight);
            auto* value = new QLabel;
            value->setObjectName(QString::fromLatin1(r.name));
            grid->addWidget(value, at, 1);
            dimensions_.emplace_back(value, r.text);
        }
    };
    if (table_ == TableKind::flatbar)
        add(flatbar);
    else if (table_ == TableKind::bulbFlat)
        add(bulbFlat);
    else
        add(flanged);
    grid->setRowStretch(grid->rowCount(), 1);
}

int& TableStiffenerDialog::row() const {
    return dc().*stiffenerTypeFacts(typeCode())->tableRow;
}

void TableStiffenerDialog::fillInputs() {
    // The rows by height, then weight; each entry knows its table row.
    const ProfileTable& table = tableOf(catalogue(), table_);
    entries_ = profileListEntries(table, table_);
    const QSignalBlocker quiet(profileList_);
    profileList_->clear();
    const char sep = decimalMode() == DecimalMode::comma ? ',' : '.';
    for (const ProfileListEntry& e : entries_) {
        profileList_->addItem(QString::fromStdString(e.designation), e.row);
        profileList_->setItemData(profileList_->count() - 1, QString::fromStdString(profileEntryNote(e, sep)),
                                  noteRole);
    }
    showListNotes(profileList_);
    // The matches under the box are as wide as the list, notes included.
    profileList_->completer()->popup()->setMinimumWidth(profileList_->view()->minimumWidth());
    profileList_->setCurrentIndex(table.hasRow(row()) ? profileList_->findData(row(), rowRole) : -1);
    narrowList(QString());
    showDimensionLabels();
}

void TableStiffenerDialog::narrowList(const QString& typed) {
    matches_->clear();
    const char sep = decimalMode() == DecimalMode::comma ? ',' : '.';
    for (const ProfileListEntry& e : filterProfileEntries(entries_, typed.toStdString())) {
        auto* item = new QStandardItem(QString::fromStdString(e.designation));
        item->setData(e.row, rowRole);
        item->setData(QString::fromStdString(profileEntryNote(e, sep)), noteRole);
        matches_->appendRow(item);
    }
}

int TableStiffenerDialog::matchCount() const {
    return matches_->rowCount();
}

void TableStiffenerDialog::choose(int index) {
    if (index < 0 || index >= profileList_->count()) return;
    const int tableRow = profileList_->itemData(index, rowRole).toInt();
    if (!tableOf(catalogue(), table_).hasRow(tableRow)) return;
    row() = tableRow;
    applyProfile(true);
    showDimensionLabels();
}

void TableStiffenerDialog::showDimensionLabels() {
    const DimensionLabels labels = tableDimensionLabels(dc());
    for (const auto& [label, text] : dimensions_) label->setText(shown(labels.*text));
}

BuiltUpStiffenerDialog::BuiltUpStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type)
    : ProfileDialog(owner, ctx, Kind::stiffener, type, optionsOf(type)) {
    const StiffenerTypeFacts& facts = *stiffenerTypeFacts(type);
    addFields(editFields(facts));
    setClosingRule(closingRule(facts.closing), closingChecked(facts.closingChecked));
}

double BuiltUpStiffenerDialog::fieldValue(ProfileField field) const {
    const ProfileDims* d = builtUpDims(dc(), typeCode());
    if (!d) return 0;
    switch (field) {
    case Field::H:
        return d->H;
    case Field::B:
        return d->B;
    case Field::tw:
        return d->tw;
    case Field::tf:
        return d->tf;
    case Field::a:
        break;
    }
    return d->a;
}

void BuiltUpStiffenerDialog::storeFieldValue(ProfileField field, double value) {
    ProfileDims* d = builtUpDims(dc(), typeCode());
    if (!d) return;
    const float v = toStored(value);
    switch (field) {
    case Field::H:
        d->H = v;
        break;
    case Field::B:
        d->B = v;
        break;
    case Field::tw:
        d->tw = v;
        break;
    case Field::tf:
        d->tf = v;
        break;
    case Field::a:
        d->a = v;
        break;
    }
}

EditFieldTexts BuiltUpStiffenerDialog::fieldTexts() const {
    return builtUpFieldTexts(dc(), typeCode());
}

QWidget* openStiffenerDialog(QWidget* owner, const ProfileDialogContext& ctx, int type) {
    if (!isStiffenerType(type)) return nullptr;
    ProfileDialog* dialog = ProfileDialog::findOpen(owner, stiffenerWindowName(type));
    if (!dialog) {
        if (tableKindOf(type))
            dialog = new TableStiffenerDialog(owner, ctx, type);
        else
            dialog = new BuiltUpStiffenerDialog(owner, ctx, type);
    }
    dialog->openOverOwner();
    return dialog;
}

QWidget* openStiffenerDialog(QWidget* owner, DesignCase& dc, const Catalogue& cat, DecimalMode mode, int type,
                             std::function<void()> applied) {
    return openStiffenerDialog(owner, ProfileDialogContext{dc, cat, mode, nullptr, std::move(applied)}, type);
}

} // namespace korvel
