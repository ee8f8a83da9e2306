#pragma once

#include <string>
#include <string_view>

namespace knapsack {

// Writes `text` as the file `path`, whole or not at all: into a temporary file
// beside it, renamed to `path` once complete, so that a reader never finds a
// part of it and a failure leaves nothing behind. False when it fails.
bool write_whole_file(const std::string& path, std::string_view text);

} // namespace knapsack
