// Batch cases read from a workbook: a batch file turned into a workbook by LibreOffice reads back
// to the same cases, line for line; what a workbook may hold but a batch line cannot is refused
// with its sheet, row and column.

#include "xlsx/workbook_reader.h"

#include "files/batch_file.h"
#include "support/program_run.h"
#include "support/reference_cases.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

namespace korvel {
namespace {

// The batch file as LibreOffice saves it as a workbook: TAB-separated text in, .xlsx out.
std::string workbookByLibreOffice(const TempFolder& folder, const fs::path& batchFile) {
    fs::copy_file(batchFile, folder.file("cases.csv"), fs::copy_options::overwrite_existing);
    const ProgramRun run = runProgram("/usr/bin/soffice", folder,
                                      {"-env:UserInstallation=file://" + folder.file("profile"), "--headless",
                                       "--infilter=CSV:9,34,76,1,,1033,false,false", "--convert-to", "xlsx", "--outdir",
                                       folder.file("out"), folder.file("cases.csv")});
    EXPECT_EQ(run.status, 0) << run.err;
    return folder.file("out/cases.xlsx");
}

TEST(WorkbookReader, ABatchFileSavedByLibreOfficeReadsBackToTheSameCases) {
    const Catalogue tables = referenceTables();
    for (const fs::path& file : {referenceFolder / "cases.kori", fs::path(KORVEL_PROGRAM_DIR) / "dummy.kori"}) {
        SCOPED_TRACE(file.string());
        TempFolder folder;
        const std::string workbook = workbookByLibreOffice(folder, file);
        ASSERT_TRUE(looksLikeWorkbook(workbook));
        const auto read = readWorkbookBatch(workbook);
        ASSERT_TRUE(std::holds_alternative<WorkbookBatch>(read)) << std::get<WorkbookError>(read).message;
        const BatchRead fromSheet =
            readBatchText(std::get<WorkbookBatch>(read).text, "cases.xlsx", DecimalMode::period, tables);
        const BatchRead fromFile = readBatchFile(file.string(), DecimalMode::period, tables);
        ASSERT_TRUE(std::holds_alternative<BatchList>(fromSheet)) << std::get<BatchError>(fromSheet).message();
        ASSERT_TRUE(std::holds_alternative<BatchList>(fromFile));
        const auto& a = std::get<BatchList>(fromFile).entries;
        const auto& b = std::get<BatchList>(fromSheet).entries;
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "line " << a[i].line;
    }
}

// A workbook of one sheet from libxlsxwriter: a header row and one case, with `spoil` making one
// cell what a batch line cannot hold.
std::string spoiltWorkbook(const TempFolder& folder, const std::function<void(lxw_workbook*, lxw_worksheet*)>& spoil) {
    const std::string path = folder.file("spoilt.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Cases");
    for (std::size_t c = 0; c < batchFieldNames.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), batchFieldNames[c], nullptr);
    const std::array<const char*, 32> fields = {
        "Prj", "C1",  "0",   "1.43",        "0.6",  "235",           "400",  "235",  "400",  "206000", "1",
        "65",  "0",   "LW",  "200x90x9x12", "TG",   "800x200x10x20", "3000", "2500", "8000", "6000",   "3000",
        "20",  "625", "625", "-100",        "-100", "-30",           "-30",  "40",   "0.03", "0.03"};
    for (std::size_t c = 0; c < fields.size(); ++c) {
        const auto column = static_cast<lxw_col_t>(c);
        if (c == 0 || c == 1 || (c >= 13 && c <= 16))
            worksheet_write_string(sheet, 1, column, fields[c], nullptr);
        else
            worksheet_write_number(sheet, 1, column, std::stod(fields[c]), nullptr);
    }
    spoil(book, sheet);
    workbook_close(book);
    return path;
}

TEST(WorkbookReader, WhatABatchLineCannotHoldIsNamedBySheetRowAndColumn) {
    struct Row {
        const char* what;
        std::function<void(lxw_workbook*, lxw_worksheet*)> spoil;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"nothing", [](lxw_workbook*, lxw_worksheet*) {}, ""},
        {"number as text", [](lxw_workbook*, lxw_worksheet* s) { worksheet_write_string(s, 1, 5, "235", nullptr); },
         "sheet Cases, row 2, column F (Fyp): a number stored as text"},
        {"text", [](lxw_workbook*, lxw_worksheet* s) { worksheet_write_string(s, 1, 17, "long", nullptr); },
         "sheet Cases, row 2, column R (L1): text \"long\" in a number column"},
        {"truth value", [](lxw_workbook*, lxw_worksheet* s) { worksheet_write_boolean(s, 1, 2, 1, nullptr); },
         "sheet Cases, row 2, column C (condition): a truth value"},
        {"date",
         [](lxw_workbook* b, lxw_worksheet* s) {
             lxw_format* date = workbook_add_format(b);
             format_set_num_format(date, "yyyy-mm-dd");
             lxw_datetime when = {2026, 12, 8, 0, 0, 0};
             worksheet_write_datetime(s, 1, 21, &when, date);
         },
         "sheet Cases, row 2, column V (Lt): a date in a number column"},
        {"merged", [](lxw_workbook*, lxw_worksheet* s) { worksheet_merge_range(s, 3, 0, 3, 1, "x", nullptr); },
         "sheet Cases: merged cells A4:B4 (a case needs each field in a cell of its own)"},
        {"TAB", [](lxw_workbook*, lxw_worksheet* s) { worksheet_write_string(s, 1, 1, "C\t1", nullptr); },
         "sheet Cases, row 2, column B (identification): a TAB or a line break in the cell"},
    };
    for (const Row& r : rows) {
        TempFolder folder;
        const std::string path = spoiltWorkbook(folder, r.spoil);
        const auto read = readWorkbookBatch(path);
        if (r.message.empty()) {
            ASSERT_TRUE(std::holds_alternative<WorkbookBatch>(read)) << std::get<WorkbookError>(read).message;
            const std::string& text = std::get<WorkbookBatch>(read).text;
            EXPECT_EQ(text.rfind("% header\r\nPrj\tC1\t0\t1.43\t0.6\t235\t", 0), 0u) << text;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<WorkbookError>(read)) << r.what;
        EXPECT_EQ(std::get<WorkbookError>(read).message, path + ": " + r.message) << r.what;
    }
}

