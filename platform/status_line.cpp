#include "platform/status_line.hpp"

#include "platform/interrupt.hpp"
#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>

namespace knapsack {

void StatusLine::show(std::string_view text) {
    if (!text.empty()) {
        write(text.substr(0, kMostText));
    }
}

void StatusLine::erase() {
    if (shown_ > 0) {
        write({});
    }
}

// Back to the start of the line, the new text and blanks over what is left
// of the old one; when erasing, back to the start again, where the next line
// of the terminal begins.
void StatusLine::write(std::string_view text) {
    std::array<char, 2 * kMostText + 2> line{};
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
