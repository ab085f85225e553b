#include "files/batch_file.h"

#include "checks/failed_checks.h"
#include "design/number_format.h"
#include "files/file_commands.h"
#include "files/file_replacement.h"
#include "sections/profile_types.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// ---- Running ---------------------------------------------------------------------------------

// The catalogue has no row at all for an "LR" or "BF" case: its own dimensions become the
// working profile, so that the results table shows what the file asked for.
void takeDimensionsOfEntry(const BatchEntry& e, DesignCase& dc) {
    dc.H = e.stiffener[0];
    if (e.stiffenerType == stiffBFTable) {
        dc.tw = e.stiffener[1];
        return;
    }
    dc.B = e.stiffener[1];
    dc.tw = e.stiffener[2];
    dc.tf = e.stiffener[3];
}

// ---- Writing ---------------------------------------------------------------------------------

// clang-format off
const char* const headerLabels[] = {
    "Project:", "Identification:", "Loading Cond:", "Factor of Safety F.S:", "Allowable Usage factor:",
    "Material-plate: Fy/Fu", "Material-stiff: Fy/Fu", "E-modulus:", "Bulkhead type:", "Unit Length:", "Stiffener:",
    "C-factor:", "Stiff Prof:", "Gird Prof:",
    "L1", "L2", "Lg", "Lgs", "Lt", "t", "s1", "s2", "SigxA", "SigxB", "SigyA", "SigyC", "Tau", "p", "ps",
    "Buckling", "UFpb", "UFpu", "UFpl", "UFb", "UFbt", "UFst", "UFgbu",
    "Scant/Yield", "UFt", "UFsm", "UFgm", "UFy", "UFyp", "UFys"};
// clang-format on
static_assert(std::size(headerLabels) == 44, "the results table has 44 columns");

const char* bulkheadText(int structureType) {
    switch (structureType) {
    case watertightBulkhead:
        return "Watertight bulkhead";
    case tankBulkhead:
        return "Tank bulkhead";
    default:
        return "Upper Structure";
    }
}

const char* optionText(int structureType, int option) {
    static const char* const texts[3][2] = {{" Ends attached", " No end attachment"},
                                            {" Clip attachment", " Supported at both ends by girder"},
                                            {" Clear of tanks", " In way of tanks"}};
    if (structureType < 0 || structureType > 2 || option < 0 || option > 1) return "";
    return texts[structureType][option];
}

const char* stiffenerToken(int stiffenerType) {
    switch (stiffenerType) {
    case stiffLTable:
        return "LR";
    case stiffLBuiltUp:
        return "LW";
    case stiffTBuiltUp:
        return "TG";
    case stiffIBuiltUp:
        return "IG";
    case stiffFlatbarBuiltUp:
        return "Fb";
    case stiffBFTable:
        return "BF";
    default:
        return "";
    }
}

class Row {
public:
    explicit Row(std::string& out) : out_(out) {}
    Row& cell(std::string_view text) {
        if (!first_) out_ += '\t';
        first_ = false;
        out_ += text;
        return *this;
    }
    Row& cell(double value, std::string_view mask) { return cell(formatNumber(value, mask)); }
    Row& cell(float value, std::string_view mask) { return cell(formatNumber(value, mask)); }
    Row& general(double value) { return cell(generalNumber(value)); }
    Row& general(float value) { return cell(generalNumber(value)); }
    void end() { out_ += "\r\n"; }

private:
    std::string& out_;
    bool first_ = true;
};

std::string stiffenerProfileText(const DesignCase& dc) {
    std::string text = stiffenerToken(dc.stiffenerType);
    text += formatNumber(dc.H, "00");
    text += 'x';
    if (dc.stiffenerType == stiffFlatbarBuiltUp || dc.stiffenerType == stiffBFTable)
        return text + formatNumber(dc.tw, "0.0");
    text += formatNumber(dc.B, "00");
    text += 'x';
    text += formatNumber(dc.tw, "0.0");
    text += 'x';
    return text + formatNumber(dc.tf, "#0.0");
}

std::string girderProfileText(const DesignCase& dc) {
    const GirderDims* g = girderDims(dc, dc.girderType);
    if (!g) return {};
    return std::string(dc.girderType == girderL ? "LG" : "TG") + formatNumber(g->H, "00") + "x" +
           formatNumber(g->B, "00") + "x" + formatNumber(g->tw, "0.0") + "x" + formatNumber(g->tf, "#0.0");
}

} // namespace

