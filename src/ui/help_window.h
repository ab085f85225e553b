#pragma once

// The help: HTML pages in the folder "help" beside the program, shown in a help window with a
// contents page and a full-text search page that searches every page and lists the hits.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;

namespace korvel {

enum class HelpPage { contents, search };

inline constexpr const char* helpFolderName = "help";
inline constexpr const char* helpContentsPage = "index.html";

struct HelpTopic {
    QString file; // name of the page inside the help folder
    QString title;
    bool operator==(const HelpTopic& o) const { return file == o.file && title == o.title; }
};

struct HelpHit {
    QString file;
    QString title;
    int count = 0; // occurrences of the search words on the page
    int score = 0; // the order of the hits: occurrences, the whole phrase and the title weigh more
};

// programFolder/help.
QString helpFolder(const QString& programFolder);

// The text of a page's <title>.
QString pageTitle(const QString& html);

// The targets of a page's links and pictures (href and src values), in page order.
QStringList pageLinks(const QString& html);

// The contents page and every page it links to, in its order, each once.
std::vector<HelpTopic> helpContents(const QString& folder);

// The pages whose shown text (not the markup) holds every word of `query`, regardless of case;
// the best first (the words in the title, the words as one phrase, then the number of
// occurrences), ties in contents order. An empty query finds nothing.
std::vector<HelpHit> searchHelp(const QString& folder, const QString& query);

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QString folder, QWidget* owner = nullptr);

    // "&Contents" shows the contents page; "&Search for Help On . . . " the search page with an
    // empty query, ready for typing.
    void showPage(HelpPage page);
    // Lists the pages that hold the words and shows the first of them.
    void search(const QString& query);
    // Shows a page of the help folder, with the first occurrence of `highlight` selected.
    void openTopic(const QString& file, const QString& highlight = {});

    QUrl currentSource() const;
    QString currentText() const;
    QTabWidget* tabs() const { return tabs_; }
    QListWidget* hitList() const { return hits_; }
    QListWidget* contentsList() const { return contents_; }
    QLineEdit* queryBox() const { return query_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showHit(QListWidgetItem* item);

    QString folder_;
    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QLineEdit* query_ = nullptr;
    QListWidget* hits_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

// The Help menu's "&Contents" and "&Search for Help On . . . ": shows the help window of `owner`
// (creating it the first time) at the page asked for. A missing help folder is reported in a
// message box naming the contents page, and nothing is shown.
HelpWindow* showHelp(QWidget* owner, const QString& programFolder, HelpPage page);

} // namespace korvel
