#pragma once

#include <array>
#include <functional>
#include <streambuf>

namespace knapsack {

// Standard input in the browser: the lines the user types into the page,
// handed over at Enter. Reading waits, without blocking the page, until a
// line comes; before it waits, the output the program has printed so far is
// settled on the page, so the prompt is there to be answered.
class PageInput : public std::streambuf {
  public:
    // Fills `buffer` with at most `size` bytes of input, waiting for them;
    // 0 at the end of the input.
    using Wait = std::function<int(char* buffer, int size)>;
    using BeforeWait = std::function<void()>;

    PageInput(Wait wait, BeforeWait before_wait);

  protected:
    int_type underflow() override;

  private:
    Wait wait_;
    BeforeWait before_wait_;
    std::array<char, 4096> buffer_{};
};

} // namespace knapsack
