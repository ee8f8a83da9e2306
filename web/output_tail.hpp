#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace knapsack {

// Where the program's output goes in the browser. A VNS trace runs to
// gigabytes, far more than a page can take, so the output is kept here, where
// the program writes it, and the page is handed only what it can show: during
// a burst, at most ~30 times a second, the latest lines in place of what it
// missed; and whenever the program stops to wait for input or ends, the whole
// tail it keeps, more lines than the page's terminal scrolls back over. So the
// terminal always ends up holding what a terminal that had received every byte
// would hold. Run under node, every byte is passed on instead.
class OutputTail {
  public:
    // Receives text for the page; `restart` says the page is to drop what it
    // shows and start again from this text, the latest of the output.
    using Show = std::function<void(std::string_view text, bool restart)>;
    // Milliseconds on a steady clock.
    using Clock = std::function<double()>;

    OutputTail(Show show, Clock clock, bool every_byte);

    // Takes the next chunk of output, as an Output sink's drain.
    void take(std::string_view chunk);
    // The program is about to wait or end: the page gets everything it lacks.
    void settle();

    // Bytes kept: at least 8,500 lines of the program's longest line (61
    // bytes), more than the 5,000 the page's terminal scrolls back over.
    static constexpr std::size_t kKept = std::size_t{512} << 10;
    // What a page is handed of a burst: a few hundred lines, a screenful and more.
    static constexpr std::size_t kLive = std::size_t{16} << 10;
    static constexpr double kMillisecondsBetweenShows = 1000.0 / 30;

  private:
    void publish(bool settling);
    // The last `size` bytes of the output, from the start of a line.
    void show_latest(std::size_t size);
    void show_range(std::uint64_t from, std::uint64_t to, bool restart);

    Show show_;
    Clock clock_;
    bool every_byte_;
    std::vector<char> ring_;
    std::uint64_t written_ = 0; // bytes of output so far
    std::uint64_t shown_ = 0;   // of which the page has been handed up to here
    bool behind_ = false;       // the page skipped some and shows only the latest
    double shown_at_ = -1e300;
};

} // namespace knapsack
