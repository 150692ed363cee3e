#pragma once

#include <stdexcept>
#include <string>

namespace quorvell::cli {

// The exit statuses scripts can tell apart.
enum class ExitStatus : int {
    Done = 0,
    Failed = 1,         // a file could not be read or written, the game was not found
    NothingMatched = 2, // an unknown preset or texture name
    Usage = 64,         // a mistyped command line (EX_USAGE of sysexits.h)
};

// Ends a command with a status and one line for standard error.
class Failure : public std::runtime_error {
public:
    Failure(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus status() const noexcept { return status_; }

private:
    ExitStatus status_;
};

} // namespace quorvell::cli
