#pragma once

// Ctrl+C, a closed terminal or a termination request during a run into a file: the hidden
// temporary file beside the target is removed and a line says the target was not written, then
// the program ends by the signal as usual. The file that was there before stays as it was.

#include <filesystem>
#include <string>

namespace korvel {

// Installs the handlers (once, at the start of main).
void installInterruptCleanup();

// The temporary file to remove if a signal comes now, with the line to print; an empty path
// when there is none any longer.
void removeOnInterrupt(const std::filesystem::path& temporary, const std::string& message);

} // namespace korvel
