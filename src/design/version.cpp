#include "design/version.h"

#ifndef KORVEL_VERSION
#error "KORVEL_VERSION is defined by src/CMakeLists.txt from the project's version"
#endif

namespace korvel {

const char* programVersion() {
    return KORVEL_VERSION;
}

} // namespace korvel
