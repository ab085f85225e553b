#pragma once

// The detail listing of korvel-batch: every input and every intermediate quantity of one
// calculated case, one per line as "name = value" with the engineering symbols as names, so
// that a hand calculation can be checked against it step by step.

#include "design/design_case.h"

#include <ostream>

namespace korvel {

void writeCaseDetail(std::ostream& out, const DesignCase& dc);

} // namespace korvel