// A formula whose result the workbook does not keep cannot be read without a spreadsheet to
// calculate it: written here part by part, as a program that saves no results would.
TEST(WorkbookReader, AFormulaWithoutItsCachedValueIsRefused) {
    TempFolder folder;
    const std::string path = folder.file("formula.xlsx");
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    const std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml",
         R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
         R"(<sheet name="Cases" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>Prj</t></is></c>)"
         R"(<c r="D1"><f>1+0.43</f></c></row></sheetData></worksheet>)"},
    };
    for (const auto& [name, content] : parts) {
        zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
        ASSERT_GE(zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(zip), 0);
    const auto read = readWorkbookBatch(path);
    ASSERT_TRUE(std::holds_alternative<WorkbookError>(read));
    EXPECT_EQ(std::get<WorkbookError>(read).message,
              path + ": sheet Cases, row 1, column D (FS): a formula without a cached value");
}

TEST(WorkbookReader, WhatIsNoWorkbookIsSaidSo) {
    TempFolder folder;
    folder.write("cases.xlsx", "Prj\tC1\r\nEnd\r\n");
    EXPECT_FALSE(looksLikeWorkbook(folder.file("cases.xlsx")));
    const auto read = readWorkbookBatch(folder.file("cases.xlsx"));
    ASSERT_TRUE(std::holds_alternative<WorkbookError>(read));
    EXPECT_EQ(std::get<WorkbookError>(read).message,
              folder.file("cases.xlsx") + ": not a workbook (.xlsx) that can be opened");
}

} // namespace
} // namespace korvel
