#include "app/progress_line.hpp"

#include "menu/progress_text.hpp"

#include <array>

namespace knapsack {

void ProgressLine::cycle_ended(const VnsProgress& progress) {
    if (drawn_at_ >= 0.0 && progress.seconds - drawn_at_ < kSecondsBetweenDraws) {
        return;
    }
    drawn_at_ = progress.seconds;
    std::array<char, kProgressTextSize> text{};
    line_.show(progress_text(text, progress, stop_));
}

void ProgressLine::erase() {
    line_.erase();
    drawn_at_ = -1.0;
}

} // namespace knapsack
