#pragma once

#include "search/vns.hpp"

#include <cstddef>
#include <span>
#include <string_view>

namespace knapsack {

// Shows a running VNS on one line of a terminal, rewritten in place a few times
// a second and erased when the search ends. For a user who sends the trace
// through a pipe (to `tail`, say) and would otherwise see nothing for 20
// seconds. A failed write only costs the line. A signal that ends the run
// while the line stands (Ctrl-C, SIGTERM, a closed terminal, the reader of the
// trace gone) erases it before the program ends by that signal.
class ProgressLine : public VnsObserver {
  public:
    ProgressLine(int fd, const VnsStop& stop) : fd_(fd), stop_(stop) {}

    void cycle_ended(const VnsProgress& progress) override;
    void finished(const VnsProgress&) override { erase(); }
    // Blanks the line out, if it shows anything.
    void erase();

    static constexpr double kSecondsBetweenDraws = 0.25;

  private:
    void show(std::string_view text);

    int fd_;
    VnsStop stop_;
    double drawn_at_ = -1.0; // seconds into the search of the last draw, -1 before the first
    std::size_t shown_ = 0;  // characters on the line now
    std::size_t widest_ = 0; // the most shown since the last erase
};

} // namespace knapsack
