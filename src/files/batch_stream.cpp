#include "files/batch_stream.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <streambuf>
#include <string>
#include <utility>

namespace korvel {

namespace {
constexpr std::size_t blockSize = std::size_t{1} << 16;
} // namespace

BatchStreamReader::BatchStreamReader(std::istream& in, std::string fileName, DecimalMode mode,
                                     const Catalogue& catalogue)
    : in_(&in), lines_(std::move(fileName), mode, catalogue) {
    buffer_.reserve(2 * blockSize);
}

std::variant<BatchStreamReader, BatchError> BatchStreamReader::open(const std::string& path, DecimalMode mode,
                                                                    const Catalogue& catalogue) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    if (!fs::exists(status)) return BatchError{path, 0, "file not found", true};
    if (fs::is_directory(status)) return BatchError{path, 0, "is a folder, not a batch file", false};
    auto file = std::make_unique<std::ifstream>(fs::path(path), std::ios::binary);
    if (!file->is_open()) return BatchError{path, 0, "the file cannot be opened", false};
    BatchStreamReader reader(*file, path, mode, catalogue);
    reader.owned_ = std::move(file);
    return reader;
}

// Appends what the input has now (at most a block) to the buffer, dropping what was taken; false
// when the input has nothing more. It waits only for a first byte: a pipe or FIFO whose writer
// sends a line and keeps it open hands over that line, not a block's worth.
bool BatchStreamReader::fill() {
    if (inputEnded_) return false;
    buffer_.erase(0, start_);
    start_ = 0;
    const std::size_t kept = buffer_.size();
    std::size_t got = 0;
    bool failed = false;
    try {
        std::streambuf& source = *in_->rdbuf();
        if (!std::char_traits<char>::eq_int_type(source.sgetc(), std::char_traits<char>::eof())) {
            // At least the byte just looked at; an unbuffered stream tells of nothing more.
            const std::streamsize waiting = source.in_avail();
            const auto wanted = static_cast<std::size_t>(
                std::clamp<std::streamsize>(waiting, 1, static_cast<std::streamsize>(blockSize)));
            buffer_.resize(kept + wanted);
            got = static_cast<std::size_t>(source.sgetn(buffer_.data() + kept, static_cast<std::streamsize>(wanted)));
        }
    } catch (...) {
        // The file buffer reports a failed read of the disk by an exception.
        failed = true;
    }
    buffer_.resize(kept + got);
    bytesRead_ += got;
    if (failed) {
        error_ = BatchError{fileName(), 0, "the file cannot be read", false};
        finished_ = Next::error;
        inputEnded_ = true;
        return false;
    }
    if (got == 0) inputEnded_ = true;
    return got > 0;
}

bool BatchStreamReader::lineWaiting() {
    if (finished_ != Next::entry || inputEnded_ || buffer_.find('\n', start_) != std::string::npos) return true;
    try {
        // -1: the input has ended, so reading does not wait either.
        return in_->rdbuf()->in_avail() != 0;
    } catch (...) {
        return true;
    }
}

bool BatchStreamReader::takeLine(std::string_view& line) {
    std::size_t searched = start_;
    bool tooLong = false;
    for (;;) {
        const std::size_t end = buffer_.find('\n', searched);
        if (end != std::string::npos) {
            line = std::string_view(buffer_).substr(start_, end - start_);
            start_ = end + 1;
            break;
        }
        // A line without end is not held beyond the longest allowed.
        tooLong = buffer_.size() - start_ > maxBatchLineLength;
        if (tooLong) break;
        const std::size_t pending = buffer_.size() - start_;
        if (!fill()) {
            if (finished_ == Next::error) return false;
            // The last line may lack its line feed; an input that ends with one has no line after it.
            if (start_ == buffer_.size()) return false;
            line = std::string_view(buffer_).substr(start_);
            start_ = buffer_.size();
            break;
        }
        searched = pending; // the untaken bytes now begin the buffer
    }
    if (tooLong || line.size() > maxBatchLineLength) {
        error_ = BatchError{fileName(), line_ + 1,
                            "a line longer than " + std::to_string(maxBatchLineLength) + " characters", false};
        finished_ = Next::error;
        return false;
    }
    if (line_ == std::numeric_limits<int>::max()) {
        error_ = BatchError{fileName(), 0, "more than " + std::to_string(line_) + " lines", false};
        finished_ = Next::error;
        return false;
    }
    ++line_;
    // A byte-order mark left by an editor that saved the file as UTF-8 is not part of field 0.
    if (line_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    return true;
}

BatchStreamReader::Next BatchStreamReader::nextLine(std::string_view& line, int& lineNumber) {
    if (finished_ != Next::entry) return finished_;
    if (!takeLine(line)) {
        if (finished_ != Next::error)
            error_ = BatchError{fileName(), line_ + 1, "the file ends without an \"End\" line", false};
        finished_ = Next::error;
        return finished_;
    }
    if (BatchLineReader::isEndText(line)) return finished_ = Next::end;
    lineNumber = line_;
    return Next::entry;
}

BatchStreamReader::Next BatchStreamReader::next(BatchEntry& entry) {
    std::string_view line;
    int lineNumber = 0;
    if (const Next got = nextLine(line, lineNumber); got != Next::entry) return got;
    if (!lines_.readLine(line, lineNumber, entry)) {
        error_ = lines_.error();
        return finished_ = Next::error;
    }
    return Next::entry;
}

} // namespace korvel
