#pragma once

#include <stdexcept>
#include <string>

namespace quorvell {

// A failed file or folder access. It names the file or folder and carries the
// system's own reason, so whoever reports it can say both.
class IoError : public std::runtime_error {
public:
    IoError(std::string path, std::string reason)
        : std::runtime_error(path + ": " + reason), path_(std::move(path)),
          reason_(std::move(reason)) {}

    const std::string& path() const noexcept { return path_; }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// The system's description of an errno value (strerror, made thread safe).
std::string systemReason(int errnoValue);

} // namespace quorvell
