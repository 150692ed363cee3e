#pragma once

// The changed names of a map's plan. A run over every map changes hundreds
// of thousands of names with a handful of distinct byte strings, so each
// edit is its offset and two numbers into the plan's own table of those
// strings: 16 bytes a name instead of a pair of strings (72), which the
// system had to find fresh memory for, page by page, and free again after
// the run.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvell::patching {

// One name's change: only the bytes that change (at most 13 per reference:
// "__overridden" and its NUL).
struct NameEdit {
    std::uint64_t offset = 0; // of the first changed byte in the file
    std::string_view before;  // the bytes there when planned
    std::string_view after;   // the bytes written, as long as before
};

// The views an edit hands out stay valid until the next add().
class NameEdits {
public:
    std::size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    void reserve(std::size_t count) { entries_.reserve(count); }
    NameEdit operator[](std::size_t i) const {
        const Entry& entry = entries_[i];
        return {entry.offset, strings_[entry.before], strings_[entry.after]};
    }
    NameEdit back() const { return (*this)[size() - 1]; }
    // Whether edits i and j change the same bytes into the same bytes.
    bool sameChange(std::size_t i, std::size_t j) const noexcept {
        return entries_[i].before == entries_[j].before && entries_[i].after == entries_[j].after;
    }
    void add(std::uint64_t offset, std::string_view before, std::string_view after);
    // Every edit's before and after swapped: the plan that undoes it.
    void swapSides() noexcept;

    class Iterator {
    public:
        Iterator(const NameEdits& edits, std::size_t at) : edits_(&edits), at_(at) {}
        NameEdit operator*() const { return (*edits_)[at_]; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        const NameEdits* edits_;
        std::size_t at_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

private:
    std::uint32_t intern(std::string_view bytes);

    struct Entry {
        std::uint64_t offset;
        std::uint32_t before;
        std::uint32_t after;
    };
    std::vector<Entry> entries_;
    std::vector<std::string> strings_;
    std::unordered_map<std::string, std::uint32_t> numbers_; // of each string in strings_
};

} // namespace quorvell::patching
