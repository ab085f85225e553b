#pragma once

// Generated batch input for the benchmarks, and the tables of the program folder beside the
// benchmark executable.

#include "design/catalogue.h"
#include "files/table_loader.h"

#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <variant>

namespace korvel::bench {

namespace fs = std::filesystem;

inline fs::path programFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

inline const Catalogue* tables() {
    static const CatalogueLoad load = loadCatalogue(programFolder());
    return std::get_if<Catalogue>(&load);
}

// Plausible panels over every stiffener and girder token, all structure types and loading
// conditions, tension and compression; a comment line every hundred cases.
inline std::string generatedCases(const Catalogue& cat, int entries, unsigned seed = 2026) {
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto num = [](double v) { return std::to_string(v); };
    const char* tokens[] = {"LR", "LW", "TG", "FB", "BF", "IG"};
    std::string text = "% generated cases for the batch benchmark\r\n";
    for (int i = 1; i < entries; ++i) {
        if (i % 100 == 0) {
            text += "%block " + std::to_string(i / 100) + "\r\n";
            continue;
        }
        const std::string token = tokens[pick(6)];
        std::string dims;
        if (token == "LR") {
            const int r = pick(cat.l.lastRow + 1);
            dims = num(cat.l.value(r, 1)) + "x" + num(cat.l.value(r, 2)) + "x" + num(cat.l.value(r, 3)) + "x" +
                   num(cat.l.value(r, 4));
        } else if (token == "BF") {
            const int r = pick(cat.bf.lastRow + 1);
            dims = num(cat.bf.value(r, 1)) + "x" + num(cat.bf.value(r, 2));
        } else if (token == "FB") {
            dims = std::to_string(100 + 20 * pick(10)) + "x" + std::to_string(10 + pick(10));
        } else {
            dims = std::to_string(200 + 25 * pick(8)) + "x" + std::to_string(90 + 10 * pick(6)) + "x" +
                   std::to_string(8 + pick(5)) + "x" + std::to_string(10 + pick(8));
        }
        const int condition = pick(3);
        const double L1 = 2000 + 100 * pick(20);
        const double s = 500 + 25 * pick(12);
        text += "Bench\tC" + std::to_string(i) + "\t" + std::to_string(condition) + "\t" +
                (condition == 1 ? "1.11\t0.8" : "1.43\t0.6") + "\t355\t490\t355\t490\t206000\t" +
                std::to_string(pick(3)) + "\t" + std::to_string(20 + pick(60)) + "\t" + std::to_string(pick(2)) + "\t" +
                token + "\t" + dims + "\t" + (pick(2) ? "TG" : "LG") + "\t" + std::to_string(600 + 100 * pick(8)) +
                "x200x" + std::to_string(10 + pick(4)) + "x20\t" + num(L1) + "\t" + num(L1 + 100 * pick(5)) + "\t" +
                num(3 * L1) + "\t6000\t3000\t" + std::to_string(10 + pick(15)) + "\t" + num(s) + "\t" + num(s) + "\t" +
                num(-150 + pick(200)) + "\t" + num(-150 + pick(200)) + "\t" + num(-50 + pick(60)) + "\t" +
                num(-50 + pick(60)) + "\t" + num(pick(60)) + "\t" + num(0.01 * pick(10)) + "\t" + num(0.01 * pick(10)) +
                "\r\n";
    }
    return text + "End\r\n";
}

} // namespace korvel::bench