void runBatchCase(const BatchEntry& e, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings) {
    dc.projectName = e.firstText;
    dc.identification = e.secondText;
    dc.loadingCondition = e.loadingCondition;
    dc.FS = static_cast<float>(e.FS);
    dc.UF = static_cast<float>(e.UF);
    dc.Fyp = e.Fyp;
    dc.Fup = static_cast<float>(e.Fup);
    dc.Fys = e.Fys;
    dc.Fus = static_cast<float>(e.Fus);
    dc.E = static_cast<float>(e.E);
    dc.structureType = e.structureType;
    dc.UL = static_cast<float>(e.UL);
    dc.structureOption = e.structureOption;
    dc.s1 = e.s1;
    dc.s2 = e.s2;
    dc.SigxA = e.SigxA;
    dc.SigxB = static_cast<float>(e.SigxB);
    dc.SigyA = e.SigyA;
    dc.SigyC = static_cast<float>(e.SigyC);
    dc.Tau = static_cast<float>(e.Tau);
    dc.p = e.p;
    dc.ps = e.ps;
    dc.t = e.t;
    dc.L1 = e.L1;
    dc.L2 = e.L2;
    dc.Lg = e.Lg;
    dc.Lgs = static_cast<float>(e.Lgs);
    dc.Lt = e.Lt;

    // The user-defined grade keeps the file's strengths in force.
    dc.plateMaterial = catalogue.materials.lastRow();
    dc.stiffenerMaterial = catalogue.materials.lastRow();

    dc.stiffenerType = e.stiffenerType;
    bool profileInTable = true;
    if (e.stiffenerType == stiffLTable) {
        dc.lRow = e.lRow;
        profileInTable = catalogue.l.hasRow(e.lRow);
    } else if (e.stiffenerType == stiffBFTable) {
        dc.bfRow = e.bfRow;
        profileInTable = catalogue.bf.hasRow(e.bfRow);
    } else if (ProfileDims* dims = builtUpDims(dc, e.stiffenerType)) {
        dims->H = e.stiffener[0];
        if (e.stiffenerType == stiffFlatbarBuiltUp) {
            dims->tw = e.stiffener[1];
        } else {
            dims->B = e.stiffener[1];
            dims->tw = e.stiffener[2];
            dims->tf = e.stiffener[3];
        }
    }
    dc.girderType = e.girderType;
    if (GirderDims* girder = girderDims(dc, e.girderType)) *girder = e.girder;

    if (!e.tableRowNote.empty()) warnings.warn(e.tableRowNote, InputBox::none);
    prepareLoadedCase(dc, catalogue, warnings);
    // No row to take the profile from: the calculation stopped in the profile selection, and
    // the table shows the profile the file asked for.
    if (!profileInTable) takeDimensionsOfEntry(e, dc);
}

std::string batchResultsHeader() {
    std::string out;
    Row row(out);
    for (const char* label : headerLabels) row.cell(label);
    row.end();
    return out;
}

void appendBatchResultLine(std::string& out, const DesignCase& dc) {
    static const char* const conditions[] = {"A", "B", "C"};
    const Results& uf = dc.uf;
    Row row(out);
    row.cell(dc.projectName).cell(dc.identification);
    row.cell(dc.loadingCondition >= 0 && dc.loadingCondition <= 2 ? conditions[dc.loadingCondition] : "");
    row.cell(dc.FS, "0.00").cell(dc.UF, "0.00");
    row.cell(formatNumber(dc.Fyp, "0") + "/" + formatNumber(dc.Fup, "0"));
    row.cell(formatNumber(dc.Fys, "0") + "/" + formatNumber(dc.Fus, "0"));
    row.cell(dc.E, "0.00E+0");
    row.cell(bulkheadText(dc.structureType));
    if (dc.structureType == watertightBulkhead)
        row.cell(dc.UL, "00");
    else
        row.cell("-");
    row.cell(optionText(dc.structureType, dc.structureOption));
    row.cell(dc.cStiffener, "0.00");
    row.cell(stiffenerProfileText(dc)).cell(girderProfileText(dc));
    row.general(dc.L1).general(dc.L2).general(dc.Lg).general(dc.Lgs).general(dc.Lt).general(dc.t);
    row.general(dc.s1).general(dc.s2);
    row.general(dc.SigxA).general(dc.SigxB).general(dc.SigyA).general(dc.SigyC).general(dc.Tau);
    row.general(dc.p).general(dc.ps);
    row.cell("Buckling");
    row.cell(uf.UFpb, "0.00").cell(uf.UFpu, "0.00").cell(uf.UFpl, "0.00");
    if (uf.UFbu == notInCompression)
        row.cell("N/A").cell("N/A");
    else
        row.cell(uf.UFbu, "0.00").cell(uf.UFbt, "0.00");
    row.cell(uf.UFs, "0.00").cell(uf.UFgbu, "0.00");
    row.cell("Scant/Yield");
    row.cell(uf.UFt, "0.00").cell(uf.UFsm, "0.00").cell(uf.UFgm, "0.00");
    row.cell(uf.UFy, "0.0#").cell(uf.UFyp, "0.00").cell(uf.UFys, "0.00");
    row.end();
}

void runBatchCaseForResults(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue,
                            WarningSink& warnings) {
    dc.composeTexts = false;
    runBatchCase(entry, dc, catalogue, warnings);
    dc.composeTexts = true;
}

