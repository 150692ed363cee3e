#include "tests/e2e/run_program.h"

#include "tools/exec_arguments.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quorvell::testing {

namespace {

void drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return;
        }
        into.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

namespace {

struct Started {
    pid_t pid;
    int out;
    int err;
};

Started start(const std::filesystem::path& program, const std::vector<std::string>& args,
              const std::filesystem::path& cwd, const std::map<std::string, std::string>& env) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const tools::ExecArguments exec(program, args, env);

    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        if (::chdir(cwd.c_str()) != 0) {
            ::_exit(126);
        }
        ::execve(exec.argv()[0], exec.argv(), exec.envp());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(errPipe[0], F_SETFL, O_NONBLOCK);
    return {pid, outPipe[0], errPipe[0]};
}

ProgramRun collect(const Started& started, int timeoutSeconds,
                   const std::function<void(const ProgramRun&)>& whileRunning) {
    ProgramRun run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        pollfd fds[2] = {{started.out, POLLIN, 0}, {started.err, POLLIN, 0}};
        ::poll(fds, 2, 50);
        drain(started.out, run.out);
        drain(started.err, run.err);
        if (whileRunning) {
            whileRunning(run);
        }
        const pid_t done = ::waitpid(started.pid, &status, WNOHANG);
        if (done == started.pid) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(started.pid, SIGKILL);
            ::waitpid(started.pid, &status, 0);
            run.err += "\n[killed after timeout]";
            break;
        }
    }
    drain(started.out, run.out);
    drain(started.err, run.err);
    ::close(started.out);
    ::close(started.err);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd,
                      const std::map<std::string, std::string>& env, int timeoutSeconds,
                      const std::function<void(const ProgramRun&)>& whileRunning) {
    return collect(start(program, args, cwd, env), timeoutSeconds, whileRunning);
}

ProgramRun runProgramSignalled(const std::filesystem::path& program,
                               const std::vector<std::string>& args,
                               const std::filesystem::path& cwd,
                               const std::map<std::string, std::string>& env, int signal,
                               const std::function<void()>& wait) {
    const Started started = start(program, args, cwd, env);
    wait();
    ::kill(started.pid, signal);
    return collect(started, 60, {});
}

} // namespace quorvell::testing
