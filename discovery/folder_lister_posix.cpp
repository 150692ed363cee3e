#include "base/io_error.h"
#include "base/path_text.h"
#include "discovery/folder_enumeration.h"

#include <system_error>

namespace quorvell::discovery {

std::vector<std::string> listVisibleRegularFiles(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        throw IoError(pathText(folder), ec.message());
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = pathText(it->path().filename());
        if (name.starts_with('.')) {
            continue;
        }
        // status() follows links and only stats, so a FIFO is never opened.
        std::error_code statError;
        if (it->is_regular_file(statError) && !statError) {
            names.push_back(std::move(name));
        }
    }
    if (ec) {
        throw IoError(pathText(folder), ec.message());
    }
    return names;
}

} // namespace quorvell::discovery
