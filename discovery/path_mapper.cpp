#include "discovery/path_mapper.h"

#include "base/path_text.h"

#include <algorithm>

namespace quorvell::discovery {

namespace {

class NativePathMapper final : public PathMapper {
public:
    std::filesystem::path toHost(std::string_view gamePath) const override {
        std::string text(gamePath);
#if !defined(_WIN32)
        std::replace(text.begin(), text.end(), '\\', '/');
#endif
        // Collapses the doubled separator a root with a trailing backslash
        // leaves at the joint, as the folder browser reports such a folder.
        return pathFromUtf8(text).lexically_normal();
    }
};

} // namespace

std::unique_ptr<PathMapper> makeNativePathMapper() {
    return std::make_unique<NativePathMapper>();
}

} // namespace quorvell::discovery
