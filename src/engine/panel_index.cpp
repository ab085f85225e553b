#include "engine/panel_index.h"

namespace korvel {

std::pair<std::string_view, std::string_view> splitPanelIdentification(std::string_view identification) {
    const std::size_t slash = identification.find('/');
    if (slash == std::string_view::npos) return {identification, std::string_view()};
    return {identification.substr(0, slash), identification.substr(slash + 1)};
}

PanelSlot PanelIndex::place(const std::string& project, std::string_view identification) {
    const auto [panel, loadCase] = splitPanelIdentification(identification);
    // A project or identification never holds a TAB (the batch line is TAB-separated), so the
    // pair is one key without ambiguity.
    key_.assign(project);
    key_ += '\t';
    key_ += panel;
    const auto [at, added] = index_.try_emplace(key_, index_.size());
    return {at->second, added, panel, loadCase};
}

} // namespace korvel
