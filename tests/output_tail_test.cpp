#include "web/output_tail.hpp"
#include "web/page_input.hpp"
#include "web/search_events.hpp"

#include <gtest/gtest.h>
#include <istream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace knapsack {
namespace {

// The page's terminal as OutputTail drives it: what it shows, how often and
// how much it was handed, and the most it was handed at once.
struct Page {
    std::string shown;
    int shows = 0;
    int restarts = 0;
    std::size_t handed = 0;
    std::size_t largest = 0;

    OutputTail::Show show() {
        return [this](std::string_view text, bool restart) {
            if (restart) {
                shown.clear();
                ++restarts;
            }
            shown.append(text);
            ++shows;
            handed += text.size();
            largest = std::max(largest, text.size());
        };
    }
};

// The last `lines` lines of `text`, the last of which may lack its line break.
std::string last_lines(const std::string& text, std::size_t lines) {
    std::size_t at = text.size();
    if (at > 0 && text[at - 1] == '\n') {
        --at; // that break ends the last line
    }
    for (std::size_t n = 0; n < lines; ++n) {
        const std::size_t line_break = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
        if (line_break == std::string::npos) {
            return text;
        }
        at = line_break;
    }
    return text.substr(at + 1);
}

// Lines of the program's lengths (up to 61 bytes), `total` bytes in chunks of
// random sizes up to `most`, each taken `step` milliseconds after the last;
// half of them, as the memo's replays come, kept by a share.
std::string stream_into(OutputTail& tail, double& now, std::size_t total, double step,
                        std::uint32_t seed, std::size_t most = 70000) {
    std::mt19937 rng(seed);
    std::string stream;
    while (stream.size() < total) {
        stream.append(rng() % 61, static_cast<char>('a' + rng() % 26)).push_back('\n');
    }
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t chunk = std::min<std::size_t>(1 + rng() % most, stream.size() - at);
        const std::string_view piece = std::string_view(stream).substr(at, chunk);
        if (rng() % 2 == 0) {
            tail.take(piece);
        } else {
            tail.keep(std::make_shared<const std::string>(piece));
        }
        at += chunk;
        now += step;
    }
    return stream;
}

TEST(OutputTail, AFewLinesAtATimeReachThePageWholeAndInOrder) {
    Page page;
    double now = 0;
    OutputTail tail(
        page.show(), [&now] { return now; }, false);
    const std::string stream = stream_into(tail, now, 40000, 50.0, 1, 4000);
    tail.settle();
    EXPECT_EQ(page.shown, stream);
    EXPECT_EQ(page.handed, stream.size()) << "every byte handed over once";
    EXPECT_EQ(page.restarts, 0);
    // Exactly as much as the tail keeps, come at once, still reaches it whole.
    const std::string kept(OutputTail::kKept, 'k');
    tail.take(kept);
    tail.settle();
    EXPECT_EQ(page.shown, stream + kept);
}

TEST(OutputTail, ABurstShowsItsLatestLinesAndSettlesOnMoreThanTheScrollback) {
    for (const double step : {0.0, 5.0, 40.0}) {
        Page page;
        double now = 0;
        OutputTail tail(
            page.show(), [&now] { return now; }, false);
        const std::string stream = stream_into(tail, now, 3 * OutputTail::kKept + 12345, step, 2);
        EXPECT_LE(page.largest, OutputTail::kLive) << "a burst hands over only its latest lines";
        EXPECT_LE(page.shows, 1 + static_cast<int>(now / OutputTail::kMillisecondsBetweenShows));
        tail.settle();
        // The page ends as the stream does, from the start of a line: as many
        // lines as a page is ever handed.
        ASSERT_LE(page.shown.size(), stream.size());
        EXPECT_EQ(page.shown, last_lines(stream, OutputTail::kMostLines)) << step;
        const std::size_t from = stream.size() - page.shown.size();
        EXPECT_EQ(stream.substr(from), page.shown) << step;
        EXPECT_EQ(stream[from - 1], '\n');
        EXPECT_EQ(last_lines(page.shown, 5000), last_lines(stream, 5000));
    }
}

