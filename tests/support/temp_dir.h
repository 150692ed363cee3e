#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell::testing {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to path()/relative, creating the folders on the way.
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);

} // namespace quorvell::testing
