#include "discovery/folder_lister.h"

#include "base/text_case.h"
#include "base/utf8.h"
#include "discovery/folder_enumeration.h"
#include "discovery/sorted_order.h"

#include <algorithm>

namespace quorvell::discovery {

namespace {

std::u32string lowerCodes(std::string_view utf8) {
    std::u32string codes;
    codes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto decoded = utf8::decodeNameChar(utf8, pos);
        codes += text_case::lowerNameChar(decoded.code);
        pos += decoded.length;
    }
    return codes;
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view pattern) {
    const std::u32string text = lowerCodes(name);
    const std::u32string glob = lowerCodes(pattern);
    // Greedy match that backtracks only to the last '*': linear in practice,
    // never exponential.
    std::size_t t = 0;
    std::size_t g = 0;
    std::size_t starAt = std::u32string::npos;
    std::size_t resumeAt = 0;
    while (t < text.size()) {
        if (g < glob.size() && (glob[g] == U'?' || glob[g] == text[t])) {
            ++t;
            ++g;
        } else if (g < glob.size() && glob[g] == U'*') {
            starAt = g++;
            resumeAt = t;
        } else if (starAt != std::u32string::npos) {
            g = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == U'*') {
        ++g;
    }
    return g == glob.size();
}

std::vector<std::string> listFolder(const std::filesystem::path& folder, std::string_view pattern) {
    std::vector<std::string> names = listVisibleRegularFiles(folder);
    std::erase_if(names, [&](const std::string& name) { return !matchesPattern(name, pattern); });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return sortedListLess(a, b); });
    return names;
}

} // namespace quorvell::discovery
