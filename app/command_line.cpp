#include "command_line.h"

#include "files/file_replacement.h"
#include "files/table_loader.h"

#include <cstdio>
#include <iostream>
#include <system_error>
#include <utility>
#include <variant>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace korvel {

fs::path programFolder(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self.parent_path();
    if (argv0 && *argv0) {
        const fs::path invoked = fs::absolute(fs::path(argv0), ec);
        if (!ec && invoked.has_parent_path()) return invoked.parent_path();
    }
    return fs::current_path(ec);
}

bool standardErrorIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

std::optional<Catalogue> loadTables(const fs::path& folder, const char* program) {
    CatalogueLoad load = loadCatalogue(folder);
    if (const auto* error = std::get_if<TableError>(&load)) {
        std::cerr << program << ": " << error->message() << '\n';
        return std::nullopt;
    }
    return std::get<Catalogue>(std::move(load));
}

std::optional<BatchStreamReader> openBatchInput(const std::string& input, DecimalMode mode,
                                                const Catalogue& catalogue) {
    std::optional<BatchStreamReader> opened;
    if (input == "-") {
        opened.emplace(std::cin, standardInputName, mode, catalogue);
        return opened;
    }
    auto file = BatchStreamReader::open(input, mode, catalogue);
    if (const auto* error = std::get_if<BatchError>(&file)) {
        std::cerr << error->message() << '\n';
        return opened;
    }
    opened.emplace(std::move(std::get<BatchStreamReader>(file)));
    return opened;
}

std::optional<std::string> inputWrittenOver(const std::string& output, const std::vector<std::string>& inputs) {
    if (output.empty() || output == "-") return std::nullopt;
    for (const std::string& input : inputs)
        if (!input.empty() && input != "-" && sameFile(input, output)) return input;
    return std::nullopt;
}

std::vector<std::string> tableFilesIn(const fs::path& folder) {
    std::vector<std::string> files;
    for (const char* name : {bfFileName, lFileName, tFileName, flatbarFileName, materialFileName})
        files.push_back((folder / name).string());
    return files;
}

std::optional<int> countIn(const std::string& text, int lowest, int highest) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < lowest || n > highest) return std::nullopt;
    return n;
}

} // namespace korvel
