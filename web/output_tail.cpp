#include "web/output_tail.hpp"

#include <algorithm>
#include <utility>

namespace knapsack {

OutputTail::OutputTail(Show show, Clock clock, bool every_byte, std::size_t lines)
    : show_(std::move(show)), clock_(std::move(clock)), every_byte_(every_byte),
      lines_(lines == 0 ? kMostLines : lines) {}

void OutputTail::take(std::string_view chunk) {
    if (every_byte_) {
        show_(chunk, false);
        return;
    }
    if (chunk.empty()) {
        return;
    }
    // Only the last kKept bytes of a chunk can still be shown.
    const std::size_t skipped = chunk.size() > kKept ? chunk.size() - kKept : 0;
    written_ += skipped;
    append(std::make_shared<const std::string>(chunk.substr(skipped)));
    looked_ = written_;
    if (clock_() - shown_at_ >= kMillisecondsBetweenShows) {
        publish(false);
    }
}

void OutputTail::keep(const std::shared_ptr<const std::string>& text) {
    if (every_byte_) {
        show_(*text, false);
        return;
    }
    if (text->empty()) {
        return;
    }
    append(text);
    // Kept texts come millions of times a second.
    if (written_ - looked_ >= kBytesBetweenClockReads) {
        looked_ = written_;
        if (clock_() - shown_at_ >= kMillisecondsBetweenShows) {
            publish(false);
        }
    }
}

void OutputTail::append(std::shared_ptr<const std::string> text) {
    const std::uint64_t size = text->size();
    segments_.push_back({written_, std::move(text)});
    written_ += size;
    // Only what the last kKept bytes are made of stays.
    while (segments_.size() > 1 && segments_[1].at + kKept <= written_) {
        segments_.pop_front();
    }
}

void OutputTail::settle() {
    if (!every_byte_) {
        publish(true);
    }
}

void OutputTail::publish(bool settling) {
    const std::uint64_t pending = written_ - shown_;
    if (settling && (behind_ || pending > kKept || start_of_last_lines(shown_) > shown_)) {
        show_range(latest(kKept), written_, true);
        behind_ = false;
    } else if (!settling && pending > kLive) {
        show_range(latest(kLive), written_, true);
        behind_ = true;
    } else if (pending > 0) {
        show_range(shown_, written_, false);
    }
    shown_ = written_;
    shown_at_ = clock_();
}

template <typename Visit>
void OutputTail::visit_range(std::uint64_t from, std::uint64_t to, const Visit& visit) const {
    auto segment = std::upper_bound(segments_.begin(), segments_.end(), from,
                                    [](std::uint64_t at, const Segment& s) { return at < s.at; });
    if (segment != segments_.begin()) {
        --segment;
    }
    for (; segment != segments_.end() && segment->at < to; ++segment) {
        const std::uint64_t end = segment->at + segment->text->size();
        if (end <= from) {
            continue;
        }
        const std::uint64_t begin = std::max(from, segment->at);
        const std::string_view piece(segment->text->data() + (begin - segment->at),
                                     static_cast<std::size_t>(std::min(to, end) - begin));
        if (!visit(begin, piece)) {
            return;
        }
    }
}

std::uint64_t OutputTail::latest(std::size_t size) const {
    std::uint64_t from = written_ > size ? written_ - size : 0;
    from = std::max(from, segments_.empty() ? written_ : segments_.front().at);
    if (from > 0) {
        // Start after the first line break, not in the middle of a line.
        std::uint64_t after = written_;
        visit_range(from, written_, [&](std::uint64_t at, std::string_view piece) {
            const std::size_t line_break = piece.find('\n');
            if (line_break == std::string_view::npos) {
                return true;
            }
            after = at + line_break + 1;
            return false;
        });
        from = after;
    }
    return start_of_last_lines(from);
}

std::uint64_t OutputTail::start_of_last_lines(std::uint64_t floor) const {
    floor = std::max(floor, segments_.empty() ? written_ : segments_.front().at);
    // Counted back from the end, where the last line may lack its break.
    std::size_t lines = 0;
    for (auto segment = segments_.rbegin(); segment != segments_.rend(); ++segment) {
        const std::string& text = *segment->text;
        for (std::size_t at = text.size(); at > 0 && segment->at + at > floor;) {
            const std::size_t line_break = text.rfind('\n', at - 1);
            if (line_break == std::string::npos) {
                break;
            }
            const std::uint64_t next = segment->at + line_break + 1;
            if (next <= floor) {
                return floor;
            }
            if (next < written_ && ++lines == lines_) {
                return next;
            }
            at = line_break;
        }
        if (segment->at <= floor) {
            break;
        }
    }
    return floor;
}

void OutputTail::show_range(std::uint64_t from, std::uint64_t to, bool restart) {
    // In one piece: each piece is a message to the page.
    std::string text;
    text.reserve(static_cast<std::size_t>(to - from));
    visit_range(from, to, [&text](std::uint64_t, std::string_view piece) {
        text.append(piece);
        return true;
    });
    if (!text.empty() || restart) {
        show_(text, restart); // even empty, a restart drops a stale screen
    }
}

} // namespace knapsack
