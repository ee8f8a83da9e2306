#pragma once

#include "search/vns.hpp"

#include <cstddef>
#include <span>
#include <string_view>

namespace knapsack {

// Room for the longest progress text there can be.
inline constexpr std::size_t kProgressTextSize = 160;

// The text of the progress line, written into `buffer` (no heap involved):
//   VNS 3.4 de 20 s | melhor objetivo: 320 | ciclos: 1234567
// or, for a search limited by cycles,
//   VNS 0.1 s | melhor objetivo: 320 | ciclos: 12 de 30
std::string_view progress_text(std::span<char> buffer, const VnsProgress& progress,
                               const VnsStop& stop);

} // namespace knapsack
