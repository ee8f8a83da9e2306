#pragma once

#include <cstddef>
#include <string>

namespace knapsack::testing {

// Number of non-overlapping occurrences of `needle` in `text`.
inline std::size_t count_of(const std::string& text, const std::string& needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

} // namespace knapsack::testing
