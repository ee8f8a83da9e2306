#pragma once

namespace knapsack {

// The white space that separates integers, in the instance files and at the
// menu alike: blanks, tabs, line breaks, carriage returns, vertical tabs and
// form feeds. Takes an int so that end of input is simply not blank.
constexpr bool is_blank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool is_digit(int c) {
    return c >= '0' && c <= '9';
}

} // namespace knapsack
