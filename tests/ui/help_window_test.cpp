// The Help menu: the help pages and their window, the documents and the about window.

#include "support/qt_application.h"
#include "ui/about_window.h"
#include "ui/documents.h"
#include "ui/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace korvel {
namespace {

// The pages as they ship; the build copies them to help/ in the program folder.
const QString sourceHelp = QStringLiteral(KORVEL_TEST_DATA_DIR "/../../data/help");
const QString sourceDocuments = QStringLiteral(KORVEL_TEST_DATA_DIR "/../../data/Documentation");

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList helpPages() {
    return QDir(sourceHelp).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

class HelpTest : public ::testing::Test {};

TEST_F(HelpTest, EveryLinkOfEveryPageResolves) {
    const QStringList pages = helpPages();
    ASSERT_GE(pages.size(), 10);
    const QDir dir(sourceHelp);
    int checked = 0;
    for (const QString& page : pages) {
        for (const QString& link : pageLinks(readText(dir.filePath(page)))) {
            if (link.startsWith(QLatin1String("http")) || link.startsWith(QLatin1String("mailto:"))) continue;
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString target = file.isEmpty() ? page : file;
            ASSERT_TRUE(QFileInfo(dir.filePath(target)).isFile()) << page.toStdString() << " -> " << link.toStdString();
            if (!anchor.isEmpty()) {
                const QString html = readText(dir.filePath(target));
                const bool found = html.contains(QStringLiteral("id=\"%1\"").arg(anchor)) ||
                                   html.contains(QStringLiteral("name=\"%1\"").arg(anchor));
                EXPECT_TRUE(found) << page.toStdString() << " -> " << link.toStdString();
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST_F(HelpTest, ContentsReachesEveryPageOnceAndEveryPageHasATitle) {
    const std::vector<HelpTopic> topics = helpContents(sourceHelp);
    QStringList listed;
    for (const HelpTopic& topic : topics) {
        listed.append(topic.file);
        EXPECT_FALSE(topic.title.isEmpty()) << topic.file.toStdString();
    }
    ASSERT_FALSE(topics.empty());
    EXPECT_EQ(topics.front().file, QStringLiteral("index.html"));
    EXPECT_EQ(topics.front().title, QStringLiteral("KORVEL Help: Contents"));
    QStringList sorted = listed;
    sorted.sort();
    EXPECT_EQ(sorted, helpPages());
    EXPECT_EQ(sorted.removeDuplicates(), 0);
}

TEST_F(HelpTest, SearchFindsEveryWordOfTheQueryInTheShownText) {
    struct Row {
        const char* query;
        const char* page; // a page that must be among the hits
    };
    const Row rows[] = {
        {"3/5.7", "buckling.html"},
        {"tripping", "scantlings.html"},
        {"TRIPPING brackets", "scantlings.html"}, // case does not matter, every word must be there
        {"dummy.kori", "batch.html"},
        {"Input string mismatch", "messages.html"},
        {"RecentFile1", "files.html"},
        {"489.55", "materials.html"},
        {"SigyC Down", "keyboard.html"},
    };
    for (const Row& row : rows) {
        const std::vector<HelpHit> hits = searchHelp(sourceHelp, QString::fromUtf8(row.query));
        const bool found =
            std::any_of(hits.begin(), hits.end(), [&](const HelpHit& h) { return h.file == QLatin1String(row.page); });
        EXPECT_TRUE(found) << row.query;
        for (std::size_t i = 1; i < hits.size(); ++i) EXPECT_GE(hits[i - 1].score, hits[i].score) << row.query;
    }
    // A page titled by the words comes first.
    const std::vector<HelpHit> yield = searchHelp(sourceHelp, QStringLiteral("yield"));
    ASSERT_FALSE(yield.empty());
    EXPECT_EQ(yield.front().file, QStringLiteral("yield.html"));

    // Markup is not text, and a word that is nowhere finds nothing.
    EXPECT_TRUE(searchHelp(sourceHelp, QStringLiteral("stylesheet")).empty());
    EXPECT_TRUE(searchHelp(sourceHelp, QStringLiteral("tripping zzqqxx")).empty());
    EXPECT_TRUE(searchHelp(sourceHelp, QStringLiteral("   ")).empty());
}

TEST_F(HelpTest, WindowShowsContentsAndFindsAWordOnTheSearchPage) {
    HelpWindow window(sourceHelp);
    window.showPage(HelpPage::contents);
    EXPECT_EQ(window.tabs()->currentIndex(), 0);
    EXPECT_EQ(window.tabs()->tabText(0), QStringLiteral("&Contents"));
    EXPECT_EQ(QFileInfo(window.currentSource().toLocalFile()).fileName(), QStringLiteral("index.html"));
    EXPECT_TRUE(window.currentText().contains(QStringLiteral("Batch runs")));
    EXPECT_EQ(window.contentsList()->count(), static_cast<int>(helpContents(sourceHelp).size()));

    // A contents entry opens its page.
    QListWidgetItem* buckling = nullptr;
    for (int i = 0; i < window.contentsList()->count(); ++i)
        if (window.contentsList()->item(i)->data(Qt::UserRole).toString() == QLatin1String("buckling.html"))
            buckling = window.contentsList()->item(i);
    ASSERT_NE(buckling, nullptr);
    emit window.contentsList()->itemClicked(buckling);
    EXPECT_TRUE(window.currentText().contains(QStringLiteral("3/3.1")));

    window.showPage(HelpPage::search);
    EXPECT_EQ(window.tabs()->currentIndex(), 1);
    EXPECT_TRUE(window.queryBox()->text().isEmpty());
    EXPECT_EQ(window.hitList()->count(), 0);

    window.queryBox()->setText(QStringLiteral("tripping"));
    QTest::keyClick(window.queryBox(), Qt::Key_Return);
    ASSERT_GT(window.hitList()->count(), 0);
    const QString first = window.hitList()->item(0)->data(Qt::UserRole).toString();
    EXPECT_EQ(QFileInfo(window.currentSource().toLocalFile()).fileName(), first);
    const auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("page"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->textCursor().selectedText().toLower(), QStringLiteral("tripping"));

    window.search(QStringLiteral("zzqqxx"));
    ASSERT_EQ(window.hitList()->count(), 1);
    EXPECT_EQ(window.hitList()->item(0)->text(), QStringLiteral("No topics found."));
}

TEST_F(HelpTest, HelpFolderAndDocumentPathsLieBelowTheProgramFolder) {
    EXPECT_EQ(helpFolder(QStringLiteral("/opt/korvel")), QStringLiteral("/opt/korvel/help"));
    EXPECT_EQ(documentPath(QStringLiteral("/opt/korvel"), QString::fromLatin1(theoryManualDocument)),
              QStringLiteral("/opt/korvel/Documentation/KORVEL Theory Manual.pdf"));
}

TEST_F(HelpTest, ADocumentIsHandedToTheViewerOrItsProblemNamed) {
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    ASSERT_TRUE(QDir(program.path()).mkdir(QString::fromLatin1(documentationFolder)));
    const QString present = documentPath(program.path(), QString::fromLatin1(databaseFileDocument));
    {
        QFile file(present);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    const QString missing = documentPath(program.path(), QString::fromLatin1(updateInformationDocument));

    QUrl opened;
    const auto viewer = [&](const QUrl& url) {
        opened = url;
        return true;
    };
    const auto noViewer = [](const QUrl&) { return false; };

    EXPECT_EQ(openDocumentWith(present, viewer), QString());
    EXPECT_EQ(opened, QUrl::fromLocalFile(present));
    EXPECT_EQ(openDocumentWith(missing, viewer),
              QStringLiteral("can't find file - ") + QDir::toNativeSeparators(missing));
    EXPECT_TRUE(openDocumentWith(present, noViewer)
                    .startsWith(QStringLiteral("can't open file - ") + QDir::toNativeSeparators(present)));
}

TEST_F(HelpTest, TheThreeDocumentsAreBuiltIntoTheProgramFolder) {
    for (const char* name : {updateInformationDocument, theoryManualDocument, databaseFileDocument}) {
        const QString html = QString::fromLatin1(name).replace(QLatin1String(".pdf"), QLatin1String(".html"));
        EXPECT_TRUE(QFileInfo(QDir(sourceDocuments).filePath(html)).isFile()) << name;
        QFile pdf(documentPath(QStringLiteral(KORVEL_PROGRAM_DIR), QString::fromLatin1(name)));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(pdf.read(5) == "%PDF-") << name;
        EXPECT_GT(pdf.size(), 10000) << name;
    }
}

TEST_F(HelpTest, AboutWindowShowsNameDescriptionVersionAndClosesOnAClick) {
    struct Row {
        const char* label;
        const char* text;
    };
    const Row rows[] = {{"productNameLabel", "KORVEL"},
                        {"descriptionLabel", "Plate/Stiff/Girder check based on ABS Offshore Structures"},
                        {"versionLabel", "Version 1.9"},
                        {"rulesEditionLabel",
                         "Rules: ABS Buckling and Ultimate Strength Assessment for Offshore Structures and ABS "
                         "MODU Rules Part 3, edition not stated"}};
    for (const Row& row : rows) {
        AboutWindow about;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About KORVEL"));
        auto* label = about.findChild<QLabel*>(QString::fromLatin1(row.label));
        ASSERT_NE(label, nullptr) << row.label;
        EXPECT_EQ(label->text(), QString::fromLatin1(row.text));
        if (QLatin1String(row.label) == QLatin1String("productNameLabel")) {
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 85, 152));
        }
        about.show();
        ASSERT_TRUE(about.isVisible());
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_FALSE(about.isVisible()) << row.label;
    }

    AboutWindow about;
    auto* picture = about.findChild<QWidget*>(QStringLiteral("panelPicture"));
    ASSERT_NE(picture, nullptr);
    about.show();
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutWindowPlacement, CentredOnTheScreen) {
    // Top: half the screen height minus half the window's; left likewise.
    EXPECT_EQ(AboutWindow::centredOn(QRect(0, 0, 1024, 768), QSize(500, 200)), QPoint(262, 284));
    EXPECT_EQ(AboutWindow::centredOn(QRect(1920, 0, 1280, 1024), QSize(400, 300)), QPoint(2360, 362));
}

} // namespace
} // namespace korvel
