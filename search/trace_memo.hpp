#pragma once

#include "report/output.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>

namespace knapsack {

// vnd draws nothing, so its trace depends on its start alone; and while the VNS
// incumbent stands, every start is the incumbent changed by one shake, of which
// there are only a few thousand. So the memo keeps the trace of each start that
// did not improve and replays it instead of descending again. Only such starts
// are kept, so a replay never changes the incumbent. It is only a cache: when
// the heap refuses it anything, the search does without, and its output is the
// same either way.
class TraceMemo {
  public:
    explicit TraceMemo(Output& out);
    TraceMemo(const TraceMemo&) = delete;
    TraceMemo& operator=(const TraceMemo&) = delete;

    // Writes the trace kept for this start, if there is one, and says whether it did.
    bool replay(std::span<const std::int32_t> incumbent, std::span<const std::int32_t> start);
    // Where to descend from the start last asked about: the output, recorded on the way.
    Output& recorder();
    // That descent did not improve: its trace is kept for the next time.
    void keep();
    // It gave a new incumbent, so every kept start is stale.
    void forget();

  private:
    // The start as a difference from the incumbent: at most two items, one unit
    // each. Empty when it differs more, which no shake does.
    static std::optional<std::uint64_t> key_of(std::span<const std::int32_t> incumbent,
                                               std::span<const std::int32_t> start);
    void pass_on(std::string_view chunk);

    // Bounds the memory of large instances; beyond it, starts are descended afresh.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    Output& out_;
    Output recorder_;
    std::optional<std::uint64_t> key_;
    bool recording_ = false;
    std::string trace_;
    std::unordered_map<std::uint64_t, std::string> traces_;
    std::size_t bytes_ = 0;
};

} // namespace knapsack
