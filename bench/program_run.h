#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quorvell::bench {

struct ProgramRun {
    int exitStatus = -1; // -1 when the program did not exit normally
    std::chrono::duration<double> wall{};
    std::chrono::duration<double> cpu{}; // user plus system time of the program
    std::uint64_t bytesFromStorage = 0;  // read_bytes of /proc/self/io that the run added
    std::string err;                     // what the program wrote to standard error
};

// Runs program with args in folder cwd with exactly the environment env,
// standard input and output on /dev/null, and waits for it. The wall time
// runs from just before the start to just after the wait.
ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& cwd,
                      const std::map<std::string, std::string>& env);

} // namespace quorvell::bench
