#pragma once

#include "model/solution.hpp"
#include "report/output.hpp"
#include "search/shakes.hpp"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace knapsack {

// vnd draws nothing, so its trace depends on its start alone; and while the VNS
// incumbent stands, every start is the incumbent changed by one shake, of which
// there are only a few thousand. So the memo keeps the trace of each start whose
// descent did not beat the incumbent, and replays it when that shake comes back
// instead of descending again. It is only a cache: when the heap refuses it
// anything, it holds kMaxBytes, or the instance has more than kMostItems items,
// the search descends afresh, and its output is the same either way.
class TraceMemo {
  public:
    // Keeps at most `max_bytes` of traces; past them, starts are descended afresh.
    explicit TraceMemo(Output& out, std::size_t max_bytes = kMaxBytes);
    TraceMemo(const TraceMemo&) = delete;
    TraceMemo& operator=(const TraceMemo&) = delete;
    TraceMemo(TraceMemo&&) = delete;
    TraceMemo& operator=(TraceMemo&&) = delete;
    ~TraceMemo() = default;

    // vnd from `start`, the incumbent changed by `shaken`, with its trace going
    // to the output. When the same shake of the same incumbent was descended
    // before, the trace kept then is written instead and `start` is left as it
    // is: its descent did not beat the incumbent, so neither does it. The VNS
    // replaces its incumbent only by a strictly better one, so the memo knows
    // the incumbent by its totals; a new one makes every kept trace stale, and
    // they are dropped.
    void vnd(const Solution& incumbent, Solution& start, const Shaken& shaken);

    // Bounds the memory of large instances.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;
    // A slot for every shake there can be: (2 * items + 1)^2 of them.
    static constexpr int kMostItems = 255;

  private:
    // Empties the memo for a new incumbent; false when it cannot keep anything.
    bool follow(const Solution& incumbent);
    std::size_t slot_of(const Shaken& shaken) const;

    Output& out_;
    std::size_t max_bytes_;
    std::optional<Totals> incumbent_;
    std::size_t side_ = 0; // codes of a one-unit change: 1..2 * items, and 0
    // By slot, none where none is kept; shared, so that a page that shows the
    // latest output keeps a replay without a copy (see Output::Keep).
    std::vector<std::shared_ptr<const std::string>> traces_;
    std::vector<std::size_t> kept_; // the slots that hold a trace
    std::size_t bytes_ = 0;
};

} // namespace knapsack
