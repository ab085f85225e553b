// The batch stream reader against the whole-text reader: the same entries and the same messages
// for the hand-written files of tests/data/batch, the reference cases and faulty texts, and no
// entry limit. The threaded run's table and messages are checked through korvel-batch itself; the
// table's echo of the inputs here.

#include "design/warning_sink.h"
#include "files/batch_file.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/batch_stream.h"
#include "files/batch_stream_run.h"
#include "files/table_loader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <variant>

namespace korvel {

void PrintTo(const BatchError& error, std::ostream* out) {
    *out << error.message();
}

namespace {

const fs::path testData = fs::path(KORVEL_TEST_DATA_DIR);

const Catalogue& tables() {
    static const Catalogue catalogue = std::get<Catalogue>(loadCatalogue(testData / "reference" / "tables"));
    return catalogue;
}

// Every entry of `reader` up to its "End" line, or its error.
BatchRead readAllOf(BatchStreamReader& reader) {
    BatchList list;
    list.path = reader.fileName();
    BatchEntry entry;
    for (;;) {
        switch (reader.next(entry)) {
        case BatchStreamReader::Next::entry:
            list.entries.push_back(entry);
            break;
        case BatchStreamReader::Next::end:
            return list;
        case BatchStreamReader::Next::error:
            return reader.error();
        }
    }
}

BatchRead streamText(const std::string& text, DecimalMode mode = DecimalMode::period) {
    std::istringstream in(text);
    BatchStreamReader reader(in, "in.kori", mode, tables());
    return readAllOf(reader);
}

void expectSameReading(const BatchRead& expected, const BatchRead& streamed, const std::string& what) {
    ASSERT_EQ(expected.index(), streamed.index()) << what;
    if (const auto* error = std::get_if<BatchError>(&expected)) {
        EXPECT_EQ(*error, std::get<BatchError>(streamed)) << what;
        return;
    }
    const BatchList& a = std::get<BatchList>(expected);
    const BatchList& b = std::get<BatchList>(streamed);
    ASSERT_EQ(a.entries.size(), b.entries.size()) << what;
    for (std::size_t i = 0; i < a.entries.size(); ++i)
        EXPECT_TRUE(a.entries[i] == b.entries[i]) << what << ": entry " << i << " of line " << a.entries[i].line;
}

std::string caseLine(const std::string& t = "20") {
    return "Prj\tId\t0\t1.43\t0."
           "6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t3000\t2500\t"
           "8000\t6000\t3000\t" +
           t + "\t625\t625\t-100\t-100\t-30\t-30\t40\t0.03\t0.03";
}

TEST(BatchStream, FilesReadAsTheWholeTextReaderReadsThem) {
    const std::pair<fs::path, DecimalMode> files[] = {
        {testData / "batch" / "mixed.kori", DecimalMode::period},
        {testData / "batch" / "comma.kori", DecimalMode::comma},
        {testData / "batch" / "only_comments.kori", DecimalMode::period},
        {testData / "reference" / "cases.kori", DecimalMode::period},
    };
    for (const auto& [path, mode] : files) {
        const BatchRead expected = readBatchFile(path.string(), mode, tables());
        auto opened = BatchStreamReader::open(path.string(), mode, tables());
        ASSERT_TRUE(std::holds_alternative<BatchStreamReader>(opened)) << path;
        expectSameReading(expected, readAllOf(std::get<BatchStreamReader>(opened)), path.string());
    }
}

TEST(BatchStream, TextsAndFaultsAsTheWholeTextReader) {
    const std::string texts[] = {
        "\xEF\xBB\xBF%c\n" + caseLine() + "\nEnd\nnot read",
        "%c\r\n" + caseLine() + "\r\n  eNd  \r\n",
        caseLine() + "\nEnd",                          // no line feed after "End"
        "",                                            // ends without "End" on line 1
        "%a\n" + caseLine() + "\n",                    // ... on line 3
        "%a\n%b\n" + caseLine("abc") + "\nEnd\n",      // field 22 on line 3
        "%a\n" + caseLine().substr(0, 20) + "\nEnd\n", // too few fields on line 2
        caseLine() + "\t0\nEnd\n",                     // an inserted column
    };
    for (const std::string& text : texts)
        expectSameReading(readBatchText(text, "in.kori", DecimalMode::comma, tables()),
                          streamText(text, DecimalMode::comma), text.substr(0, 40));
}

TEST(BatchStream, NoEntryLimitAndLinesAcrossItsBlocks) {
    // Some 2 MB: lines cross the blocks the reader takes from the stream.
    std::string text;
    for (int i = 0; i <= maxBatchEntries; ++i) text += i % 3 ? caseLine(std::to_string(10 + i % 20)) + "\n" : "%n\n";
    text += "End\n";
    const BatchRead streamed = streamText(text);
    ASSERT_TRUE(std::holds_alternative<BatchList>(streamed)) << std::get<BatchError>(streamed).message();
    const auto& entries = std::get<BatchList>(streamed).entries;
    ASSERT_EQ(static_cast<std::size_t>(maxBatchEntries) + 1, entries.size());
    EXPECT_EQ(maxBatchEntries + 1, entries.back().line);

    text.erase(text.rfind("%n\n"));
    const BatchList within =
        std::get<BatchList>(readBatchText(text + "End\n", "in.kori", DecimalMode::period, tables()));
    EXPECT_TRUE(within.entries == std::vector<BatchEntry>(entries.begin(), entries.begin() + within.entries.size()));
}

// The streamed table copies a field's own text where it is the general form of its number; the
// table must be the one the whole-text run writes through the formatter, on one thread or two,
// also where a field is not written as its general form and where an adjustment changes an input
// after reading (as a gauged thickness does).
TEST(BatchStream, TableEchoesTheInputsAsTheFormatterWrites) {
    std::string text = "%t as written\n";
    for (const char* t : {"20", "20.0", "19.5", "+20", " 20", "2e1", "0.000001", "12.345678", "9.75"})
        text += caseLine(t) + "\n";
    text += "End\n";
    const BatchList list = std::get<BatchList>(readBatchText(text, "in.kori", DecimalMode::period, tables()));
    const InputAdjustment none;
    const InputAdjustment thinner = [](const BatchEntry&, CaseInputs& c) {
        c.t -= 0.5F;
        return std::string();
    };
    for (const InputAdjustment* adjust : {&none, &thinner}) {
        std::string expected;
        DesignCase dc;
        IgnoreWarnings ignored;
        for (const BatchEntry& entry : list.entries) {
            if (!entry.isCase()) {
                expected += entry.comment + "\r\n";
                continue;
            }
            runAdjustedBatchCase(entry, dc, tables(), ignored, AssessOptions{}, *adjust);
            appendBatchResultLine(expected, dc);
        }
        for (const int threads : {1, 2}) {
            std::istringstream in(text);
            BatchStreamReader reader(in, "in.kori", DecimalMode::period, tables());
            std::string rows;
            BatchStreamHooks hooks;
            hooks.write = [&rows](std::string_view written) {
                rows += written;
                return true;
            };
            BatchRowFormat format;
            format.adjust = *adjust;
            streamBatch(reader, tables(), threads, hooks, format);
            EXPECT_EQ(rows, expected) << threads << " threads" << (*adjust ? ", thinner" : "");
        }
    }
}

TEST(BatchStream, StandardInputAndFileFaultsAreNamed) {
    const std::string path = (testData / "batch" / "no_such_file.kori").string();
    auto missing = BatchStreamReader::open(path, DecimalMode::period, tables());
    const BatchRead expected = readBatchFile(path, DecimalMode::period, tables());
    EXPECT_EQ(std::get<BatchError>(expected), std::get<BatchError>(missing));

    std::istringstream in("%a\n" + std::string(maxBatchLineLength + 1, 'x') + "\nEnd\n");
    BatchStreamReader reader(in, standardInputName, DecimalMode::period, tables());
    EXPECT_EQ("standard input:2: a line longer than 1048576 characters",
              std::get<BatchError>(readAllOf(reader)).message());
}

} // namespace
} // namespace korvel
