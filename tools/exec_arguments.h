#pragma once

// The argument and environment arrays that execve takes, built from strings
// and owning them: the tests and the program benchmark both start the built
// programs this way. POSIX only.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quorvell::tools {

class ExecArguments {
public:
    ExecArguments(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::map<std::string, std::string>& env)
        : args_{program.string()} {
        args_.insert(args_.end(), args.begin(), args.end());
        for (const auto& [name, value] : env) {
            env_.push_back(name + "=" + value);
        }
        argv_ = pointers(args_);
        envp_ = pointers(env_);
    }
    ExecArguments(const ExecArguments&) = delete;
    ExecArguments& operator=(const ExecArguments&) = delete;

    char* const* argv() const { return argv_.data(); }
    char* const* envp() const { return envp_.data(); }

private:
    static std::vector<char*> pointers(std::vector<std::string>& texts) {
        std::vector<char*> out;
        for (auto& text : texts) {
            out.push_back(text.data());
        }
        out.push_back(nullptr);
        return out;
    }

    std::vector<std::string> args_;
    std::vector<std::string> env_;
    std::vector<char*> argv_;
    std::vector<char*> envp_;
};

} // namespace quorvell::tools
