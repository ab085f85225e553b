#include "ui/cfactor_panel.h"

#include "checks/yield/structure_types.h"
#include "design/design_case.h"
#include "ui/line_input.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace korvel {

QString captionDisplayText(const std::string& caption) {
    QString text = QString::fromStdString(caption);
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return text;
}

CFactorPanel::CFactorPanel(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("cfactorTabs"));

    for (int tab = 0; tab < structureTypeCount; ++tab) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("cfactorTab%1").arg(tab));
        auto* layout = new QGridLayout(page);
        layout->setContentsMargins(6, 4, 6, 4);
        layout->setVerticalSpacing(2);
        auto* group = new QButtonGroup(page);
        const StructureTypeFacts& structure = structureTypes[tab];
        for (int option = 0; option < 2; ++option) {
            const std::string_view text = structure.options[option].button;
            auto* button = new QRadioButton(QString::fromUtf8(text.data(), static_cast<int>(text.size())), page);
            button->setObjectName(QStringLiteral("cfactorOption%1%2").arg(tab).arg(option));
            group->addButton(button, option);
            layout->addWidget(button, option, 0);
            options_[static_cast<std::size_t>(tab)][static_cast<std::size_t>(option)] = button;
        }
        if (tab == watertightBulkhead) {
            auto* row = new QHBoxLayout;
            row->addWidget(new QLabel(QStringLiteral("Unit length  UL ="), page));
            ULBox_ = new LineInput(InputBox::UL, QStringLiteral("ULBox"), page);
            ULBox_->setToolTip(QStringLiteral("c-factor is corrected for unit lengths below 61 m  "));
            row->addWidget(ULBox_);
            layout->addLayout(row, 0, 1, Qt::AlignRight);
        }
        auto* caption = new QLabel(QStringLiteral("c = "), page);
        caption->setObjectName(QStringLiteral("cfactorText%1").arg(tab));
        layout->addWidget(caption, 2, 0, 1, 2);
        layout->setRowStretch(3, 1);
        layout->setColumnStretch(0, 1);
        captions_[static_cast<std::size_t>(tab)] = caption;
        addTab(page, QString::fromUtf8(structure.tabCaption.data(), static_cast<int>(structure.tabCaption.size())));
        connect(group, &QButtonGroup::idClicked, this, &CFactorPanel::structureOptionChosen);
    }
    // The tab chosen is the structure type; the option keeps its value.
    connect(this, &QTabWidget::currentChanged, this, &CFactorPanel::structureTypeChosen);
}

QRadioButton* CFactorPanel::optionButton(int tab, int option) const {
    if (tab < 0 || tab > 2 || option < 0 || option > 1) return nullptr;
    return options_[static_cast<std::size_t>(tab)][static_cast<std::size_t>(option)];
}

QLabel* CFactorPanel::captionLabel(int tab) const {
    if (tab < 0 || tab > 2) return nullptr;
    return captions_[static_cast<std::size_t>(tab)];
}

void CFactorPanel::showCaption(const CFactorCaption& caption) {
    if (caption.tab < 0 || caption.tab > 2) return;
    {
        const QSignalBlocker block(this);
        setCurrentIndex(caption.tab);
    }
    if (QRadioButton* button = optionButton(caption.tab, caption.option)) button->setChecked(true);
    for (int tab = 0; tab < 3; ++tab)
        captions_[static_cast<std::size_t>(tab)]->setText(tab == caption.tab ? captionDisplayText(caption.text)
                                                                             : QStringLiteral("c = "));
    if (caption.unitLength && !(ULBox_->hasFocus() && ULBox_->isModified()))
        ULBox_->showText(QString::fromStdString(*caption.unitLength));
}

} // namespace korvel
