#include "xlsx/workbook_reader.h"

#include "design/number_parser.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace korvel {

namespace {

// The text fields of a batch line: project, identification, the profile tokens and dimensions.
constexpr std::array<std::size_t, 6> textFields = {0, 1, 13, 14, 15, 16};

bool isTextField(std::size_t column) {
    return std::find(textFields.begin(), textFields.end(), column) != textFields.end();
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// "A" → 0, "AB" → 27; the letters of a cell reference such as "AB12". -1 when there are none.
long columnOf(const std::string& reference) {
    long column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && std::isalpha(static_cast<unsigned char>(reference[i])); ++i) {
        column = column * 26 + (std::toupper(static_cast<unsigned char>(reference[i])) - 'A' + 1);
        if (column > 16384) return -1; // beyond the widest sheet
    }
    return i == 0 ? -1 : column - 1;
}

std::string columnName(std::size_t column) {
    std::string name;
    for (std::size_t c = column + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name;
}

// One XML document read by expat, its events passed on with the element's local name (the
// namespace prefix dropped) and attributes.
struct XmlHandlers {
    std::function<void(const std::string& name, const std::map<std::string, std::string>& attributes)> start;
    std::function<void(const std::string& name)> end;
    std::function<void(const char* text, int length)> text;
};

std::string localName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool parseXml(const std::string& document, XmlHandlers& handlers) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) return false;
    XML_SetUserData(parser, &handlers);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto& h = *static_cast<XmlHandlers*>(data);
            if (!h.start) return;
            std::map<std::string, std::string> map;
            for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
                map[localName(attributes[i])] = attributes[i + 1];
            h.start(localName(name), map);
        },
        [](void* data, const XML_Char* name) {
            auto& h = *static_cast<XmlHandlers*>(data);
            if (h.end) h.end(localName(name));
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto& h = *static_cast<XmlHandlers*>(data);
        if (h.text) h.text(text, length);
    });
    const bool ok = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

// The ZIP archive of the workbook, its members read whole (a workbook's parts are small beside
// what the batch holds; a sheet of a million rows is read once).
class Archive {
public:
    explicit Archive(const std::string& path) {
        int error = 0;
        zip_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
    }
    ~Archive() {
        if (zip_) zip_close(zip_);
    }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    bool ok() const { return zip_ != nullptr; }
    std::optional<std::string> read(const std::string& name) const {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(zip_, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return std::nullopt;
        // A part larger than a workbook sheet can be is a damaged or hostile archive.
        if (stat.size > (std::uint64_t{1} << 31)) return std::nullopt;
        zip_file_t* file = zip_fopen(zip_, name.c_str(), 0);
        if (!file) return std::nullopt;
        std::string content(static_cast<std::size_t>(stat.size), '\0');
        const zip_int64_t got = zip_fread(file, content.data(), stat.size);
        zip_fclose(file);
        if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size) return std::nullopt;
        return content;
    }

private:
    zip_t* zip_ = nullptr;
};

// Number formats that show a date or a time: the built-in ones and custom codes with date or
// time letters outside quotes and brackets.
bool isDateFormat(int id, const std::string& code) {
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47)) return true;
    bool quoted = false, bracket = false;
    for (const char c : code) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '[') bracket = true;
        if (c == ']') bracket = false;
        if (bracket) continue;
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 's') return true;
    }
    return false;
}

struct Cell {
    std::string type; // t: "s", "str", "inlineStr", "n" (or empty), "b", "e", "d"
    int style = 0;
    bool formula = false;
    bool hasValue = false;
    std::string value;
};

using Row = std::map<std::size_t, Cell>;

struct Sheet {
    std::map<long, Row> rows;
    std::vector<std::string> merged;
};

Sheet readSheet(const std::string& xml, bool& ok) {
    Sheet sheet;
    long row = 0;
    std::size_t nextColumn = 0;
    Cell cell;
    std::size_t column = 0;
    std::string* collecting = nullptr;
    bool inCell = false, inInline = false;
    XmlHandlers h;
    h.start = [&](const std::string& name, const std::map<std::string, std::string>& a) {
        if (name == "row") {
            const auto r = a.find("r");
            row = r != a.end() ? std::atol(r->second.c_str()) : row + 1;
            nextColumn = 0;
        } else if (name == "c") {
            cell = Cell{};
            inCell = true;
            const auto r = a.find("r");
            const long c = r != a.end() ? columnOf(r->second) : static_cast<long>(nextColumn);
            column = c >= 0 ? static_cast<std::size_t>(c) : nextColumn;
            nextColumn = column + 1;
            if (const auto t = a.find("t"); t != a.end()) cell.type = t->second;
            if (const auto s = a.find("s"); s != a.end()) cell.style = std::atoi(s->second.c_str());
        } else if (inCell && name == "f") {
            cell.formula = true;
        } else if (inCell && name == "v") {
            cell.hasValue = true;
            collecting = &cell.value;
        } else if (inCell && name == "is") {
            inInline = true;
            cell.hasValue = true;
        } else if (inInline && name == "t") {
            collecting = &cell.value;
        } else if (name == "mergeCell") {
            if (const auto ref = a.find("ref"); ref != a.end()) sheet.merged.push_back(ref->second);
        }
    };
    h.end = [&](const std::string& name) {
        if (name == "v" || name == "t") collecting = nullptr;
        if (name == "is") inInline = false;
        if (name == "c") {
            inCell = false;
            if (row > 0) sheet.rows[row][column] = cell;
        }
    };
    h.text = [&](const char* text, int length) {
        if (collecting) collecting->append(text, static_cast<std::size_t>(length));
    };
    ok = parseXml(xml, h);
    return sheet;
}

