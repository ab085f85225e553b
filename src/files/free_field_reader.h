#pragma once

// Reads the values of a free-field sequential text file, the form of the catalogue and material
// tables: values separated by commas or line ends, so that one record may stand on one line or
// spread over several; texts unquoted (ending at the next comma or line end) or in double quotes
// (then they may hold commas); numbers always with a period, whatever the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// One value as it stands in the file, blanks around it removed.
struct FreeField {
    std::string text;
    bool quoted = false;
    int line = 0; // line (counting from 1) on which the value begins
    bool operator==(const FreeField& o) const { return text == o.text && quoted == o.quoted && line == o.line; }
};

// What one read gives: a value, the end of the file, or a malformed value with the reason.
struct FreeFieldRead {
    enum class Status { value, endOfFile, malformed };
    Status status = Status::endOfFile;
    FreeField field;     // set when status is value
    std::string problem; // set when status is malformed
};

class FreeFieldReader {
public:
    // The whole file content; the reader keeps its own copy.
    explicit FreeFieldReader(std::string content);

    // True when no further value begins: only blanks and line ends remain. Blank lines at the
    // end of a file are therefore accepted, as editors like to leave them. A comma always opens
    // a value, so after a trailing comma the file is not at its end.
    bool atEnd();

    // The next value; at the end of the file status endOfFile, after a comma an empty value.
    FreeFieldRead next();

private:
    void skipBlanks();
    bool skipLineEnd();
    void skipSeparatorsBeforeValue();

    std::string content_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool afterComma_ = false; // the previous value ended at a comma: the next one starts here
};

} // namespace korvel
