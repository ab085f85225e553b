#pragma once

// Drop-down lists whose entries carry a note in a second column: the profile tables' area and
// weight per metre beside each designation, the strengths beside each steel grade. The entry's
// text stays the designation or grade alone (the closed list shows it, the tests read it); the
// note is drawn right of it in the palette's quieter colour.

#include <QStyledItemDelegate>

class QComboBox;

namespace korvel {

// The item role that holds an entry's note.
inline constexpr int noteRole = Qt::UserRole + 20;

class NoteDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Draws the notes of `list`'s entries in its drop-down, as wide as the longest text and note.
void showListNotes(QComboBox* list);

} // namespace korvel
