#pragma once

#include "model/instance.hpp"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace knapsack {

// Instance file names, read from the working directory.
inline constexpr const char* kWeightsFile = "peso50.txt";
inline constexpr const char* kProfitsFile = "beneficio50.txt";
inline constexpr const char* kLimitsFile = "limite50.txt";

enum class LoadFailure {
    cannot_open,     // missing, unreadable, or a directory
    cannot_read,     // an I/O error after opening
    not_an_integer,  // a token that is not an optionally signed decimal integer
    out_of_range,    // an integer outside the 32-bit signed range
    too_many_values, // more integers than the instance has items
    negative_value,  // a negative weight or limit
    sums_overflow,   // sums the searches form could leave the 32-bit range
};

// Why an instance could not be loaded, and which file is to blame.
class LoadError : public std::runtime_error {
  public:
    LoadError(LoadFailure failure, const std::string& path);
    LoadFailure failure() const { return failure_; }

  private:
    LoadFailure failure_;
};

// Fills `values` from the whitespace-separated integers of a file. Entries no
// integer reaches keep their value. Throws LoadError.
void load_values(const std::string& path, std::span<std::int32_t> values);

// Loads weights, profits and limits from `directory` (by default the working
// directory), in that order, checking each file before the next is opened.
// Throws LoadError, naming the file as it was opened.
Instance load_instance(const std::string& directory = "");

// True when every sum the evaluation and the searches can form (the penalty,
// profit totals, the most negative objective and any gain) fits in 32 bits.
bool sums_fit(std::span<const std::int32_t> weights, std::span<const std::int32_t> profits,
              std::span<const std::int32_t> limits, std::int32_t capacity);

} // namespace knapsack
