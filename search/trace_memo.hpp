#pragma once

#include "model/solution.hpp"
#include "report/output.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace knapsack {

// vnd draws nothing, so its trace depends on its start alone; and while the VNS
// incumbent stands, every start is the incumbent changed by one shake, of which
// there are only a few thousand. So the memo keeps the trace of each start whose
// descent did not beat the incumbent, and replays it when that start comes back
// instead of descending again. It is only a cache: when the heap refuses it
// anything, or it holds kMaxBytes, the search descends afresh, and its output
// is the same either way.
class TraceMemo {
  public:
    // Keeps at most `max_bytes` of traces; past them, starts are descended afresh.
    explicit TraceMemo(Output& out, std::size_t max_bytes = kMaxBytes);
    TraceMemo(const TraceMemo&) = delete;
    TraceMemo& operator=(const TraceMemo&) = delete;
    TraceMemo(TraceMemo&&) = delete;
    TraceMemo& operator=(TraceMemo&&) = delete;
    ~TraceMemo() = default;

    // vnd from `start`, the incumbent changed by a shake, with its trace going
    // to the output. When the same start of the same incumbent was descended
    // before, the trace kept then is written instead and `start` is left as it
    // is: its descent did not beat the incumbent, so neither does it. A new
    // incumbent makes every kept trace stale, and they are dropped.
    void vnd(const Solution& incumbent, Solution& start);

    // Bounds the memory of large instances.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

  private:
    // The start as a difference from the incumbent: at most two items, one unit
    // each. Empty when it differs more, which no shake does.
    static std::optional<std::uint64_t> key_of(const Quantities& incumbent,
                                               const Quantities& start);
    Output& out_;
    std::size_t max_bytes_;
    Quantities incumbent_;
    std::unordered_map<std::uint64_t, std::string> traces_;
    std::size_t bytes_ = 0;
};

} // namespace knapsack
