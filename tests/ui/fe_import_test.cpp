// File → "Import FE stresses…" of the batch window: the three files chosen one after another, the
// cases written with their audit and opened in the window, each dialog starting at the file
// chosen last; a cancelled dialog changes nothing.

#include "support/qt_application.h"
#include "ui/batch_window.h"

#include "fe/fe_import.h"
#include "files/table_loader.h"

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <variant>

namespace korvel {
namespace {

namespace fs = std::filesystem;

const fs::path feData = fs::path(KORVEL_TEST_DATA_DIR) / "fe";

class QueuedDialogs final : public FileDialogs {
public:
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) override {
        asked.push_back(request);
        if (opens.empty()) return std::nullopt;
        const std::string path = opens.front();
        opens.pop_front();
        return FileChoice{path, fs::path(path).parent_path().string()};
    }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override {
        asked.push_back(request);
        return save;
    }
    std::deque<std::string> opens;
    std::optional<FileChoice> save;
    std::vector<FileDialogRequest> asked;
};

class NotedMessages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
};

Catalogue programTables() {
    CatalogueLoad load = loadCatalogue(fs::path(KORVEL_PROGRAM_DIR));
    return std::holds_alternative<Catalogue>(load) ? std::get<Catalogue>(load) : Catalogue{};
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FeImport, TheCasesOfEachPanelAreWrittenWithTheirAuditAndOpened) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const Catalogue catalogue = programTables();
    DesignCase dc;
    resetToNewFile(dc);
    BatchState state;
    BatchWindow window(nullptr, dc, catalogue, DecimalMode::period, state, [] {});
    QueuedDialogs dialogs;
    NotedMessages messages;
    window.setFileDialogs(&dialogs);
    window.setMessages(&messages);
    const std::string output = (fs::path(folder.path().toStdString()) / "deck.kori").string();

    // Cancelled at the second file: nothing is written or opened.
    dialogs.opens = {(feData / "stresses.csv").string()};
    window.findChild<QAction*>(QStringLiteral("importFeAction"))->trigger();
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(state.feImport.stresses, (feData / "stresses.csv").string());

    dialogs.asked.clear();
    dialogs.opens = {(feData / "stresses.csv").string(), (feData / "panels.tsv").string(),
                     (feData / "template.kori").string()};
    dialogs.save = FileChoice{output, folder.path().toStdString()};
    window.findChild<QAction*>(QStringLiteral("importFeAction"))->trigger();
    ASSERT_TRUE(fs::exists(output)) << (messages.seen.empty() ? "" : messages.seen.back());
    // The first dialog starts at the stress table chosen before.
    ASSERT_GE(dialogs.asked.size(), 4u);
    EXPECT_EQ(dialogs.asked[0].initialName, "stresses.csv");
    EXPECT_EQ(dialogs.asked[3].initialName, "fe-cases.kori");
    // The cases the core's import writes for these files, each basic load case a combination of
    // its own.
    const std::string written = readAll(output);
    FeRequest request;
    request.stresses = (feData / "stresses.csv").string();
    request.panels = (feData / "panels.tsv").string();
    request.templateFile = (feData / "template.kori").string();
    const std::string example = runFeImport(request, catalogue).kori;
    const auto withoutComments = [](const std::string& text) {
        std::string out;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] != '%') out += line + "\n";
        return out;
    };
    EXPECT_EQ(withoutComments(written), withoutComments(example));
    EXPECT_TRUE(fs::exists(fs::path(output).replace_extension(".audit.tsv")));
    EXPECT_EQ(state.currentFile, output);
    EXPECT_GT(window.caseList()->count(), 0);
    EXPECT_GE(window.caseList()->findText(QStringLiteral("P1/still")), 0);
}

TEST(FeImport, WarningsAreListedWithACountOfTheRest) {
    EXPECT_EQ(feImportWarnings({}, {}), "");
    const std::string text =
        feImportWarnings({"s.csv:4: elem \"x\" is not a number"}, {"P1/LC1: coverage 0.5", "P2/LC1: 3 elements"}, 2);
    EXPECT_EQ(text,
              "The import of the finite-element stresses noted:\ns.csv:4: elem \"x\" is not a number\nP1/LC1: coverage "
              "0.5\n… and 1 more (see the audit)");
}

} // namespace
} // namespace korvel
