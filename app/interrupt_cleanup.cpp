#include "interrupt_cleanup.h"

#include <csignal>
#include <cstring>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace korvel {

namespace {

// The handler may only read plain memory and call async-signal-safe functions (unlink, write),
// so the path and the line are kept in fixed buffers, valid while `armed` is set.
char temporaryPath[4096];
char messageLine[4352];
volatile std::sig_atomic_t armed = 0;

extern "C" void onInterrupt(int signal) {
#if !defined(_WIN32)
    if (armed) {
        unlink(temporaryPath);
        const ssize_t written = write(STDERR_FILENO, messageLine, std::strlen(messageLine));
        (void)written;
    }
#endif
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void installInterruptCleanup() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#if !defined(_WIN32)
    std::signal(SIGHUP, onInterrupt);
#endif
}

void removeOnInterrupt(const std::filesystem::path& temporary, const std::string& message) {
    armed = 0;
    const std::string path = temporary.string();
    if (path.empty() || path.size() >= sizeof temporaryPath || message.size() + 2 >= sizeof messageLine) return;
    std::memcpy(temporaryPath, path.c_str(), path.size() + 1);
    std::memcpy(messageLine, message.c_str(), message.size());
    messageLine[message.size()] = '\n';
    messageLine[message.size() + 1] = '\0';
    armed = 1;
}

} // namespace korvel
