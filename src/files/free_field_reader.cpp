#include "files/free_field_reader.h"

#include <utility>

namespace korvel {

namespace {

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}
bool isLineEnd(char ch) {
    return ch == '\n' || ch == '\r';
}

} // namespace

FreeFieldReader::FreeFieldReader(std::string content) : content_(std::move(content)) {
    // A byte-order mark left by an editor that saved the file as UTF-8 is not part of a value.
    if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

void FreeFieldReader::skipBlanks() {
    while (pos_ < content_.size() && isBlank(content_[pos_])) ++pos_;
}

// Consumes one line end, CR LF, LF or a lone CR, and counts the line.
bool FreeFieldReader::skipLineEnd() {
    if (pos_ >= content_.size() || !isLineEnd(content_[pos_])) return false;
    if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
    return true;
}

// Between values a run of line ends is one separator, so blank lines between records (and at
// the start of the file) are passed over. Right after a comma a value has been opened: a line
// end there closes an empty value instead.
void FreeFieldReader::skipSeparatorsBeforeValue() {
    skipBlanks();
    if (afterComma_) return;
    while (skipLineEnd()) skipBlanks();
}

bool FreeFieldReader::atEnd() {
    if (afterComma_) return false;
    skipSeparatorsBeforeValue();
    return pos_ >= content_.size();
}

FreeFieldRead FreeFieldReader::next() {
    skipSeparatorsBeforeValue();
    FreeFieldRead read;
    if (pos_ >= content_.size() && !afterComma_) {
        read.status = FreeFieldRead::Status::endOfFile;
        return read;
    }
    read.status = FreeFieldRead::Status::value;
    read.field.line = line_;

    if (pos_ < content_.size() && content_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        std::size_t close = start;
        while (close < content_.size() && content_[close] != '"' && !isLineEnd(content_[close])) ++close;
        if (close >= content_.size() || content_[close] != '"') {
            read.status = FreeFieldRead::Status::malformed;
            read.problem = "the quoted text on line " + std::to_string(line_) + " has no closing quote";
            return read;
        }
        read.field.text = content_.substr(start, close - start);
        read.field.quoted = true;
        pos_ = close + 1;
        skipBlanks();
        if (pos_ < content_.size() && content_[pos_] != ',' && !isLineEnd(content_[pos_])) {
            read.status = FreeFieldRead::Status::malformed;
            read.problem = "unexpected text after the closing quote on line " + std::to_string(line_);
            return read;
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < content_.size() && content_[pos_] != ',' && !isLineEnd(content_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(content_[end - 1])) --end;
        read.field.text = content_.substr(start, end - start);
    }

    // The separator that ends the value.
    afterComma_ = false;
    if (pos_ < content_.size() && content_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
    } else {
        skipLineEnd();
    }
    return read;
}

} // namespace korvel
