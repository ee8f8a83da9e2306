#include "web/search_events.hpp"

#include "menu/progress_text.hpp"

#include <array>
#include <utility>

namespace knapsack {

SearchEvents::SearchEvents(const VnsStop& stop, Post post) : stop_(stop), post_(std::move(post)) {}

void SearchEvents::cycle_ended(const VnsProgress& at) {
    if (at.seconds - posted_at_ >= kSecondsBetweenProgress) {
        post(SearchEvent::progress, at);
    }
}

void SearchEvents::post(SearchEvent::Kind kind, const VnsProgress& at) {
    std::array<char, kProgressTextSize> text{};
    post_({kind, at, progress_text(text, at, stop_)});
    posted_at_ = at.seconds;
}

} // namespace knapsack
