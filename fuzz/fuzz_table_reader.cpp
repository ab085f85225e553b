// The catalogue and material table readers on arbitrary file content. The first byte picks the
// table kind; the rest is the file.

#include "files/table_loader.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 5) {
    case 0:
        (void)readProfileTable(TableKind::bulbFlat, "bfprof.dat", content);
        break;
    case 1:
        (void)readProfileTable(TableKind::l, "lprof.dat", content);
        break;
    case 2:
        (void)readProfileTable(TableKind::t, "tprof.dat", content);
        break;
    case 3:
        (void)readProfileTable(TableKind::flatbar, "fprof.dat", content);
        break;
    default:
        (void)readMaterialTable("KORmat.dat", content);
        break;
    }
    return 0;
}