struct Workbook {
    std::vector<std::pair<std::string, std::string>> sheets; // name, part in the archive
    std::vector<std::string> sharedStrings;
    std::vector<bool> dateStyles;
};

std::optional<Workbook> readWorkbookParts(const Archive& zip) {
    Workbook w;
    const std::optional<std::string> book = zip.read("xl/workbook.xml");
    const std::optional<std::string> rels = zip.read("xl/_rels/workbook.xml.rels");
    if (!book || !rels) return std::nullopt;
    std::map<std::string, std::string> targets;
    XmlHandlers relsHandlers;
    relsHandlers.start = [&](const std::string& name, const std::map<std::string, std::string>& a) {
        if (name != "Relationship") return;
        const auto id = a.find("Id");
        const auto target = a.find("Target");
        if (id == a.end() || target == a.end()) return;
        const std::string& t = target->second;
        targets[id->second] = t.rfind('/', 0) == 0 ? t.substr(1) : "xl/" + t;
    };
    if (!parseXml(*rels, relsHandlers)) return std::nullopt;
    XmlHandlers bookHandlers;
    bookHandlers.start = [&](const std::string& name, const std::map<std::string, std::string>& a) {
        if (name != "sheet") return;
        const auto sheetName = a.find("name");
        const auto id = a.find("id");
        if (sheetName == a.end() || id == a.end()) return;
        if (const auto t = targets.find(id->second); t != targets.end())
            w.sheets.emplace_back(sheetName->second, t->second);
    };
    if (!parseXml(*book, bookHandlers)) return std::nullopt;

    if (const std::optional<std::string> shared = zip.read("xl/sharedStrings.xml")) {
        bool inText = false;
        XmlHandlers s;
        s.start = [&](const std::string& name, const std::map<std::string, std::string>&) {
            if (name == "si") w.sharedStrings.emplace_back();
            if (name == "t") inText = true;
            // Phonetic runs are a reading aid, not the text.
            if (name == "rPh") inText = false;
        };
        s.end = [&](const std::string& name) {
            if (name == "t") inText = false;
        };
        s.text = [&](const char* text, int length) {
            if (inText && !w.sharedStrings.empty())
                w.sharedStrings.back().append(text, static_cast<std::size_t>(length));
        };
        if (!parseXml(*shared, s)) return std::nullopt;
    }
    if (const std::optional<std::string> styles = zip.read("xl/styles.xml")) {
        std::map<int, std::string> codes;
        bool inCellXfs = false;
        XmlHandlers s;
        s.start = [&](const std::string& name, const std::map<std::string, std::string>& a) {
            if (name == "numFmt") {
                const auto id = a.find("numFmtId");
                const auto code = a.find("formatCode");
                if (id != a.end() && code != a.end()) codes[std::atoi(id->second.c_str())] = code->second;
            } else if (name == "cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && name == "xf") {
                const auto id = a.find("numFmtId");
                const int format = id != a.end() ? std::atoi(id->second.c_str()) : 0;
                const auto code = codes.find(format);
                w.dateStyles.push_back(isDateFormat(format, code != codes.end() ? code->second : std::string()));
            }
        };
        s.end = [&](const std::string& name) {
            if (name == "cellXfs") inCellXfs = false;
        };
        if (!parseXml(*styles, s)) return std::nullopt;
    }
    return w;
}

// The text a cell shows the batch reader; the fault when it cannot be a batch field.
struct CellText {
    std::string text;
    std::string fault;
};

