#pragma once

#include "design/input_box.h"

#include <string>

namespace korvel {

// Where geometry and input warnings go: message boxes on the screen, a log in a batch run.
// `focus` names the input box that should receive the focus after the message.
class WarningSink {
public:
    virtual ~WarningSink() = default;
    virtual void warn(const std::string& message, InputBox focus) = 0;
};

// For callers that have nobody to tell.
class IgnoreWarnings final : public WarningSink {
public:
    void warn(const std::string&, InputBox) override {}
};

} // namespace korvel
