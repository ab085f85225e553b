#pragma once

// A panel's envelope as JSON, one object on one line ending in a line feed, after the cases of a
// run in JSON Lines (docs/results-schema.json, "kind": "panel"). Values as the case objects write
// them: the shortest text that reads back to the held number (a single-precision check as its
// float).

#include "files/panel_envelope.h"

#include <string>

namespace korvel {

void appendEnvelopeJson(std::string& out, const PanelEnvelope& panel);

} // namespace korvel
