#include "ui/main_window_results.h"

#include "ui/results_model.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

// A header that shortens a heading wider than its column with an ellipsis, whatever its
// alignment: the narrow centred "Interaction Ratio" column then reads "Interac…" instead of a
// clipped middle. The full heading is the header's tool tip.
class ElidingHeader final : public QHeaderView {
public:
    explicit ElidingHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        const int room = sectionSize(logicalIndex) - 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
        option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, std::max(room, 0));
    }
};

// Rows as high as their wrapped texts: the view's own measure knows nothing of the column width,
// so a long formula would stay on one line and be cut.
class WrappingDelegate final : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const int margin = 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
        const int width = std::max(1, view_->header()->sectionSize(index.column()) - margin);
        const QRect text = item.fontMetrics.boundingRect(QRect(0, 0, width, 100000),
                                                         Qt::TextWordWrap | Qt::TextWrapAnywhere, item.text);
        const QSize base = QStyledItemDelegate::sizeHint(option, index);
        return {base.width(), std::max(base.height(), text.height() + 2)};
    }

private:
    QTreeView* view_;
};

} // namespace

ResultsList::ResultsList(QWidget* parent) : QTreeView(parent) {
    setHeader(new ElidingHeader(this));
    setItemDelegate(new WrappingDelegate(this));
    setObjectName(QStringLiteral("ListView1"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // A formula or clause longer than its column wraps onto a second line rather than being cut:
    // the engineer reads every number of every check.
    setUniformRowHeights(false);
    setWordWrap(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    // Only a list narrower than its values scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The headings are bold; the header measures its texts in its own font when it shortens them.
    QFont bold = header()->font();
    bold.setBold(true);
    header()->setFont(bold);
}

void ResultsList::applyColumnShares() {
    const int width = viewport()->width();
    if (width <= 0 || model() == nullptr) return;
    const auto share = [width](int column) {
        return static_cast<int>(std::floor(ResultsModel::columnShare(column) * width));
    };
    const int value = std::max(share(ResultsModel::valueColumn), contentsWidth(ResultsModel::valueColumn));
    // The control column wraps its texts, so it gives up the room down to half its share.
    const int control = std::max(share(ResultsModel::controlColumn) - (value - share(ResultsModel::valueColumn)),
                                 share(ResultsModel::controlColumn) / 2);
    header()->resizeSection(ResultsModel::controlColumn, control);
    header()->resizeSection(ResultsModel::valueColumn, value);
    header()->resizeSection(ResultsModel::referenceColumn, share(ResultsModel::referenceColumn));
    doItemsLayout(); // the wrapped rows take their new heights
}

int ResultsList::contentsWidth(int column) const {
    QAbstractItemModel* m = model();
    if (m == nullptr) return 0;
    int widest = 0;
    for (int row = 0; row < m->rowCount(); ++row) {
        const QModelIndex index = m->index(row, column);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        QAbstractItemDelegate* delegate = itemDelegateForIndex(index);
        if (delegate != nullptr) widest = std::max(widest, delegate->sizeHint(option, index).width());
    }
    return widest;
}

void ResultsList::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    applyColumnShares();
}

} // namespace korvel
