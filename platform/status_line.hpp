#pragma once

#include <cstddef>
#include <string_view>

namespace knapsack {

// One line of a terminal rewritten in place: a progress line on standard
// error while the program's real output goes elsewhere. A failed write only
// costs the line. A signal that ends the run while the line stands (see
// interrupt.hpp) erases it before the program ends by that signal.
class StatusLine {
  public:
    // Texts longer than this are cut.
    static constexpr std::size_t kMostText = 256;

    explicit StatusLine(int fd) : fd_(fd) {}
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;
    StatusLine(StatusLine&&) = delete;
    StatusLine& operator=(StatusLine&&) = delete;
    ~StatusLine() { erase(); }

    // Puts `text` on the line in place of what it showed.
    void show(std::string_view text);
    // Blanks the line out, if it shows anything.
    void erase();
    bool showing() const { return shown_ > 0; }

  private:
    void write(std::string_view text);

    int fd_;
    std::size_t shown_ = 0;  // characters on the line now
    std::size_t widest_ = 0; // the most shown since the last erase
};

} // namespace knapsack
