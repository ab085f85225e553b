#include "ui/batch_verdicts.h"

#include "design/number_format.h"
#include "files/batch_run.h"
#include "report/margin_text.h"
#include "ui/background_study.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

#include <thread>

namespace korvel {

namespace {

struct EntryVerdict {
    bool isCase = false;
    bool stopped = false;
    bool passes = false;
    double highest = 0;
    int highestCheck = -1;
};

BackgroundStudy* studyOf(const QComboBox* list) {
    return list->findChild<BackgroundStudy*>(QStringLiteral("batchVerdicts"), Qt::FindDirectChildrenOnly);
}

} // namespace

bool batchVerdictsPending(const QComboBox* caseList) {
    const BackgroundStudy* s = studyOf(caseList);
    return s != nullptr && s->running();
}

void showBatchVerdicts(QComboBox* caseList, const BatchList& list, const Catalogue& catalogue) {
    auto* model = qobject_cast<QStandardItemModel*>(caseList->model());
    if (model == nullptr) return;
    model->setColumnCount(3);
    model->setHorizontalHeaderLabels({QStringLiteral("Case"), QStringLiteral("Highest UF"), QStringLiteral("Verdict")});
    if (qobject_cast<QTableView*>(caseList->view()) == nullptr) {
        auto* table = new QTableView(caseList);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->verticalHeader()->setVisible(false);
        table->horizontalHeader()->setVisible(false);
        table->setShowGrid(false);
        table->horizontalHeader()->setStretchLastSection(false);
        caseList->setView(table); // the view takes the list's model: its columns exist from here
        table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    }
    BackgroundStudy* study = studyOf(caseList);
    if (study == nullptr) {
        study = new BackgroundStudy(caseList);
        study->setObjectName(QStringLiteral("batchVerdicts"));
    }
    const std::vector<BatchEntry> entries = list.entries;
    const int rows = model->rowCount();
    const Catalogue* cat = &catalogue;
    study->start<std::vector<EntryVerdict>>(
        static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
        [entries, cat](const StudyControl& control) {
            std::vector<EntryVerdict> out(entries.size());
            StudyControl quiet = control;
            quiet.progress = nullptr;
            runInOrder<EntryVerdict>(
                entries.size(), *cat, quiet,
                [&entries, cat](std::size_t i, CaseRunner&) {
                    EntryVerdict v;
                    if (!entries[i].isCase()) return v;
                    thread_local DesignCase dc;
                    IgnoreWarnings quietWarnings;
                    runBatchCaseForResults(entries[i], dc, *cat, quietWarnings);
                    const CaseVerdict verdict = caseVerdict(dc);
                    v.isCase = true;
                    v.stopped = verdict.stopped;
                    v.passes = casePasses(verdict);
                    v.highest = verdict.highest;
                    v.highestCheck = verdict.highestCheck;
                    return v;
                },
                [&out](std::size_t i, EntryVerdict& v) { out[i] = v; });
            return out;
        },
        [model, rows](std::vector<EntryVerdict>& verdicts) {
            const int n = std::min(rows, std::min(model->rowCount(), static_cast<int>(verdicts.size())));
            for (int row = 0; row < n; ++row) {
                const EntryVerdict& v = verdicts[static_cast<std::size_t>(row)];
                if (!v.isCase) continue;
                QString highest;
                if (v.highestCheck >= 0)
                    highest = QStringLiteral("%1 %2").arg(
                        QString::fromStdString(formatNumber(v.highest, "0.00")),
                        QString::fromLatin1(checkSymbol(static_cast<std::size_t>(v.highestCheck))));
                auto* h = new QStandardItem(highest);
                auto* verdict = new QStandardItem(v.stopped  ? QStringLiteral("stopped")
                                                  : v.passes ? QStringLiteral("OK")
                                                             : QStringLiteral("NOK"));
                const Rgb c = paletteColour(v.passes ? 2 : 4);
                h->setForeground(QColor(c.r, c.g, c.b));
                verdict->setForeground(QColor(c.r, c.g, c.b));
                h->setEditable(false);
                verdict->setEditable(false);
                model->setItem(row, verdictHighestColumn, h);
                model->setItem(row, verdictColumn, verdict);
            }
        });
}

} // namespace korvel
