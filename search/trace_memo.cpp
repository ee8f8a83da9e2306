#include "search/trace_memo.hpp"

#include "search/vnd.hpp"

#include <new>
#include <utility>

namespace knapsack {

TraceMemo::TraceMemo(Output& out, std::size_t max_bytes) : out_(out), max_bytes_(max_bytes) {}

std::optional<std::uint64_t> TraceMemo::key_of(const Quantities& incumbent,
                                               const Quantities& start) {
    std::uint64_t key = 0;
    int changes = 0;
    // Notes the items of [from, to) where the start differs; false past two
    // changes or a change of more than one unit.
    const auto note = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            const std::int64_t delta = std::int64_t{start[i]} - incumbent[i];
            if (delta == 0) {
                continue;
            }
            if (changes == 2 || (delta != 1 && delta != -1)) {
                return false;
            }
            key = key << 32 | (i * 2 + (delta > 0 ? 2 : 1));
            ++changes;
        }
        return true;
    };
    // Runs after every shake of the VNS, so equal stretches are passed over a
    // block at a time, in a form the compiler turns into vector compares.
    constexpr std::size_t kBlock = 8;
    const std::size_t n = start.size();
    std::size_t from = 0;
    for (; from + kBlock <= n; from += kBlock) {
        std::uint32_t differs = 0;
        for (std::size_t i = from; i < from + kBlock; ++i) {
            differs |= static_cast<std::uint32_t>(start[i] ^ incumbent[i]);
        }
        if (differs != 0 && !note(from, from + kBlock)) {
            return std::nullopt;
        }
    }
    if (!note(from, n)) {
        return std::nullopt;
    }
    return key;
}

void TraceMemo::vnd(const Solution& incumbent, Solution& start) {
    if (incumbent.quantities() != incumbent_) {
        traces_.clear();
        bytes_ = 0;
        try {
            incumbent_ = incumbent.quantities();
        } catch (const std::bad_alloc&) {
            incumbent_.clear(); // no incumbent to key on: nothing is kept
        }
    }
    const std::optional<std::uint64_t> key =
        incumbent_.empty() ? std::nullopt : key_of(incumbent_, start.quantities());
    if (key) {
        if (const auto kept = traces_.find(*key); kept != traces_.end()) {
            out_.put(kept->second);
            return;
        }
    }
    if (!key || bytes_ >= max_bytes_) {
        knapsack::vnd(start, out_);
        return;
    }
    // Recorded through a sink of its own, which passes every chunk on.
    struct Recording {
        std::string trace;
        bool whole = true; // false once the heap refused it a chunk
    } recording;
    Output recorder(
        [&](std::string_view chunk) {
            out_.put(chunk);
            if (!recording.whole) {
                return;
            }
            try {
                recording.trace.append(chunk);
            } catch (const std::bad_alloc&) {
                recording.whole = false;
                std::string().swap(recording.trace);
            }
        },
        Output::kSmallCapacity);
    knapsack::vnd(start, recorder);
    recorder.flush();
    // Only a start that did not beat the incumbent is kept, so a replay never
    // changes it.
    if (recording.whole && start.objective() <= incumbent.objective() &&
        bytes_ + recording.trace.size() <= max_bytes_) {
        try {
            const std::size_t size = recording.trace.size();
            traces_.emplace(*key, std::move(recording.trace));
            bytes_ += size;
        } catch (const std::bad_alloc&) {
            // Not kept: this start will be descended again if it comes back.
        }
    }
}

} // namespace knapsack
