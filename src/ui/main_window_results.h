#pragma once

// The control summary list: a three-column report list over the results model. The
// value and reference columns are as wide as their widest text (the heading may take two
// lines), the control column takes the rest and wraps its formulas. A column the engineer has
// widened or narrowed keeps that width through every later calculation.

#include <QTreeView>

class QMenu;

#include <map>

namespace korvel {

class ResultsList final : public QTreeView {
    Q_OBJECT
public:
    explicit ResultsList(QWidget* parent = nullptr);

    // Sizes the columns the engineer has not sized: value and reference to their contents, the
    // control column to the rest of the visible width.
    void applyColumnShares();
    // Width the column needs to show every one of its texts whole, margins included.
    int contentsWidth(int column) const;
    // Narrowest width that shows the column's heading whole on at most two lines.
    int headingWidth(int column) const;
    // A width the engineer gave a column by dragging its header edge: kept from then on.
    void setUserColumnWidth(int column, int width);
    const std::map<int, int>& userColumnWidths() const { return userWidths_; }

    // The selected rows, every column, TAB-separated in list order; the whole list with its
    // headings ("Copy table").
    QString selectedRowsText() const;
    QString tableText() const;
    // Put them on the clipboard (Ctrl+C; the list's "Copy table").
    void copySelectedRows();
    void copyTable();
    // "&Copy" and "Copy &table" for the list's pop-up menu.
    void addCopyEntries(QMenu* menu);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::map<int, int> userWidths_;
};

} // namespace korvel
