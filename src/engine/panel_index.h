#pragma once

// Panels and load cases as a batch run names them: a case belongs to the panel named by its
// project and the part of its identification before the first "/"; the rest is its load case
// ("" when there is no "/"). Lines of one panel need not be adjacent, so the panels are found
// by name, in order of first appearance.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace korvel {

// "P7/storm/10yr" → {"P7", "storm/10yr"}; "P7" → {"P7", ""}.
std::pair<std::string_view, std::string_view> splitPanelIdentification(std::string_view identification);

// Where a case goes among the panels met so far.
struct PanelSlot {
    std::size_t index = 0; // the panel's position in order of first appearance
    bool added = false;    // the case opens a panel not met before: index is the next position
    std::string_view panel;
    std::string_view loadCase; // both views into the identification given
};

class PanelIndex {
public:
    PanelSlot place(const std::string& project, std::string_view identification);

private:
    // Project and panel, joined by a byte no text field holds, to the panel's position.
    std::unordered_map<std::string, std::size_t> index_;
    std::string key_;
};

} // namespace korvel
