#pragma once

// Results as JSON, for scripts that read them without parsing the results table's masks: one
// object per case on one line (JSON Lines when a run streams them), its every input and
// intermediate quantity as --detail lists them, every utilisation with its state, the
// minimum-scantling rules answered OK or NOK, the verdict and where the calculation stopped.
// The schema is docs/results-schema.json.
//
// Numbers are written as the program holds them: the shortest text that reads back to the same
// double, or for a quantity held in single precision the same float (FS = 1.43, not
// 1.4299999475479126), a utilisation in its check's precision wherever it appears. A value that
// is not finite is null. Texts are UTF-8: a text that is no UTF-8 is read as Windows-1252, as the
// project reader reads the texts of older files.

#include "design/design_case.h"
#include "files/batch_file.h"
#include "files/table_stamps.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

// A utilisation's state as the JSON names it: "computed", "notApplicable", "notComputed".
const char* jsonStateName(ResultState state);

// `text` as a JSON string, quotes included.
void appendJsonString(std::string& out, std::string_view text);

// {"kind":"provenance",...}: the program version, the tables with their checksums, the time.
// Ends without a line feed.
void appendProvenanceJson(std::string& out, const Provenance& p);

// {"kind":"case",...} for case number `caseNumber` (counting from 1) just run into `dc`, on one
// line, ending in a line feed. With `provenance` the object carries it as its member
// "provenance" (a single case stands alone; a streamed run states it once, in its first line).
void appendCaseJson(std::string& out, const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc,
                    const Provenance* provenance = nullptr);

// `"asBuilt":{"verdict":...,"failed":[...],"utilisations":[...]}` of the case as built, beside a
// case run with gauged thicknesses: the two sets of utilisations of one case.
void appendAsBuiltJson(std::string& out, const DesignCase& asBuilt);

// {"kind":"comment","line":2,"text":"% ..."} and a line feed.
void appendCommentJson(std::string& out, const BatchEntry& entry);

} // namespace korvel
