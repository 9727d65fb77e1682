#pragma once

// A map by name where names compare without regard to ASCII letter case, as
// the skin description's sections and keys do. Looking up takes the name as it
// comes, with no lower-cased copy made first.

#include "framework/Classes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velloran {

struct TCaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            hash *= 1099511628211ull;
        }
        return static_cast<std::size_t>(hash);
    }
};

struct TCaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

template <typename TValue>
using TCaseInsensitiveMap = std::unordered_map<std::string, TValue, TCaseInsensitiveHash, TCaseInsensitiveEqual>;

}  // namespace velloran
