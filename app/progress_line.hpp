#pragma once

#include "platform/status_line.hpp"
#include "search/vns.hpp"

namespace knapsack {

// Shows a running VNS on one line of a terminal, rewritten in place a few times
// a second and erased when the search ends. For a user who sends the trace
// through a pipe (to `tail`, say) and would otherwise see nothing for 20
// seconds. A signal that ends the run while the line stands (Ctrl-C, SIGTERM,
// a closed terminal, the reader of the trace gone) erases it before the
// program ends by that signal.
class ProgressLine : public VnsObserver {
  public:
    ProgressLine(int fd, const VnsStop& stop) : line_(fd), stop_(stop) {}

    void cycle_ended(const VnsProgress& progress) override;
    void finished(const VnsProgress&) override { erase(); }
    // Blanks the line out, if it shows anything.
    void erase();

    static constexpr double kSecondsBetweenDraws = 0.25;

  private:
    StatusLine line_;
    VnsStop stop_;
    double drawn_at_ = -1.0; // seconds into the search of the last draw, -1 before the first
};

} // namespace knapsack
