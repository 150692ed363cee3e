#include "bench/program_run.h"

#include "tools/exec_arguments.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvell::bench {

namespace {

// A waited-for child's I/O is added to its parent's counts, so the parent's
// own read_bytes before and after the wait tell what the child read from
// storage (rather than from the page cache).
std::uint64_t readBytesFromStorage() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "read_bytes:") {
            return value;
        }
    }
    return 0;
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

} // namespace

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd,
                      const std::map<std::string, std::string>& env) {
    const tools::ExecArguments exec(program, args, env);

    std::FILE* errFile = std::tmpfile();
    if (errFile == nullptr) {
        throw std::runtime_error("no temporary file for the program's standard error");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ::fileno(errFile), 2);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    ProgramRun run;
    const std::uint64_t readBefore = readBytesFromStorage();
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, exec.argv()[0], &actions, nullptr, exec.argv(), exec.envp());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fclose(errFile);
        throw std::runtime_error("cannot start " + program.string());
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.wall = std::chrono::steady_clock::now() - start;
    run.bytesFromStorage = readBytesFromStorage() - readBefore;
    run.cpu = std::chrono::duration<double>(seconds(usage.ru_utime) + seconds(usage.ru_stime));
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

    std::rewind(errFile);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, errFile)) > 0;) {
        run.err.append(buffer, got);
    }
    std::fclose(errFile);
    return run;
}

} // namespace quorvell::bench
