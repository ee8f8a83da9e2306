#include "web/output_tail.hpp"

#include <algorithm>
#include <utility>

namespace knapsack {

OutputTail::OutputTail(Show show, Clock clock, bool every_byte)
    : show_(std::move(show)), clock_(std::move(clock)), every_byte_(every_byte) {
    if (!every_byte_) {
        ring_.resize(kKept);
    }
}

void OutputTail::take(std::string_view chunk) {
    if (every_byte_) {
        show_(chunk, false);
        return;
    }
    // Only the last kKept bytes of a chunk can still be shown.
    const std::size_t skipped = chunk.size() > kKept ? chunk.size() - kKept : 0;
    std::uint64_t at = written_ + skipped;
    for (std::string_view rest = chunk.substr(skipped); !rest.empty();) {
        const auto offset = static_cast<std::size_t>(at % kKept);
        const std::size_t piece = std::min(rest.size(), kKept - offset);
        std::copy_n(rest.data(), piece, ring_.begin() + static_cast<std::ptrdiff_t>(offset));
        rest.remove_prefix(piece);
        at += piece;
    }
    written_ += chunk.size();
    if (clock_() - shown_at_ >= kMillisecondsBetweenShows) {
        publish(false);
    }
}

void OutputTail::settle() {
    if (!every_byte_) {
        publish(true);
    }
}

void OutputTail::publish(bool settling) {
    const std::uint64_t pending = written_ - shown_;
    if (settling && (behind_ || pending > kKept)) {
        show_latest(kKept);
        behind_ = false;
    } else if (!settling && pending > kLive) {
        show_latest(kLive);
        behind_ = true;
    } else if (pending > 0) {
        show_range(shown_, written_, false);
    }
    shown_ = written_;
    shown_at_ = clock_();
}

void OutputTail::show_latest(std::size_t size) {
    std::uint64_t from = written_ > size ? written_ - size : 0;
    if (from > 0) {
        // Start after the first line break, not in the middle of a line.
        while (from < written_ && ring_[static_cast<std::size_t>(from % kKept)] != '\n') {
            ++from;
        }
        from = std::min(from + 1, written_);
    }
    show_range(from, written_, true);
}

void OutputTail::show_range(std::uint64_t from, std::uint64_t to, bool restart) {
    if (restart && from == to) {
        show_({}, true); // nothing to show, but what the page shows is stale
    }
    while (from < to) {
        const auto offset = static_cast<std::size_t>(from % kKept);
        const auto piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(to - from, kKept - offset));
        show_(std::string_view(ring_.data() + offset, piece), restart);
        restart = false;
        from += piece;
    }
}

} // namespace knapsack
