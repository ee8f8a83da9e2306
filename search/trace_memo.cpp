#include "search/trace_memo.hpp"

#include "search/vnd.hpp"

#include <new>
#include <utility>

namespace knapsack {

TraceMemo::TraceMemo(Output& out, std::size_t max_bytes) : out_(out), max_bytes_(max_bytes) {}

bool TraceMemo::follow(const Solution& incumbent) {
    const Totals totals = incumbent.totals();
    if (incumbent_ && incumbent_->weight == totals.weight && incumbent_->profit == totals.profit) {
        return !traces_.empty();
    }
    incumbent_ = totals;
    for (const std::size_t slot : kept_) {
        traces_[slot].reset();
    }
    kept_.clear();
    bytes_ = 0;
    const int items = incumbent.instance().item_count;
    if (traces_.empty() && items <= kMostItems) {
        side_ = 2 * static_cast<std::size_t>(items) + 1;
        try {
            traces_.resize(side_ * side_);
            kept_.reserve(traces_.size());
        } catch (const std::bad_alloc&) {
            traces_.clear(); // no room for the slots: nothing is kept
        }
    }
    return !traces_.empty();
}

std::size_t TraceMemo::slot_of(const Shaken& shaken) const {
    std::size_t slot = 0;
    for (int k = 0; k < shaken.count; ++k) {
        const Shaken::Change& change = shaken.changes[static_cast<std::size_t>(k)];
        slot =
            slot * side_ + static_cast<std::size_t>(change.item) * 2 + (change.delta > 0 ? 2 : 1);
    }
    return slot;
}

void TraceMemo::vnd(const Solution& incumbent, Solution& start, const Shaken& shaken) {
    if (!follow(incumbent)) {
        knapsack::vnd(start, out_);
        return;
    }
    const std::size_t slot = slot_of(shaken);
    if (const auto& kept = traces_[slot]) {
        out_.put(kept);
        return;
    }
    if (bytes_ >= max_bytes_) {
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
            traces_[slot] = std::make_shared<const std::string>(std::move(recording.trace));
            bytes_ += size;
            kept_.push_back(slot); // never past the room reserved for every slot
        } catch (const std::bad_alloc&) {
            // Not kept: this start will be descended again if it comes back.
        }
    }
}

} // namespace knapsack