void finishResultsRun(const BatchList& list, DesignCase& dc, const Catalogue& catalogue) {
    const auto last =
        std::find_if(list.entries.rbegin(), list.entries.rend(), [](const BatchEntry& e) { return e.isCase(); });
    if (last == list.entries.rend()) return;
    IgnoreWarnings alreadyGiven;
    runBatchCase(*last, dc, catalogue, alreadyGiven);
}

namespace {

// Runs every entry in file order and hands each line of the results table to `emit` as soon as
// it is composed: the table is never held whole.
BatchSummary runEntries(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                        const BatchHooks& hooks, const std::function<void(std::string_view)>& emit) {
    BatchSummary summary;
    emit(batchResultsHeader());
    std::string line;
    line.reserve(512);
    const int total = static_cast<int>(list.entries.size());
    int done = 0;
    for (const BatchEntry& e : list.entries) {
        line.clear();
        if (e.isCase()) {
            if (hooks.beforeCase) hooks.beforeCase(e);
            runBatchCaseForResults(e, dc, catalogue, warnings);
            appendBatchResultLine(line, dc);
            ++summary.cases;
            summary.failed.add(failedChecks(dc));
            if (dc.fault.stopped()) ++summary.stopped;
            if (hooks.afterCase) hooks.afterCase(e, dc);
        } else {
            line += e.firstText;
            line += "\r\n";
            ++summary.comments;
        }
        emit(line);
        if (hooks.progress) hooks.progress(++done, total);
    }
    finishResultsRun(list, dc, catalogue);
    return summary;
}

} // namespace

BatchResults runBatch(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                      const BatchHooks& hooks) {
    BatchResults results;
    results.text.reserve(list.entries.size() * 320);
    results.summary =
        runEntries(list, dc, catalogue, warnings, hooks, [&](std::string_view line) { results.text += line; });
    return results;
}

std::variant<BatchSummary, std::string> writeBatchResults(const std::string& outputPath, const BatchList& list,
                                                          DesignCase& dc, const Catalogue& catalogue,
                                                          WarningSink& warnings, const BatchHooks& hooks) {
    BatchSummary summary;
    bool ran = false;
    const auto failure = replaceFileWith(fs::path(outputPath), [&](std::ostream& out) {
        ran = true;
        summary = runEntries(list, dc, catalogue, warnings, hooks, [&out](std::string_view line) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        });
    });
    // Even when the table cannot be written the cases run, so that the design case holds the
    // last one as after any results run.
    if (!ran) runEntries(list, dc, catalogue, warnings, hooks, [](std::string_view) {});
    if (failure) return saveFailureMessage(outputPath, *failure);
    return summary;
}

std::string batchOutputPath(const std::string& inputPath) {
    const std::size_t nameStart = inputPath.find_last_of("/\\");
    const std::size_t nameLength = inputPath.size() - (nameStart == std::string::npos ? 0 : nameStart + 1);
    constexpr std::string_view inputExtension = ".kori";
    // A name that is only ".kori" keeps it: its table is ".kori.koro", not a bare ".koro".
    if (nameLength <= inputExtension.size()) return inputPath + ".koro";
    const std::size_t cut = inputPath.size() - inputExtension.size();
    for (std::size_t i = 0; i < inputExtension.size(); ++i) {
        const char c = inputPath[cut + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != inputExtension[i]) return inputPath + ".koro";
    }
    return inputPath.substr(0, cut) + ".koro";
}

StartupBatch runStartupBatch(const fs::path& programFolder, DesignCase& dc, const Catalogue& catalogue,
                             DecimalMode mode, WarningSink& warnings) {
    StartupBatch outcome;
    const std::string input = (programFolder / startupBatchInput).string();
    BatchRead read = readBatchFile(input, mode, catalogue);
    if (auto* error = std::get_if<BatchError>(&read)) {
        outcome.status = error->notFound ? StartupBatch::Status::inputMissing : StartupBatch::Status::inputUnreadable;
        outcome.message = error->notFound ? "can't find file - " + input : error->message();
        return outcome;
    }
    outcome.list = std::move(std::get<BatchList>(read));

    // The first case is shown first, as when a batch file is opened in the batch window.
    const int first = outcome.list.caseIndex(1);
    if (first >= 0) runBatchCase(outcome.list.entries[static_cast<std::size_t>(first)], dc, catalogue, warnings);

    const std::string output = (programFolder / startupBatchOutput).string();
    auto written = writeBatchResults(output, outcome.list, dc, catalogue, warnings);
    if (auto* why = std::get_if<std::string>(&written)) {
        outcome.status = StartupBatch::Status::outputNotWritten;
        outcome.message = *why;
        outcome.summary = {};
        return outcome;
    }
    outcome.summary = std::get<BatchSummary>(written);
    return outcome;
}

} // namespace korvel
