#pragma once

// The control summary list ListView1: a three-column report list over the results model whose
// columns always take 0.7, 0.1 and 0.15 of its width, the ratio column centred.

#include <QTreeView>

namespace korvel {

class ResultsList final : public QTreeView {
    Q_OBJECT
public:
    explicit ResultsList(QWidget* parent = nullptr);

    // Sets the column widths to their shares of the visible width.
    void applyColumnShares();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace korvel
