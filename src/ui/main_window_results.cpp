#include "ui/main_window_results.h"

#include "report/tab_separated.h"
#include "ui/results_model.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

// Breaks a heading at the space that gives the narrowest two lines: "Interaction" over "Ratio".
QString twoLineHeading(const QString& text, const QFontMetrics& metrics) {
    QString best = text;
    int bestWidth = metrics.horizontalAdvance(text);
    for (qsizetype i = text.indexOf(QLatin1Char(' ')); i > 0; i = text.indexOf(QLatin1Char(' '), i + 1)) {
        const QString first = text.left(i).trimmed();
        const QString second = text.mid(i + 1).trimmed();
        if (first.isEmpty() || second.isEmpty()) continue;
        const int width = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (width < bestWidth) {
            best = first + QLatin1Char('\n') + second;
            bestWidth = width;
        }
    }
    return best;
}

// A header whose headings take a second line when their column is narrower than the heading,
// and are shortened with an ellipsis only when even two lines do not fit. The full heading is
// the header's tool tip.
class WrappingHeader final : public QHeaderView {
public:
    explicit WrappingHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

    int margin() const { return 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this); }
    // Whether the engineer is dragging a section edge now.
    bool dragging() const { return dragging_; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        dragging_ = true;
        QHeaderView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QHeaderView::mouseReleaseEvent(event);
        dragging_ = false;
    }

    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        const int room = std::max(sectionSize(logicalIndex) - margin(), 0);
        if (option->fontMetrics.horizontalAdvance(option->text) <= room) return;
        const QStringList lines = twoLineHeading(option->text, option->fontMetrics).split(QLatin1Char('\n'));
        QStringList shown;
        for (const QString& line : lines) shown << option->fontMetrics.elidedText(line, Qt::ElideRight, room);
        option->text = shown.join(QLatin1Char('\n'));
    }

    QSize sectionSizeFromContents(int logicalIndex) const override {
        // Room for two lines, so that a heading that wraps is never cut at the bottom.
        QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        const int line = fontMetrics().lineSpacing();
        size.setHeight(std::max(size.height(), 2 * line + margin()));
        return size;
    }

private:
    bool dragging_ = false;
};

// Every text of the list laid out by the list itself: at word boundaries, or anywhere in a longer
// word, in the same text rectangle when measured and when painted, so that the height measured is
// the height painted with any style, at any width. A style's own drawing may elide the last line of
// a formula ("+ …"); a formula or a number is never cut here.
class WrappingDelegate final : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QRect cell(0, 0, view_->header()->sectionSize(index.column()), 0);
        QTextLayout layout(item.text, item.font);
        const int height = layOut(layout, std::max(1, textRect(cell).width()), item.displayAlignment);
        const int lineHeight = QFontMetrics(item.font).height();
        return {QStyledItemDelegate::sizeHint(option, index).width(),
                std::max(height, lineHeight) + 2 * verticalMargin()};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QRect rect = textRect(item.rect);
        const QString text = item.text;
        // The style draws the ground, the selection and the focus; the text is drawn below.
        item.text.clear();
        view_->style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, view_);
        QTextLayout layout(text, item.font);
        const int height = layOut(layout, std::max(1, rect.width()), item.displayAlignment);
        int top = rect.top() + verticalMargin();
        if (item.displayAlignment & Qt::AlignVCenter) top = rect.top() + std::max(0, (rect.height() - height) / 2);
        const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (item.state & QStyle::State_Active) ? QPalette::Active
                                                                                 : QPalette::Inactive;
        painter->save();
        painter->setPen(item.palette.color(group, (item.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                        : QPalette::Text));
        layout.draw(painter, QPointF(rect.left(), top));
        painter->restore();
    }

private:
    // The room the text has in a cell: the cell less the style's focus-frame margin and a pixel on
    // each side, as the common styles lay their item text out.
    QRect textRect(const QRect& cell) const {
        const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
        return cell.adjusted(margin, 0, -margin, 0);
    }
    int verticalMargin() const { return view_->style()->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, view_) + 1; }

    // Lays `layout` out in lines of `width`; returns the height of the lines.
    static int layOut(QTextLayout& layout, int width, Qt::Alignment alignment) {
        QTextOption wrapping;
        wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        wrapping.setAlignment(alignment & Qt::AlignHorizontal_Mask);
        layout.setTextOption(wrapping);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        return static_cast<int>(std::ceil(y));
    }

    QTreeView* view_;
};

} // namespace

