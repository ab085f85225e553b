#pragma once

// The results of a batch run as a spreadsheet workbook (.xlsx): the sheet "Results" first, with
// the results table's columns in their order, numbers as numbers shown as the table writes them,
// the header frozen, an autofilter, the utilisations in the report's verdict colours (above 1
// dark red, within the limit dark green) and fitted column widths; then "Summary" (the run's
// figures, one per row) and, when given, "Envelope" (one row per panel). The program version, the
// tables' checksums and the time go into the document properties.
//
// Rows are streamed to the workbook's temporary storage as they come, so a long run is never held
// whole; the workbook replaces its target only when it is complete (as every table the program
// writes).

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvel {

struct WorkbookProperties {
    std::string title;     // "KORVEL results of IN.kori"
    std::string version;   // the program's
    std::string tables;    // "bfprof.dat e84e…, lprof.dat …"
    std::string dateTime;  // UTC, ISO 8601
    long long created = 0; // seconds since 1970 of dateTime; 0: now
};

class ResultsWorkbook {
public:
    // A workbook that will replace `target` on finish(); the header line's cells name the results
    // columns, `utilisationColumns` are the columns coloured by their verdict.
    ResultsWorkbook(std::string target, const WorkbookProperties& properties, std::vector<std::string> header,
                    std::vector<bool> utilisationColumns);
    ~ResultsWorkbook();
    ResultsWorkbook(const ResultsWorkbook&) = delete;
    ResultsWorkbook& operator=(const ResultsWorkbook&) = delete;

    // Whether the workbook could be started; else failure() says why.
    bool ok() const;
    // One row of the results table as the text table writes it (TAB-separated cells, the line
    // end optional); a comment line is one cell.
    void addRow(const std::string& line);
    // The Summary sheet's rows: item and value (a value that reads as a number is a number).
    void setSummary(std::vector<std::pair<std::string, std::string>> rows);
    // The Envelope sheet: its header line and rows, TAB-separated as the envelope table.
    void setEnvelope(std::string header, std::vector<std::string> rows);
    // Writes the sheets and replaces the target; the reason of a failure, or nothing.
    std::optional<std::string> finish();
    std::string failure() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace korvel