CellText cellText(const Cell& c, std::size_t column, const Workbook& w) {
    if (c.formula && (!c.hasValue || c.value.empty())) return {{}, "a formula without a cached value"};
    if (c.type == "b") return {{}, "a truth value"};
    if (c.type == "e") return {{}, "an error value (" + c.value + ")"};
    if (c.type == "d") return {{}, "a date"};
    std::string text;
    bool isText = c.type == "s" || c.type == "str" || c.type == "inlineStr";
    if (c.type == "s") {
        const long index = std::atol(c.value.c_str());
        if (index < 0 || static_cast<std::size_t>(index) >= w.sharedStrings.size())
            return {{}, "a shared text that the workbook does not hold"};
        text = w.sharedStrings[static_cast<std::size_t>(index)];
    } else {
        text = c.value;
    }
    if (text.find_first_of("\t\r\n") != std::string::npos) return {{}, "a TAB or a line break in the cell"};
    if (!isText && !text.empty()) {
        if (c.style >= 0 && static_cast<std::size_t>(c.style) < w.dateStyles.size() &&
            w.dateStyles[static_cast<std::size_t>(c.style)] && !isTextField(column))
            return {{}, "a date in a number column"};
        return {text, {}};
    }
    if (!isTextField(column) && !text.empty())
        return {{}, parseFileNumber(text) ? "a number stored as text" : "text \"" + text + "\" in a number column"};
    return {text, {}};
}

bool isHeaderRow(const Row& row, const Workbook& w) {
    if (row.size() != batchFieldNames.size()) return false;
    for (std::size_t c = 0; c < batchFieldNames.size(); ++c) {
        const auto at = row.find(c);
        if (at == row.end()) return false;
        const Cell& cell = at->second;
        std::string text = cell.value;
        if (cell.type == "s") {
            const long index = std::atol(cell.value.c_str());
            if (index < 0 || static_cast<std::size_t>(index) >= w.sharedStrings.size()) return false;
            text = w.sharedStrings[static_cast<std::size_t>(index)];
        }
        if (lower(text) != lower(batchFieldNames[c])) return false;
    }
    return true;
}

} // namespace

bool looksLikeWorkbook(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return in.gcount() == 4 && magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4;
}

std::variant<WorkbookBatch, WorkbookError> readWorkbookBatch(const std::string& path) {
    const auto fail = [&](const std::string& why) { return WorkbookError{path + ": " + why}; };
    Archive zip(path);
    if (!zip.ok()) return fail("not a workbook (.xlsx) that can be opened");
    const std::optional<Workbook> book = readWorkbookParts(zip);
    if (!book) return fail("the workbook's parts are missing or damaged");
    if (book->sheets.empty()) return fail("the workbook has no sheet");

    // The first sheet with the header; else the first sheet, its rows taken in batch order.
    std::optional<std::size_t> chosen;
    std::vector<Sheet> sheets;
    for (std::size_t i = 0; i < book->sheets.size(); ++i) {
        const std::optional<std::string> xml = zip.read(book->sheets[i].second);
        bool ok = false;
        sheets.push_back(xml ? readSheet(*xml, ok) : Sheet{});
        if (!xml || !ok) return fail("sheet " + book->sheets[i].first + " is missing or damaged");
        const Sheet& s = sheets.back();
        if (!s.rows.empty() && s.rows.begin()->first == 1 && isHeaderRow(s.rows.begin()->second, *book)) {
            chosen = i;
            break;
        }
    }
    const std::size_t index = chosen.value_or(0);
    const Sheet& sheet = sheets[index];
    const std::string& name = book->sheets[index].first;
    const bool header = chosen.has_value();
    const auto where = [&](long row, std::size_t column) {
        std::string at = "sheet " + name + ", row " + std::to_string(row) + ", column " + columnName(column);
        if (column < batchFieldNames.size()) at += std::string(" (") + batchFieldNames[column] + ")";
        return at;
    };
    if (!sheet.merged.empty())
        return fail("sheet " + name + ": merged cells " + sheet.merged.front() +
                    " (a case needs each field in a cell of its own)");

    WorkbookBatch out;
    out.sheet = name;
    long line = 0;
    for (const auto& [row, cells] : sheet.rows) {
        // Rows the sheet leaves out are blank lines of the batch text, so line numbers stay rows.
        for (++line; line < row; ++line) out.text += "%\r\n";
        if (header && row == 1) {
            out.text += "% header\r\n";
            continue;
        }
        const auto first = cells.find(0);
        const std::string lead = first == cells.end() ? std::string() : cellText(first->second, 0, *book).text;
        // A comment row and the End row stay as they are.
        if (!lead.empty() && (lead[0] == '%' || lower(lead) == "end")) {
            out.text += lead + "\r\n";
            continue;
        }
        std::vector<std::string> fields;
        for (const auto& [column, cell] : cells) {
            if (column >= batchFieldNames.size()) {
                if (!cell.value.empty()) return fail(where(row, column) + ": a cell beyond the 32 batch fields");
                continue;
            }
            const CellText t = cellText(cell, column, *book);
            if (!t.fault.empty()) return fail(where(row, column) + ": " + t.fault);
            fields.resize(std::max(fields.size(), column + 1));
            fields[column] = t.text;
        }
        if (fields.empty()) {
            out.text += "%\r\n";
            continue;
        }
        fields.resize(batchFieldNames.size());
        for (std::size_t c = 0; c < fields.size(); ++c) out.text += (c ? "\t" : "") + fields[c];
        out.text += "\r\n";
    }
    return out;
}

} // namespace korvel
