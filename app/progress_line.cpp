#include "app/progress_line.hpp"

#include "menu/progress_text.hpp"
#include "platform/interrupt.hpp"
#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>

namespace knapsack {

void ProgressLine::cycle_ended(const VnsProgress& progress) {
    if (drawn_at_ >= 0.0 && progress.seconds - drawn_at_ < kSecondsBetweenDraws) {
        return;
    }
    drawn_at_ = progress.seconds;
    std::array<char, kProgressTextSize> text{};
    show(progress_text(text, progress, stop_));
}

void ProgressLine::erase() {
    if (shown_ > 0) {
        show({});
    }
    drawn_at_ = -1.0;
}

// Back to the start of the line, the new text and blanks over what is left
// of the old one; when erasing, back to the start again, where the next line
// of the terminal begins.
void ProgressLine::show(std::string_view text) {
    // A carriage return, the text, blanks over a longer old one, a carriage return.
    std::array<char, 2 * kProgressTextSize + 2> line{};
    std::size_t size = 0;
    line[size++] = '\r';
    text.copy(line.data() + size, text.size());
    size += text.size();
    const std::size_t blanks = shown_ > text.size() ? shown_ - text.size() : 0;
    std::fill_n(line.data() + size, blanks, ' ');
    size += blanks;
    if (text.empty()) {
        line[size++] = '\r';
    }
    // A signal while the line stands blanks out as much as may be on it: the
    // widest text shown since the last erase, should a write have been cut short.
    widest_ = std::max(widest_, text.size());
    if (!text.empty()) {
        interrupt::erase_line_first(fd_, widest_);
    }
    shown_ = text.size();
    (void)raw_io::write_all(fd_, line.data(), size); // a failure only costs the line
    if (text.empty()) {
        interrupt::restore();
        widest_ = 0;
    }
}

} // namespace knapsack