ResultsList::ResultsList(QWidget* parent) : QTreeView(parent) {
    setHeader(new WrappingHeader(this));
    setItemDelegate(new WrappingDelegate(this));
    setObjectName(QStringLiteral("resultsList"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // A formula or clause longer than its column wraps onto a second line rather than being cut:
    // the engineer reads every number of every check.
    setUniformRowHeights(false);
    setWordWrap(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Rows are chosen like lines of a spreadsheet, to be copied.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    // A column the engineer drags keeps its width; the program's own sizing does not count.
    // A model reset gives the sections their default sizes again; only a drag is the engineer's.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (static_cast<const WrappingHeader*>(header())->dragging()) setUserColumnWidth(column, size);
    });
}

void ResultsList::applyColumnShares() {
    const int width = viewport()->width();
    if (width <= 0 || model() == nullptr) return;
    int used = 0;
    const bool gauged = model()->columnCount() > ResultsModel::gaugedColumn;
    // The gauged values stand beside the ratios they are compared with.
    if (gauged && header()->visualIndex(ResultsModel::gaugedColumn) != ResultsModel::referenceColumn)
        header()->moveSection(header()->visualIndex(ResultsModel::gaugedColumn), ResultsModel::referenceColumn);
    for (int column : {ResultsModel::valueColumn, ResultsModel::referenceColumn, ResultsModel::gaugedColumn}) {
        if (column == ResultsModel::gaugedColumn && !gauged) continue;
        const auto own = userWidths_.find(column);
        const int size = own != userWidths_.end() ? own->second : std::max(contentsWidth(column), headingWidth(column));
        header()->resizeSection(column, size);
        used += size;
    }
    // The control column wraps its texts; it keeps at least a third of the list.
    const auto own = userWidths_.find(ResultsModel::controlColumn);
    header()->resizeSection(ResultsModel::controlColumn,
                            own != userWidths_.end() ? own->second : std::max(width - used, width / 3));
    doItemsLayout(); // the wrapped rows take their new heights
}

void ResultsList::setUserColumnWidth(int column, int width) {
    if (column < 0 || column >= ResultsModel::columnCount_ || width <= 0) return;
    userWidths_[column] = width;
}

int ResultsList::headingWidth(int column) const {
    if (model() == nullptr) return 0;
    const QString text = model()->headerData(column, Qt::Horizontal).toString();
    QFont font = header()->font();
    const QVariant headingFont = model()->headerData(column, Qt::Horizontal, Qt::FontRole);
    if (headingFont.canConvert<QFont>()) font = headingFont.value<QFont>();
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : twoLineHeading(text, metrics).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest + static_cast<const WrappingHeader*>(header())->margin() + 4;
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

QString ResultsList::selectedRowsText() const {
    const auto* results = qobject_cast<const ResultsModel*>(model());
    if (results == nullptr || selectionModel() == nullptr) return {};
    std::vector<int> chosen;
    for (const QModelIndex& index : selectionModel()->selectedRows()) chosen.push_back(index.row());
    std::sort(chosen.begin(), chosen.end());
    std::vector<ListingRow> rows;
    for (int row : chosen)
        if (row >= 0 && row < static_cast<int>(results->rows().size()))
            rows.push_back(results->rows()[static_cast<std::size_t>(row)]);
    return QString::fromStdString(tabSeparated(listingTable(rows, false)));
}

QString ResultsList::tableText() const {
    const auto* results = qobject_cast<const ResultsModel*>(model());
    if (results == nullptr) return {};
    return QString::fromStdString(tabSeparated(listingTable(results->rows(), true)));
}

void ResultsList::copySelectedRows() {
    const QString text = selectedRowsText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void ResultsList::copyTable() {
    QGuiApplication::clipboard()->setText(tableText());
}

void ResultsList::addCopyEntries(QMenu* menu) {
    QAction* copy = menu->addAction(QStringLiteral("&Copy"), this, &ResultsList::copySelectedRows);
    copy->setObjectName(QStringLiteral("copyRowsAction"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(selectionModel() != nullptr && selectionModel()->hasSelection());
    QAction* table = menu->addAction(QStringLiteral("Copy &table"), this, &ResultsList::copyTable);
    table->setObjectName(QStringLiteral("copyTableAction"));
}

void ResultsList::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ResultsList::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    applyColumnShares();
}

} // namespace korvel
