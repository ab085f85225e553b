// The batch reader on arbitrary input files, in both decimal modes (first byte). A list that
// reads is also run and written, for the first few cases, so that every value the reader lets
// through meets the calculation and the results formatter.

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_file.h"
#include "fuzz_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Catalogue catalogue = fuzzCatalogue();
    if (size == 0) return 0;
    const DecimalMode mode = data[0] & 1 ? DecimalMode::comma : DecimalMode::period;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    BatchRead read = readBatchText(text, "fuzz.kori", mode, catalogue);
    auto* list = std::get_if<BatchList>(&read);
    if (!list) {
        if (std::get<BatchError>(read).line < 1) std::abort(); // a text error always names its line
        return 0;
    }
    if (list->entries.size() > static_cast<std::size_t>(maxBatchEntries)) std::abort();
    if (list->entries.size() > 4) list->entries.resize(4);
    DesignCase dc;
    IgnoreWarnings warnings;
    const BatchResults results = runBatch(*list, dc, catalogue, warnings);
    if (results.summary.cases + results.summary.comments != static_cast<int>(list->entries.size())) std::abort();
    return 0;
}
