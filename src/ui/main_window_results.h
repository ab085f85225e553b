#pragma once

// The control summary list ListView1: a three-column report list over the results model whose
// columns take 0.7, 0.1 and 0.15 of its width, the ratio column centred. The ratio column is at
// least as wide as its widest value, the room coming from the control column: a number is never
// shown cut.

#include <QTreeView>

namespace korvel {

class ResultsList final : public QTreeView {
    Q_OBJECT
public:
    explicit ResultsList(QWidget* parent = nullptr);

    // Sets the column widths to their shares of the visible width, widening the ratio column to
    // its contents.
    void applyColumnShares();
    // Width the column needs to show every one of its texts whole, margins included.
    int contentsWidth(int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace korvel
