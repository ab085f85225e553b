// The project-file reader on arbitrary file content. A file that reads must write and read
// again to the identical text: saving an opened file never changes it a second time.

#include "design/design_case.h"
#include "files/project_file.h"
#include "fuzz_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Catalogue catalogue = fuzzCatalogue();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    DesignCase dc;
    const DesignCase before = dc;
    if (readProjectText(text, catalogue, dc)) {
        // A file that does not read leaves the case as it was.
        if (projectFileText(dc) != projectFileText(before)) std::abort();
        return 0;
    }
    const std::string written = projectFileText(dc);
    DesignCase again;
    if (readProjectText(written, catalogue, again)) std::abort();
    const std::string rewritten = projectFileText(again);
    DesignCase third;
    if (readProjectText(rewritten, catalogue, third)) std::abort();
    if (projectFileText(third) != rewritten) std::abort();
    return 0;
}
