#pragma once

// Running one of the built programs as the user runs it: spawned directly (no shell), with its
// standard output and error caught in files of a temporary folder.

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace korvel {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `args`, its standard input read from `inputPath` when one is given.
inline ProgramRun runProgram(const fs::path& program, const TempFolder& folder, const std::vector<std::string>& args,
                             const std::string& inputPath = {}) {
    const std::string outPath = folder.file("stdout.txt");
    const std::string errPath = folder.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!inputPath.empty()) posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);

    std::vector<std::string> all = {program.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << program;
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

} // namespace korvel
