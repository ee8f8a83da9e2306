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
// end by default): a carriage return, blanks over the widest text the line
// showed since it was last erased, a carriage return.
inline bool erased_before(const std::string& err, std::size_t end = std::string::npos) {
    end = std::min(end, err.size());
    if (end < 3 || err[end - 1] != '\r') {
        return false;
    }
    const std::size_t start = err.rfind('\r', end - 2);
    if (start == std::string::npos || start + 1 >= end - 1 ||
        err.find_first_not_of(' ', start + 1) != end - 1) {
        return false;
    }
    const std::size_t blanks = end - 2 - start;
    // Each draw is a carriage return, the text and blanks over a longer old one.
    std::size_t widest = 0;
    for (std::size_t at = start; at > 0;) {
        const std::size_t from = err.rfind('\r', at - 1);
        const std::size_t draw = from == std::string::npos ? 0 : from + 1;
        const std::string text = err.substr(draw, at - draw);
        const std::size_t last = text.find_last_not_of(' ');
        if (last == std::string::npos && !text.empty()) {
            break; // the erase before
        }
        widest = std::max(widest, last == std::string::npos ? 0 : last + 1);
        if (from == std::string::npos) {
            break;
        }
        at = from;
    }
    return blanks >= widest;
}

} // namespace knapsack::testing
