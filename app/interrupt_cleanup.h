#pragma once

// Ctrl+C, a closed terminal or a termination request during a run into files: the hidden
// temporary files beside the targets are removed and a line says the targets were not written,
// then the program ends by the signal as usual. The files that were there before stay as they were.
//
// A program may defer the signals while it calculates: the first one is then only noted, the
// program finishes the work in hand, saves what it has and ends by it (endByInterrupt); a second
// one, or one while it waits for input, ends it at once as above.

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace korvel {

// Installs the handlers (once, at the start of main).
void installInterruptCleanup();

// The temporary file to remove if a signal comes now, with the line to print; an empty path
// when there is none any longer.
void removeOnInterrupt(const std::filesystem::path& temporary, const std::string& message);
// The same for several temporary files (at most two); `standardOutputLine`, when given, is
// written to standard output first, ending a table written there.
void removeOnInterrupt(const std::vector<std::filesystem::path>& temporaries, const std::string& message,
                       const std::string& standardOutputLine = {});

// While `defer` holds, a first signal is only noted, and the flag below set.
void deferInterrupts(bool defer);
// Set when a signal has been noted: the stop flag of a study.
const std::atomic<bool>* interruptRequest();
// The signal noted, or 0.
int notedInterrupt();
// Ends the program by the noted signal, with the default action of that signal (a shell then
// shows 130 for Ctrl+C, 143 for a termination request).
[[noreturn]] void endByInterrupt();

} // namespace korvel
