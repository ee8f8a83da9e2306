#pragma once

#include <algorithm>
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

// Whether the progress line was blanked out last on `err` before `end` (its
// end by default): a carriage return, blanks, a carriage return.
inline bool erased_before(const std::string& err, std::size_t end = std::string::npos) {
    end = std::min(end, err.size());
    if (end < 3 || err[end - 1] != '\r') {
        return false;
    }
    const std::size_t start = err.rfind('\r', end - 2);
    return start != std::string::npos && start + 1 < end - 1 &&
           err.find_first_not_of(' ', start + 1) == end - 1;
}

} // namespace knapsack::testing