// At exactly the interval the page is shown more; exactly a live show's worth
// reaches it whole; a last line longer than that clears what it shows, which
// is stale, until the output settles; and once settled, only what comes after.
TEST(OutputTail, ShowsAtTheExactBoundsAndNeverLeavesAStaleScreen) {
    Page page;
    double now = 0;
    OutputTail tail(
        page.show(), [&now] { return now; }, false);
    const std::string live = std::string(OutputTail::kLive - 1, 'c') + "\n";
    const std::string long_line = std::string(OutputTail::kLive, 'y') + "\n";
    tail.take("a\n");
    now = OutputTail::kMillisecondsBetweenShows;
    tail.take("b\n");
    EXPECT_EQ(page.shown, "a\nb\n");
    now *= 2;
    tail.take(live);
    EXPECT_EQ(page.shown, "a\nb\n" + live);
    EXPECT_EQ(page.restarts, 0);
    now *= 2;
    tail.take(long_line);
    EXPECT_EQ(page.shown, "");
    tail.settle();
    EXPECT_EQ(page.shown, "a\nb\n" + live + long_line);
    const int restarts = page.restarts;
    tail.take("z\n");
    tail.settle();
    EXPECT_EQ(page.restarts, restarts);
    EXPECT_EQ(page.shown, "a\nb\n" + live + long_line + "z\n");
}

// However much is pending, a settled page is handed no more lines than its
// terminal holds, from the start of a line; fewer are appended to what it shows.
TEST(OutputTail, ASettledPageGetsNoMoreLinesThanItsTerminalHolds) {
    Page page;
    double now = 0;
    OutputTail tail(
        page.show(), [&now] { return now; }, false, 100);
    const std::string stream = stream_into(tail, now, 20000, 0.0, 4, 3000);
    tail.settle();
    EXPECT_EQ(page.shown, last_lines(stream, 100));
    EXPECT_EQ(page.restarts, 1);
    tail.take("one more\nand the prompt: ");
    tail.settle();
    EXPECT_EQ(page.restarts, 1) << "two lines are appended: the terminal scrolls";
    EXPECT_EQ(page.shown, last_lines(stream, 100) + "one more\nand the prompt: ");
}

// A chunk of more than the tail keeps stays kept behind a small one after it.
TEST(OutputTail, AWholeKeptChunkStaysBehindASmallOne) {
    Page page;
    double now = 0;
    OutputTail tail(
        page.show(), [&now] { return now; }, false);
    std::string big;
    while (big.size() < OutputTail::kKept + 100000) {
        big += "123456789\n";
    }
    tail.take(big);
    tail.take("end\n");
    tail.settle();
    EXPECT_EQ(page.shown, last_lines(big + "end\n", OutputTail::kMostLines));
}

// Shares come millions of times a second; the clock, a call out of the
// program, is read once a megabyte of them.
TEST(OutputTail, KeptTextReadsTheClockSeldom) {
    Page page;
    int reads = 0;
    OutputTail tail(
        page.show(), [&reads] { return ++reads, 0.0; }, false);
    const auto trace = std::make_shared<const std::string>(std::string(1499, 't') + "\n");
    for (int k = 0; k < 7000; ++k) { // 10 MiB
        tail.keep(trace);
    }
    EXPECT_LE(reads, 2 * 10 + 1);
    tail.settle();
    EXPECT_EQ(page.shown.substr(page.shown.size() - trace->size()), *trace);
}

TEST(OutputTail, UnderNodeEveryByteGoesOutAsItComes) {
    Page page;
    double now = 0;
    OutputTail tail(
        page.show(), [&now] { return now; }, true);
    const std::string stream = stream_into(tail, now, 2 * OutputTail::kKept, 0.0, 3);
    EXPECT_EQ(page.shown, stream);
}

// The progress goes to the page ten times a second of the search, however
// often its cycles end.
TEST(SearchEvents, ProgressIsPostedAFewTimesASecond) {
    std::vector<double> posted;
    SearchEvents events(VnsStop::after_seconds(20.0), [&](const SearchEvent& event) {
        if (event.kind == SearchEvent::progress) {
            posted.push_back(event.at.seconds);
        }
    });
    for (int ms = 0; ms <= 350; ++ms) {
        events.cycle_ended({ms / 1000.0, ms, 1});
    }
    ASSERT_EQ(posted.size(), 4U); // at 0, 0.1, 0.2 and about 0.3 s
    EXPECT_EQ(posted[1], 0.1) << "posted at exactly a tenth of a second";
}

TEST(PageInput, SettlesTheOutputBeforeEveryWait) {
    std::string log;
    std::string typed = "1 2\n0\n";
    PageInput input(
        [&](char* buffer, int size) {
            log += "wait ";
            const int n = std::min({size, 4, static_cast<int>(typed.size())});
            typed.copy(buffer, static_cast<std::size_t>(n));
            typed.erase(0, static_cast<std::size_t>(n));
            return n;
        },
        [&] { log += "settle "; });
    std::istream in(&input);
    std::string all(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(all, "1 2\n0\n");
    EXPECT_EQ(log, "settle wait settle wait settle wait ");
}

} // namespace
} // namespace knapsack
