#pragma once

// Running one of the built programs as the user runs it: spawned directly (no shell), with its
// standard output and error caught in files of a temporary folder.

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>

#include <string>
#include <vector>

extern char** environ;

namespace korvel {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Starts `program` with `args`, its standard streams on the files given (an empty path: the
// test's own), without waiting for it; -1 when it cannot be started.
inline pid_t startProgram(const fs::path& program, const std::vector<std::string>& args, const std::string& inputPath,
                          const std::string& outputPath, const std::string& errorPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputPath.empty())
        posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!errorPath.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!inputPath.empty()) posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);

    std::vector<std::string> all = {program.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return -1;
    }
    return pid;
}

// Waits until `ready()` holds; false when it still does not after `seconds`, the guard that keeps a
// fault from hanging the test run.
inline bool waitUntil(const std::function<bool()>& ready, int seconds = 20) {
    for (int wait = 0; wait < seconds * 100; ++wait) {
        if (ready()) return true;
        usleep(10000);
    }
    return ready();
}

// The wait status of a started program, or nothing when it has not ended after `seconds`: it is
// then killed, so that a program that hangs fails its test instead of the whole run.
inline std::optional<int> waitForExit(pid_t pid, int seconds = 20) {
    int status = 0;
    if (pid <= 0) return std::nullopt;
    if (waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds)) return status;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return std::nullopt;
}

// Runs `program` with `args`, its standard input read from `inputPath` when one is given.
inline ProgramRun runProgram(const fs::path& program, const TempFolder& folder, const std::vector<std::string>& args,
                             const std::string& inputPath = {}) {
    const std::string outPath = folder.file("stdout.txt");
    const std::string errPath = folder.file("stderr.txt");
    ProgramRun run;
    const pid_t pid = startProgram(program, args, inputPath, outPath, errPath);
    if (pid <= 0) return run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

} // namespace korvel
