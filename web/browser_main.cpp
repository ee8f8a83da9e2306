// The program in a web page: the same menu over the same searches, with its
// input typed into the page and its output shown there (see output_tail and
// page_input), run in a Web Worker by web/site/worker.js, or under node by
// web/run_node.mjs.
#include "menu/interactive_menu.hpp"
#include "model/loader.hpp"
#include "quality/exact_optimum.hpp"
#include "report/output.hpp"
#include "report/reports.hpp"
#include "search/vns.hpp"
#include "web/output_tail.hpp"
#include "web/page_bridge.hpp"
#include "web/page_input.hpp"
#include "web/search_events.hpp"

#include <cstddef>
#include <istream>
#include <new>

namespace knapsack {
namespace {

constexpr std::size_t kOutputChunk = std::size_t{16} << 20;

// The chart's line of reference. The instance is loaded here on its own; when
// it cannot be, the menu reports why as the console does.
void announce_exact_optimum() {
    try {
        page::exact_optimum(true, exact_optimum(load_instance()).objective);
    } catch (const LoadError&) {
        page::exact_optimum(false, 0);
    }
}

int run() {
    OutputTail tail(page::show_output, page::now_ms, page::wants_every_byte());
    // Large chunks: the tail copies only the last OutputTail::kKept bytes of each.
    Output out([&tail](std::string_view chunk) { tail.take(chunk); }, kOutputChunk,
               [&tail](const std::shared_ptr<const std::string>& text) { tail.keep(text); });
    PageInput input(page::wait_for_input, [&out, &tail] {
        out.flush();
        tail.settle();
    });
    std::istream in(&input);
    const VnsStop stop = VnsStop::after_seconds(kVnsBudgetSeconds);
    SearchEvents events(
        stop, [](const SearchEvent& event) { page::search_event(event, kVnsBudgetSeconds); });
    int status = 1;
    try {
        announce_exact_optimum();
        status = interactive_menu(in, out, stop, &events);
    } catch (const std::bad_alloc&) {
        out.put(kOutOfMemoryMessage);
    }
    out.flush();
    tail.settle();
    return status;
}

} // namespace
} // namespace knapsack

int main() {
    // Under Asyncify main's own return value does not reach the script once
    // the program has waited for input, so it is handed over before.
    const int status = knapsack::run();
    knapsack::page::finished(status);
    return status;
}
