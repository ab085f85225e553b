// The project-file reader on arbitrary file content. Properties:
//  - a file that does not read leaves the case as it was;
//  - a file that reads, written and read again, gives the same case: every value the file holds
//    is equal, bit for bit in its precision (the values are written exactly);
//  - writing that case again gives the identical text: saving an opened file never changes it
//    a second time.

#include "design/design_case.h"
#include "files/project_file.h"
#include "fuzz_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace korvel;

namespace {

// Equal as stored: a float or double compared by its bits, so that 0 and -0 differ as well.
template <typename T>
bool same(T a, T b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool sameDims(const ProfileDims& a, const ProfileDims& b) {
    return same(a.H, b.H) && same(a.B, b.B) && same(a.tw, b.tw) && same(a.tf, b.tf) && same(a.a, b.a);
}

bool sameDims(const GirderDims& a, const GirderDims& b) {
    return same(a.H, b.H) && same(a.B, b.B) && same(a.tw, b.tw) && same(a.tf, b.tf);
}

// Every field a project file holds, and the remembered sets reading fills from them.
bool sameFileContent(const DesignCase& a, const DesignCase& b) {
    const bool texts = a.projectName == b.projectName && a.identification == b.identification;
    const bool codes = a.plateMaterial == b.plateMaterial && a.stiffenerMaterial == b.stiffenerMaterial &&
                       a.stiffenerType == b.stiffenerType && a.bfRow == b.bfRow && a.lRow == b.lRow &&
                       a.tRow == b.tRow && a.flatbarRow == b.flatbarRow && a.girderType == b.girderType &&
                       a.loadingCondition == b.loadingCondition && a.structureType == b.structureType &&
                       a.structureOption == b.structureOption;
    const bool singles = same(a.UL, b.UL) && same(a.FS, b.FS) && same(a.UF, b.UF) && same(a.Fup, b.Fup) &&
                         same(a.Fus, b.Fus) && same(a.E, b.E) && same(a.Lgs, b.Lgs) && same(a.SigxB, b.SigxB) &&
                         same(a.SigyC, b.SigyC) && same(a.Tau, b.Tau) && same(a.H, b.H) && same(a.B, b.B) &&
                         same(a.tw, b.tw) && same(a.tf, b.tf) && same(a.bfCol4, b.bfCol4) && same(a.a, b.a);
    const bool doubles = same(a.Fyp, b.Fyp) && same(a.Fys, b.Fys) && same(a.s1, b.s1) && same(a.s2, b.s2) &&
                         same(a.L1, b.L1) && same(a.L2, b.L2) && same(a.Lg, b.Lg) && same(a.Lt, b.Lt) &&
                         same(a.t, b.t) && same(a.SigxA, b.SigxA) && same(a.SigyA, b.SigyA) && same(a.p, b.p) &&
                         same(a.ps, b.ps) && same(a.A, b.A);
    const bool sets = sameDims(a.lBuiltUp, b.lBuiltUp) && sameDims(a.tBuiltUp, b.tBuiltUp) &&
                      sameDims(a.flatbarBuiltUp, b.flatbarBuiltUp) && sameDims(a.rhs, b.rhs) &&
                      sameDims(a.trapez, b.trapez) && sameDims(a.iBuiltUp, b.iBuiltUp) &&
                      sameDims(a.lGirder, b.lGirder) && sameDims(a.tGirder, b.tGirder);
    return texts && codes && singles && doubles && sets;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Catalogue catalogue = fuzzCatalogue();
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    DesignCase dc;
    const DesignCase before = dc;
    if (readProjectText(text, catalogue, dc)) {
        if (!sameFileContent(dc, before)) std::abort();
        return 0;
    }
    const std::string written = projectFileText(dc);
    DesignCase again;
    if (readProjectText(written, catalogue, again)) std::abort();
    if (!sameFileContent(dc, again)) std::abort();
    if (projectFileText(again) != written) std::abort();
    return 0;
}
