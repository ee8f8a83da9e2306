#pragma once

#include "search/vns.hpp"

#include <functional>
#include <string_view>

namespace knapsack {

// What the page shows of a running VNS: where it started, every improvement
// (for the chart), and its progress line a few times a second.
struct SearchEvent {
    enum Kind { started, improved, progress, finished };
    Kind kind;
    VnsProgress at;
    std::string_view text; // the progress line, as the console shows it
};

class SearchEvents : public VnsObserver {
  public:
    using Post = std::function<void(const SearchEvent&)>;

    SearchEvents(const VnsStop& stop, Post post);

    void started(const VnsProgress& at) override { post(SearchEvent::started, at); }
    void improved(const VnsProgress& at) override { post(SearchEvent::improved, at); }
    void cycle_ended(const VnsProgress& at) override;
    void finished(const VnsProgress& at) override { post(SearchEvent::finished, at); }

    // Read on the search's own clock: a cycle ends millions of times a second,
    // and the page's clock is a call out of the program.
    static constexpr double kSecondsBetweenProgress = 0.1;

  private:
    void post(SearchEvent::Kind kind, const VnsProgress& at);

    VnsStop stop_;
    Post post_;
    double posted_at_ = -1e300; // seconds into the search
};

} // namespace knapsack
