#pragma once

#include <cstdint>
#include <string>

namespace quorvell {

// "1 map", "205 maps": a count with its noun, as the reports print them.
inline std::string countText(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace quorvell
