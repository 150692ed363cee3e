#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quorvell::testing {

struct ProgramRun {
    int exitStatus = -1; // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs program with args in folder cwd with exactly the environment env, and
// waits for it (at most timeoutSeconds; then it is killed). whileRunning, if
// given, sees the output so far about every 50 ms.
ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd,
                      const std::map<std::string, std::string>& env, int timeoutSeconds = 60,
                      const std::function<void(const ProgramRun&)>& whileRunning = {});

// Runs program as runProgram does and sends it signal once wait returns.
ProgramRun runProgramSignalled(const std::filesystem::path& program,
                               const std::vector<std::string>& args,
                               const std::filesystem::path& cwd,
                               const std::map<std::string, std::string>& env, int signal,
                               const std::function<void()>& wait);

} // namespace quorvell::testing
