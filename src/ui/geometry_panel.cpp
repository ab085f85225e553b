#include "ui/geometry_panel.h"

#include "design/input_limits.h"
#include "ui/line_input.h"

#include <QGridLayout>
#include <QLabel>

namespace korvel {

GeometryPanel::GeometryPanel(QWidget* parent) : QGroupBox(QStringLiteral("Geometry (mm)"), parent) {
    setObjectName(QStringLiteral("fr21"));
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
        {"Plate thickness:", "t =", "lblt", InputBox::t, "it", nullptr},
        {"Stiff spacing: ", "s1 =", "lbls1", InputBox::s1, "is1", nullptr},
        {"", "s2 =", "lbls2", InputBox::s2, "is2", nullptr},
        {"Stiffener span: ", "L1 =", "lblL1", InputBox::L1, "il1", nullptr},
        {"", "L2 =", "lblL2", InputBox::L2, "il2", nullptr},
        {"Girder span:", "Lg =", "lblLg", InputBox::Lg, "iLg", nullptr},
        {"Girder span scantling:", "Lgs =", "lblLgs", InputBox::Lgs, "iLgs", " Unsupported span"},
        {"Dist betw tripp  brackets:", "Lt =", "lblLt", InputBox::Lt, "iLt", " Recommended max distance 3000 mm "},
    };
    LineInput** targets[] = {&it_, &is1_, &is2_, &il1_, &il2_, &iLg_, &iLgs_, &iLt_};

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
    const auto show = [sep](LineInput* box, auto value, const char* mask) {
        box->showText(QString::fromStdString(boxText(value, mask, sep, findInputLimit(box->box()))));
    };
    show(it_, dc.t, "#0.0");
    show(is1_, dc.s1, "#00");
    show(is2_, dc.s2, "#00");
    show(il1_, dc.L1, "#0");
    show(il2_, dc.L2, "#0");
    show(iLg_, dc.Lg, "#0");
    show(iLgs_, dc.Lgs, "#0");
    show(iLt_, dc.Lt, "#0");
}

} // namespace korvel
