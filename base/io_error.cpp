#include "base/io_error.h"

#include <cstring>

namespace quorvell {

std::string systemReason(int errnoValue) {
    char buffer[256] = {};
#if defined(_WIN32)
    strerror_s(buffer, sizeof buffer, errnoValue);
    return buffer;
#else
    // GNU strerror_r may return a static string instead of filling buffer.
    auto pick = [&](auto result) -> std::string {
        if constexpr (std::is_same_v<decltype(result), char*>) {
            return result;
        } else {
            return result == 0 ? buffer : "error " + std::to_string(errnoValue);
        }
    };
    return pick(strerror_r(errnoValue, buffer, sizeof buffer));
#endif
}

} // namespace quorvell
