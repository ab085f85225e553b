#include "ui/geometry_panel.h"

#include "design/input_limits.h"
#include "ui/line_input.h"

#include <QGridLayout>
#include <QLabel>

namespace korvel {

GeometryPanel::GeometryPanel(QWidget* parent) : QGroupBox(QStringLiteral("Geometry (mm)"), parent) {
    setObjectName(QStringLiteral("geometryPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);

    struct Row {
        const char* group;  // what the quantity is
        const char* symbol; // the symbol label before the box
        const char* symbolName;
        InputBox box;
        const char* name;
        const char* hint;
    };
    const Row rows[] = {
        {"Plate thickness:", "t =", "tLabel", InputBox::t, "tBox", nullptr},
        {"Stiff spacing: ", "s1 =", "s1Label", InputBox::s1, "s1Box", nullptr},
        {"", "s2 =", "s2Label", InputBox::s2, "s2Box", nullptr},
        {"Stiffener span: ", "L1 =", "L1Label", InputBox::L1, "L1Box", nullptr},
        {"", "L2 =", "L2Label", InputBox::L2, "L2Box", nullptr},
        {"Girder span:", "Lg =", "LgLabel", InputBox::Lg, "LgBox", nullptr},
        {"Girder span scantling:", "Lgs =", "LgsLabel", InputBox::Lgs, "LgsBox", " Unsupported span"},
        {"Dist betw tripp  brackets:", "Lt =", "LtLabel", InputBox::Lt, "LtBox", " Recommended max distance 3000 mm "},
    };
    LineInput** targets[] = {&tBox_, &s1Box_, &s2Box_, &L1Box_, &L2Box_, &LgBox_, &LgsBox_, &LtBox_};

    int r = 0;
    for (const Row& row : rows) {
        if (row.group[0] != '\0') {
            // The long group names take two lines in the frame's spare height, keeping the input
            // column narrow and the summary list wide.
            auto* group = new QLabel(QString::fromUtf8(row.group), this);
            group->setWordWrap(true);
            const int room = group->fontMetrics().horizontalAdvance(QStringLiteral("Plate thickness: ")) + 6;
            group->setMinimumWidth(room);
            group->setMaximumWidth(room);
            // The row is as high as the wrapped name, whatever the style's font and box height.
            group->setMinimumHeight(group->heightForWidth(room));
            grid->addWidget(group, r, 0);
        }
        auto* symbol = new QLabel(QString::fromUtf8(row.symbol), this);
        symbol->setObjectName(QString::fromLatin1(row.symbolName));
        grid->addWidget(symbol, r, 1, Qt::AlignRight);
        auto* box = new LineInput(row.box, QString::fromLatin1(row.name), this);
        if (row.hint != nullptr) box->setToolTip(QString::fromUtf8(row.hint));
        grid->addWidget(box, r, 2);
        *targets[r] = box;
        ++r;
    }
}

void GeometryPanel::showCase(const DesignCase& dc, char sep) {
    for (LineInput* box : {tBox_, s1Box_, s2Box_, L1Box_, L2Box_, LgBox_, LgsBox_, LtBox_})
        box->showText(QString::fromStdString(fieldBoxText(dc, box->box(), sep)));
}

} // namespace korvel
