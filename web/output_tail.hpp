#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace knapsack {

// Where the program's output goes in the browser. A VNS trace runs to
// gigabytes, far more than a page can take, so the output is kept here, where
// the program writes it, and the page is handed only what it can show: during
// a burst, at most ~30 times a second, the latest lines in place of what it
// missed; and whenever the program stops to wait for input or ends, what it
// lacks of the last lines its terminal holds. So the terminal always ends up
// holding what a terminal that had received every byte would hold. Run under
// node, every byte is passed on instead.
//
// Most of a VNS trace is traces replayed from the memo, which stay in memory
// anyway: those are kept by a share of them, not copied (see Output's Keep).
class OutputTail {
  public:
    // Receives text for the page; `restart` says the page is to drop what it
    // shows and start again from this text, the latest of the output.
    using Show = std::function<void(std::string_view text, bool restart)>;
    // Milliseconds on a steady clock.
    using Clock = std::function<double()>;

    // `lines`: how many lines the page's terminal holds, scrollback included
    // (0: as many as the tail keeps); it is never handed more at once.
    OutputTail(Show show, Clock clock, bool every_byte, std::size_t lines = kMostLines);

    // Takes the next chunk of output, as an Output sink's drain.
    void take(std::string_view chunk);
    // Takes text that is kept elsewhere too, as an Output sink's keeper.
    void keep(const std::shared_ptr<const std::string>& text);
    // The program is about to wait or end: the page gets everything it lacks.
    void settle();

    // Bytes kept: at least 8,500 lines of the program's longest line (61
    // bytes), more than any page's terminal is given.
    static constexpr std::size_t kKept = std::size_t{512} << 10;
    static constexpr std::size_t kMostLines = 8500;
    // What a page is handed of a burst: a few hundred lines, a screenful and more.
    static constexpr std::size_t kLive = std::size_t{16} << 10;
    static constexpr double kMillisecondsBetweenShows = 1000.0 / 30;
    // The clock is a call out of the program, read once this much more has been
    // kept: some 0.2 ms of a VNS trace.
    static constexpr std::size_t kBytesBetweenClockReads = std::size_t{1} << 20;

  private:
    struct Segment {
        std::uint64_t at; // where in the output it starts
        std::shared_ptr<const std::string> text;
    };

    void append(std::shared_ptr<const std::string> text);
    void publish(bool settling);
    // From where the page is shown only the latest: at most `size` bytes and
    // `lines_` lines, from the start of a line.
    std::uint64_t latest(std::size_t size) const;
    // Where the last `lines_` lines begin, or `floor` if that is later.
    std::uint64_t start_of_last_lines(std::uint64_t floor) const;
    void show_range(std::uint64_t from, std::uint64_t to, bool restart);
    // Calls `visit` with the pieces of the output's bytes [from, to), in order;
    // it may stop the visit by returning false.
    template <typename Visit>
    void visit_range(std::uint64_t from, std::uint64_t to, const Visit& visit) const;

    Show show_;
    Clock clock_;
    bool every_byte_;
    std::size_t lines_;
    std::deque<Segment> segments_; // the output's last kKept bytes or a little more
    std::uint64_t written_ = 0;    // bytes of output so far
    std::uint64_t shown_ = 0;      // of which the page has been handed up to here
    std::uint64_t looked_ = 0;     // the clock was last read with this much written
    bool behind_ = false;          // the page skipped some and shows only the latest
    double shown_at_ = -1e300;
};

} // namespace knapsack
