#pragma once

// The entries of a batch input for a job that goes over them more than once (the batch report:
// the summary first, then a page per case). A regular file is read again from its start for each
// pass, so that a report of any length holds a few lines of it at a time; a list already read is
// gone over in memory, and an input that can be read only once (a FIFO, a device) is kept whole.

#include "design/catalogue.h"
#include "design/number_parser.h"
#include "files/batch_file.h"
#include "files/batch_stream.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace korvel {

class BatchEntrySource {
public:
    // The entries of `list`, which must outlive the source.
    explicit BatchEntrySource(const BatchList& list);
    // The file at `path`, read once through to find its cases and any fault in it; the failures
    // and messages of BatchStreamReader, which has the line limit but no limit on the entries.
    static std::variant<BatchEntrySource, BatchError> open(const std::string& path, DecimalMode mode,
                                                           const Catalogue& catalogue);

    // Back before the first entry. False with error() set when the file cannot be opened again.
    bool restart();
    // The next entry into `entry`; false after the last one (the "End" line) or on a fault, which
    // error() then holds: a file changed since it was first read may have one.
    bool next(BatchEntry& entry);

    const std::optional<BatchError>& error() const { return error_; }
    const std::string& fileName() const { return path_; }
    std::int64_t caseCount() const { return cases_; }

private:
    BatchEntrySource(std::string path, DecimalMode mode, const Catalogue& catalogue);

    std::string path_;
    DecimalMode mode_ = DecimalMode::period;
    const Catalogue* catalogue_ = nullptr;
    std::optional<BatchStreamReader> reader_; // a regular file, read again for each pass
    const BatchList* list_ = nullptr;         // else the entries in memory: a given list
    bool holds_ = false;                      // or the input read once, in held_
    BatchList held_;
    std::size_t position_ = 0;
    std::int64_t cases_ = 0;
    std::optional<BatchError> error_;
};

} // namespace korvel
