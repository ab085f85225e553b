// Writes the benchmarks' generated batch input to a file, so that korvel-batch and the floor
// program can be timed on the very cases the benchmarks run: write_generated_cases CASES OUT.kori

#include "generated_cases.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string_view>

int main(int argc, char** argv) {
    int cases = 0;
    const std::string_view count = argc == 3 ? argv[1] : "";
    if (argc != 3 || std::from_chars(count.data(), count.data() + count.size(), cases).ec != std::errc() || cases < 1) {
        std::fputs("usage: write_generated_cases CASES OUT.kori\n", stderr);
        return 2;
    }
    const korvel::Catalogue* cat = korvel::bench::tables();
    if (cat == nullptr) {
        std::fputs("write_generated_cases: the tables beside the program cannot be read\n", stderr);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    // A comment line stands in every hundredth entry.
    out << korvel::bench::generatedCases(*cat, cases + cases / 99 + 1);
    return out.flush() ? 0 : 1;
}
