#include "ui/help_window.h"

#include "ui/message_warnings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace korvel {

namespace {

QString readPage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The text a reader sees: markup, entities and the style block resolved as the browser does.
QString shownText(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

QStringList queryWords(const QString& query) {
    return query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

int occurrences(const QString& text, const QString& word) {
    return static_cast<int>(text.count(word, Qt::CaseInsensitive));
}

} // namespace

QString helpFolder(const QString& programFolder) {
    return QDir(programFolder).filePath(QLatin1String(helpFolderName));
}

QString pageTitle(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(html);
    return m.hasMatch() ? shownText(m.captured(1)).simplified() : QString();
}

QStringList pageLinks(const QString& html) {
    static const QRegularExpression link(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList links;
    for (auto it = link.globalMatch(html); it.hasNext();) links.append(it.next().captured(1));
    return links;
}

std::vector<HelpTopic> helpContents(const QString& folder) {
    const QDir dir(folder);
    const QString contents = readPage(dir.filePath(QLatin1String(helpContentsPage)));
    if (contents.isEmpty()) return {};

    std::vector<HelpTopic> topics{{QLatin1String(helpContentsPage), pageTitle(contents)}};
    for (const QString& link : pageLinks(contents)) {
        const QString file = link.section(QLatin1Char('#'), 0, 0);
        if (!file.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) || file.contains(QLatin1Char(':'))) continue;
        const bool known =
            std::any_of(topics.begin(), topics.end(), [&](const HelpTopic& t) { return t.file == file; });
        if (known || !QFileInfo(dir.filePath(file)).isFile()) continue;
        topics.push_back({file, pageTitle(readPage(dir.filePath(file)))});
    }
    return topics;
}

std::vector<HelpHit> searchHelp(const QString& folder, const QString& query) {
    const QStringList words = queryWords(query);
    if (words.isEmpty()) return {};
    const QString phrase = words.join(QLatin1Char(' '));
    const QDir dir(folder);
    std::vector<HelpHit> hits;
    for (const HelpTopic& topic : helpContents(folder)) {
        const QString text = shownText(readPage(dir.filePath(topic.file))).simplified();
        HelpHit hit{topic.file, topic.title, 0, 0};
        bool all = true;
        for (const QString& word : words) {
            const int n = occurrences(text, word);
            all = all && n > 0;
            hit.count += n;
            if (topic.title.contains(word, Qt::CaseInsensitive)) hit.score += 10;
        }
        if (!all) continue;
        hit.score += hit.count;
        if (words.size() > 1) hit.score += 5 * occurrences(text, phrase);
        hits.push_back(hit);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const HelpHit& a, const HelpHit& b) { return a.score > b.score; });
    return hits;
}

HelpWindow::HelpWindow(QString folder, QWidget* owner) : QWidget(owner, Qt::Window), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("KORVEL Help"));

    tabs_ = new QTabWidget(this);

    // Contents page.
    contents_ = new QListWidget;
    contents_->setWordWrap(true);
    for (const HelpTopic& topic : helpContents(folder_)) {
        auto* item = new QListWidgetItem(topic.title, contents_);
        item->setData(Qt::UserRole, topic.file);
    }
    connect(contents_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openTopic(item->data(Qt::UserRole).toString()); });
    connect(contents_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { openTopic(item->data(Qt::UserRole).toString()); });
    tabs_->addTab(contents_, QStringLiteral("&Contents"));

    // Search page.
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* queryLabel = new QLabel(QStringLiteral("&Type in the word(s) to search for:"));
    query_ = new QLineEdit;
    query_->setObjectName(QStringLiteral("query"));
    queryLabel->setBuddy(query_);
    auto* listTopics = new QPushButton(QStringLiteral("&List Topics"));
    auto* hitsLabel = new QLabel(QStringLiteral("Select t&opic to display:"));
    hits_ = new QListWidget;
    hits_->setWordWrap(true);
    hitsLabel->setBuddy(hits_);
    auto* display = new QPushButton(QStringLiteral("&Display"));
    searchLayout->addWidget(queryLabel);
    auto* queryRow = new QHBoxLayout;
    queryRow->addWidget(query_, 1);
    queryRow->addWidget(listTopics);
    searchLayout->addLayout(queryRow);
    searchLayout->addWidget(hitsLabel);
    searchLayout->addWidget(hits_, 1);
    searchLayout->addWidget(display, 0, Qt::AlignRight);
    connect(query_, &QLineEdit::returnPressed, this, [this] { search(query_->text()); });
    connect(listTopics, &QPushButton::clicked, this, [this] { search(query_->text()); });
    connect(hits_, &QListWidget::itemActivated, this, &HelpWindow::showHit);
    connect(display, &QPushButton::clicked, this, [this] { showHit(hits_->currentItem()); });
    tabs_->addTab(searchPage, QStringLiteral("&Search"));

    // The page itself, with the browser's own history.
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("page"));
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({folder_});
    auto* back = new QPushButton(QStringLiteral("&Back"));
    auto* forward = new QPushButton(QStringLiteral("&Forward"));
    auto* home = new QPushButton(QStringLiteral("&Home"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { openTopic(QLatin1String(helpContentsPage)); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* pageSide = new QWidget;
    auto* pageLayout = new QVBoxLayout(pageSide);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch(1);
    pageLayout->addLayout(buttons);
    pageLayout->addWidget(browser_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(pageSide);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 640});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(980, 700);
}

void HelpWindow::showPage(HelpPage page) {
    if (page == HelpPage::contents) {
        tabs_->setCurrentIndex(0);
        openTopic(QLatin1String(helpContentsPage));
        return;
    }
    tabs_->setCurrentIndex(1);
    query_->clear();
    hits_->clear();
    // The page side is never blank: it shows the contents until a hit is chosen.
    if (browser_->source().isEmpty()) openTopic(QLatin1String(helpContentsPage));
    query_->setFocus();
}

void HelpWindow::search(const QString& query) {
    if (query_->text() != query) query_->setText(query);
    hits_->clear();
    const std::vector<HelpHit> hits = searchHelp(folder_, query);
    for (const HelpHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title, hits_);
        item->setData(Qt::UserRole, hit.file);
        item->setToolTip(tr("%n occurrence(s)", nullptr, hit.count));
    }
    if (hits.empty()) {
        auto* none = new QListWidgetItem(tr("No topics found."), hits_);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    hits_->setCurrentRow(0);
    showHit(hits_->item(0));
}

void HelpWindow::showHit(QListWidgetItem* item) {
    if (!item) return;
    const QString file = item->data(Qt::UserRole).toString();
    if (file.isEmpty()) return;
    const QStringList words = queryWords(query_->text());
    openTopic(file, words.isEmpty() ? QString() : words.front());
}

void HelpWindow::openTopic(const QString& file, const QString& highlight) {
    browser_->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(file)));
    if (highlight.isEmpty()) return;
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(highlight);
}

QUrl HelpWindow::currentSource() const {
    return browser_->source();
}

QString HelpWindow::currentText() const {
    return browser_->toPlainText();
}

HelpWindow* showHelp(QWidget* owner, const QString& programFolder, HelpPage page) {
    const QString folder = helpFolder(programFolder);
    const QString contents = QDir(folder).filePath(QLatin1String(helpContentsPage));
    if (!QFileInfo(contents).isFile()) {
        MessageBoxMessages(owner).warning("can't find file - " + QDir::toNativeSeparators(contents).toStdString());
        return nullptr;
    }
    HelpWindow* window =
        owner ? owner->findChild<HelpWindow*>(QStringLiteral("helpWindow"), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(folder, owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->showPage(page);
    return window;
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc that no control of the window used (an open drop-down closes first) closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace korvel
