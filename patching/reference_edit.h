#pragma once

// The exact bytes written when a reference changes state.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::patching {

// The longest base name that can be switched on: B + "__overridden" must end
// inside the 64-byte window, before a NUL.
inline constexpr std::size_t kMaxSwitchOnBase = 51;

// Bytes to write over a name: never more than its 64-byte window, so they are
// held in place instead of on the heap (a batch makes one per changed
// reference, hundreds of thousands on a large install).
class NameBytes {
public:
    static constexpr std::size_t kCapacity = 64;

    NameBytes() = default;
    // Throws std::logic_error when bytes would not fit.
    explicit NameBytes(std::string_view bytes) { append(bytes); }
    void append(std::string_view bytes);
    std::size_t size() const { return size_; }
    const char* data() const { return bytes_.data(); }
    operator std::string_view() const { return {bytes_.data(), size_}; }
    friend bool operator==(const NameBytes& a, std::string_view b) {
        return std::string_view(a) == b;
    }

private:
    std::array<char, kCapacity> bytes_{};
    std::size_t size_ = 0;
};

// B + "__overridden", plus a NUL when the window's byte just after is not
// already NUL, so the reference reads back as exactly that. nullopt when B is
// longer than kMaxSwitchOnBase. window is the name field as read.
std::optional<NameBytes> switchOnBytes(std::string_view base, std::string_view window);

// B followed by twelve NUL bytes: the plain reference, former suffix cleared.
NameBytes switchOffBytes(std::string_view base);

} // namespace quorvell::patching
