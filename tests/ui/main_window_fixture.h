#pragma once

// The working window started as main() starts it, in a folder of the test's own with the tables,
// a recorder for the messages and questions, and file dialogs that answer what the test says.

#include "files/project_file.h"
#include "ui/app_context.h"
#include "ui/input_panel.h"
#include "ui/line_input.h"
#include "ui/main_window.h"
#include "ui/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

// Lets the events through until `done` holds (a background study finished, a layout settled);
// false when it has not within `ms`.
inline bool waitFor(const std::function<bool()>& done, int ms = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

const QString dataFolder = QStringLiteral(KORVEL_TEST_DATA_DIR "/../../data/");

// Records every warning and question; the questions get the answers the test sets.
class RecordingMessages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    SaveChoice askSaveChanges(const std::string& name) override {
        asked.push_back(saveChangesQuestion(name));
        return saveAnswer;
    }
    bool offer(const std::string& text, const std::string& action) override {
        offered.push_back({text, action});
        return takeOffer;
    }
    std::vector<std::string> seen;
    std::vector<std::string> asked;
    std::vector<std::pair<std::string, std::string>> offered;
    SaveChoice saveAnswer = SaveChoice::discard;
    bool takeOffer = false;
};

// Answers every dialog with the path it was given; nothing when none.
class ScriptedDialogs final : public FileDialogs {
public:
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer();
    }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override {
        requests.push_back(request);
        return answer();
    }
    std::string next;
    std::vector<FileDialogRequest> requests;

private:
    std::optional<FileChoice> answer() {
        if (next.empty()) return std::nullopt;
        return FileChoice{next, folderOf(next)};
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* table : {"bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat", "KORmat.dat"})
            ASSERT_TRUE(QFile::copy(dataFolder + QLatin1String(table), folder.filePath(QLatin1String(table)))) << table;
        settings = std::make_unique<QtSettingsStore>(folder.filePath(QStringLiteral("settings.ini")));
    }

    // Start-up as main() does it, in the test's folder.
    void startWindow() {
        ASSERT_FALSE(prepareStart(ctx, folder.path().toStdString()).has_value());
        window = std::make_unique<MainWindow>(ctx, WindowServices{messages, *settings, dialogs});
        window->start();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    LineInput* box(InputBox id) const { return window->inputs()->box(id); }
    template <class T>
    T* named(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    // Types into a box as the user does: focus, the whole text replaced, then Enter to move on.
    void typeAndLeave(InputBox id, const QString& text) {
        LineInput* b = box(id);
        b->setFocus();
        ASSERT_TRUE(b->hasFocus());
        b->selectAll();
        QTest::keyClicks(b, text);
        QTest::keyClick(b, Qt::Key_Return);
    }
    QString focusName() const {
        QWidget* w = QApplication::focusWidget();
        return w != nullptr ? w->objectName() : QString();
    }

    QTemporaryDir folder;
    AppContext ctx;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    std::unique_ptr<QtSettingsStore> settings;
    std::unique_ptr<MainWindow> window;
};

} // namespace korvel::test
