#pragma once

// A batch input read line by line from a file or standard input, one entry at a time, so that a
// run of any length needs the memory of a few lines only. Entries and messages are those of
// readBatchText (the same line reader), with no limit on the number of entries.

#include "design/catalogue.h"
#include "design/number_parser.h"
#include "files/batch_file.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <variant>

namespace korvel {

// The name that messages give standard input: "standard input:12: ...".
inline constexpr const char* standardInputName = "standard input";

// A line longer than this is refused rather than held: a case line is a few hundred characters.
inline constexpr std::size_t maxBatchLineLength = std::size_t{1} << 20;

class BatchStreamReader {
public:
    // Reads `in` (which must outlive the reader), naming it `fileName` in messages.
    BatchStreamReader(std::istream& in, std::string fileName, DecimalMode mode, const Catalogue& catalogue);
    // Opens the file at `path`; the failures of readBatchFile ("file not found", ...).
    static std::variant<BatchStreamReader, BatchError> open(const std::string& path, DecimalMode mode,
                                                            const Catalogue& catalogue);

    enum class Next { entry, end, error };
    // The next entry into `entry` (its storage reused); `end` after the "End" line; `error` with
    // error() set for a faulty line, a file that ends without "End" or one that cannot be read.
    // Once it has answered `end` or `error` it answers so again.
    Next next(BatchEntry& entry);
    // The next line before the "End" line, not yet read as an entry, into `line` (valid until the
    // next call) with its number; `end` and `error` as next() answers them. The lines a reader
    // made by lineReader() reads are the entries next() gives.
    Next nextLine(std::string_view& line, int& lineNumber);
    const BatchLineReader& lineReader() const { return lines_; }

    // True when the next entry can be had without waiting for the input: a whole line is held, the
    // input has bytes ready or has ended. A run reading a pipe hands on what it has before it waits.
    bool lineWaiting();

    const BatchError& error() const { return error_; }
    const std::string& fileName() const { return lines_.fileName(); }
    // Bytes taken from the input so far, for an estimate of the time left.
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    // The next line without its line feed into `line`; false at the end of the input or on an
    // error (error_ set).
    bool takeLine(std::string_view& line);
    bool fill();

    std::unique_ptr<std::istream> owned_;
    std::istream* in_;
    BatchLineReader lines_;
    std::string buffer_;
    std::size_t start_ = 0; // first byte of buffer_ not yet taken
    std::uint64_t bytesRead_ = 0;
    int line_ = 0;
    bool inputEnded_ = false;
    Next finished_ = Next::entry; // entry while reading goes on
    BatchError error_;
};

} // namespace korvel
