#include "interrupt_cleanup.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace korvel {

namespace {

// The handler may only read plain memory and call async-signal-safe functions (unlink, write),
// so the paths and the lines are kept in fixed buffers, valid while `armed` is set.
constexpr int maxTemporaries = 2;
char temporaryPaths[maxTemporaries][4096];
char messageLine[4352];
char outputLine[256];
volatile std::sig_atomic_t armed = 0;
volatile std::sig_atomic_t deferred = 0;
volatile std::sig_atomic_t noted = 0;
// A lock-free atomic may be stored to by a signal handler.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

#if !defined(_WIN32)
void writeAll(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = write(fd, text, left);
        if (written <= 0) return;
        text += written;
        left -= static_cast<std::size_t>(written);
    }
}
#endif

extern "C" void onInterrupt(int signal) {
    if (deferred && !noted) {
        noted = signal;
        requested.store(true);
        return;
    }
#if !defined(_WIN32)
    if (armed) {
        for (const char* path : temporaryPaths)
            if (*path) unlink(path);
        writeAll(STDOUT_FILENO, outputLine);
        writeAll(STDERR_FILENO, messageLine);
    }
#endif
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Copies `text` and a line feed into `buffer`; false when it does not fit.
template <std::size_t N>
bool copyLine(char (&buffer)[N], const std::string& text, bool lineFeed) {
    if (text.size() + 2 >= N) return false;
    std::memcpy(buffer, text.c_str(), text.size());
    std::size_t end = text.size();
    if (lineFeed && !text.empty()) buffer[end++] = '\n';
    buffer[end] = '\0';
    return true;
}

} // namespace

void installInterruptCleanup() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if !defined(_WIN32)
    std::signal(SIGHUP, onInterrupt);
#endif
}

void removeOnInterrupt(const std::vector<std::filesystem::path>& temporaries, const std::string& message,
                       const std::string& standardOutputLine) {
    armed = 0;
    if (temporaries.size() > maxTemporaries || (temporaries.empty() && standardOutputLine.empty())) return;
    for (std::size_t i = 0; i < maxTemporaries; ++i) {
        const std::string path = i < temporaries.size() ? temporaries[i].string() : std::string();
        if (!copyLine(temporaryPaths[i], path, false)) return;
    }
    if (!copyLine(messageLine, message, true) || !copyLine(outputLine, standardOutputLine, false)) return;
    armed = 1;
}

void removeOnInterrupt(const std::filesystem::path& temporary, const std::string& message) {
    if (temporary.empty()) {
        armed = 0;
        return;
    }
    removeOnInterrupt(std::vector<std::filesystem::path>{temporary}, message);
}

void deferInterrupts(bool defer) {
    deferred = defer ? 1 : 0;
}

const std::atomic<bool>* interruptRequest() {
    return &requested;
}

int notedInterrupt() {
    return noted;
}

void endByInterrupt() {
    const int signal = noted != 0 ? static_cast<int>(noted) : SIGINT;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    // A signal whose default action does not end the program (none of those handled).
    std::_Exit(128 + signal);
}

} // namespace korvel
