#pragma once

#include "patching/name_table.h"

#include <initializer_list>

namespace quorvell::patching {

// List1: the distinct references to custom textures met in the map being
// scanned, as ANSI bytes exactly as they stand in the map, in the order met.
// Emptied and refilled for every map of a scan; its hash index is built only
// when someone asks whether it holds a reference, because a scan that starts
// from an empty set knows by itself which references are new. Emptying keeps
// the strings, so refilling reuses their memory instead of allocating a
// string per reference and map (overridden names are too long to be stored
// inside a string object).
class ReferenceSet {
public:
    using value_type = std::string;
    using const_iterator = std::vector<std::string>::const_iterator;
    using iterator = const_iterator;

    ReferenceSet() = default;
    ReferenceSet(std::initializer_list<std::string_view> references)
        : ReferenceSet(references.begin(), references.end()) {}
    template <typename It> ReferenceSet(It first, It last) {
        for (; first != last; ++first) {
            insert(*first);
        }
    }

    // True when the reference was not there before.
    bool insert(std::string_view reference) {
        index();
        if (!table_.addFirst(reference, Unit{})) {
            return false;
        }
        append(reference);
        return true;
    }
    // Adds a reference that the caller knows is not there yet.
    void appendNew(std::string_view reference) {
        append(reference);
        indexed_ = false;
    }
    bool contains(std::string_view reference) const {
        index();
        return table_.indexOf(reference).has_value();
    }
    void clear() {
        table_.clear();
        size_ = 0;
        indexed_ = true;
    }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const_iterator begin() const { return references_.begin(); }
    const_iterator end() const { return references_.begin() + static_cast<std::ptrdiff_t>(size_); }

    // Equal when both hold the same references, whatever the order.
    friend bool operator==(const ReferenceSet& a, const ReferenceSet& b) {
        if (a.size() != b.size()) {
            return false;
        }
        return std::all_of(a.begin(), a.end(), [&](const std::string& r) { return b.contains(r); });
    }

private:
    struct Unit {};
    void index() const {
        if (!indexed_) {
            table_.clear();
            for (const auto& r : *this) {
                table_.addFirst(r, Unit{});
            }
            indexed_ = true;
        }
    }
    void append(std::string_view reference) {
        if (size_ < references_.size()) {
            references_[size_].assign(reference);
        } else {
            references_.emplace_back(reference);
        }
        ++size_;
    }
    mutable NameTable<Unit> table_;
    mutable bool indexed_ = true;
    std::vector<std::string> references_; // the first size_ are held
    std::size_t size_ = 0;
};

} // namespace quorvell::patching
