#pragma once

#include "model/instance.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Where the value at fault stands in its file: its line, counted from 1, and
// the offset of its first byte.
struct ValuePosition {
    std::int64_t line = 1;
    std::size_t offset = 0;
};

// Why an instance could not be loaded, which file is to blame and, when one
// value is, where it stands. what() is the message the program prints.
class LoadError : public std::runtime_error {
  public:
    LoadError(LoadFailure failure, const std::string& path,
              std::optional<ValuePosition> position = std::nullopt);
    LoadFailure failure() const { return failure_; }
    const std::string& path() const { return path_; }
    const std::optional<ValuePosition>& position() const { return position_; }

  private:
    LoadFailure failure_;
    std::string path_;
    std::optional<ValuePosition> position_;
};

// What a file's values may be: weights and limits are never negative.
enum class Values { any, non_negative };

// Fills `values` from the whitespace-separated integers of a file. Entries no
// integer reaches keep their value. The whole file is read before its values
// are held to `kind`. Throws LoadError.
void load_values(const std::string& path, std::span<std::int32_t> values,
                 Values kind = Values::any);

// Loads weights, profits and limits from `directory` (by default the working
// directory), in that order, checking each file before the next is opened.
// Throws LoadError, naming the file as it was opened.
Instance load_instance(const std::string& directory = "");

// True when every sum the evaluation and the searches can form (the penalty,
// profit totals, the most negative objective and any gain) fits in 32 bits.
bool sums_fit(std::span<const std::int32_t> weights, std::span<const std::int32_t> profits,
              std::span<const std::int32_t> limits, std::int32_t capacity);

} // namespace knapsack
