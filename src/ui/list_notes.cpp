#include "ui/list_notes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>

#include <algorithm>

namespace korvel {

namespace {

constexpr int noteGap = 24; // pixels between the entry's text and its note

} // namespace

void NoteDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QString note = index.data(noteRole).toString();
    if (note.isEmpty()) return;
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    QColor colour = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    colour.setAlphaF(0.65f);
    painter->setPen(colour);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, note);
    painter->restore();
}

QSize NoteDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString note = index.data(noteRole).toString();
    if (!note.isEmpty()) size.setWidth(size.width() + noteGap + option.fontMetrics.horizontalAdvance(note) + 6);
    return size;
}

void showListNotes(QComboBox* list) {
    if (list->view()->itemDelegate() == nullptr || qobject_cast<NoteDelegate*>(list->view()->itemDelegate()) == nullptr)
        list->view()->setItemDelegate(new NoteDelegate(list->view()));
    const QFontMetrics metrics(list->view()->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i) {
        const QString note = list->itemData(i, noteRole).toString();
        widest = std::max(widest, metrics.horizontalAdvance(list->itemText(i)) +
                                      (note.isEmpty() ? 0 : noteGap + metrics.horizontalAdvance(note)));
    }
    list->view()->setMinimumWidth(widest + 40); // margins and the scroll bar
}

} // namespace korvel
