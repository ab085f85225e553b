#pragma once

#include "design/warning_sink.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel {

// Remembers every warning in order, with the box that should take the focus.
class RecordingWarnings final : public WarningSink {
public:
    void warn(const std::string& message, InputBox focus) override { seen.emplace_back(message, focus); }
    std::vector<std::pair<std::string, InputBox>> seen;
};

} // namespace korvel
