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
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace knapsack {
namespace {

constexpr std::size_t kOutputChunk = std::size_t{16} << 20;

// What each method found, for the page's text beside the terminal.
class PageResults : public MenuObserver {
  public:
    void solution_found(MenuChoice method, const Solution& current) override {
        page::solution_found(method, current.objective(), current.weight(), current.infeasibility(),
                             current.quantities(), current.instance().weights);
    }
};

// Loaded once: the page is told of it (the chart's optimum, or the file at
// fault), and the menu serves it.
int serve(std::istream& in, Output& out, const MenuSettings& settings) {
    std::optional<Instance> instance;
    try {
        instance = load_instance();
    } catch (const LoadError& error) {
        page::instance_refused(error);
        return refuse_instance(error, in, out);
    }
    page::instance_loaded(exact_optimum(*instance).objective);
    return serve_menu(*instance, in, out, settings);
}

// The console's last words. When even the output's own keeping is refused
// the heap, the page is handed them itself.
void out_of_memory(Output& out, OutputTail& tail) {
    try {
        out.put(kOutOfMemoryMessage);
        out.flush();
        tail.settle();
    } catch (const std::bad_alloc&) {
        page::show_output(kOutOfMemoryMessage, false);
    }
}

int run() {
    const bool every_byte = page::wants_every_byte();
    OutputTail tail(page::show_output, page::now_ms, every_byte, page::terminal_lines());
    // Large chunks: the tail keeps only the last OutputTail::kKept bytes of
    // each, and a share of each replayed trace. Under node every byte goes
    // out, in chunks as large as the console's.
    Output::Keep keep;
    if (!every_byte) {
        keep = [&tail](const std::shared_ptr<const std::string>& text) { tail.keep(text); };
    }
    Output out([&tail](std::string_view chunk) { tail.take(chunk); }, kOutputChunk, keep);
    PageInput input(page::wait_for_input, [&out, &tail] {
        out.flush();
        tail.settle();
    });
    std::istream in(&input);
    const VnsStop stop = VnsStop::after_seconds(kVnsBudgetSeconds);
    SearchEvents events(
        stop, [](const SearchEvent& event) { page::search_event(event, kVnsBudgetSeconds); });
    PageResults results;
    try {
        const int status =
            serve(in, out, {.vns_stop = stop, .vns_observer = &events, .observer = &results});
        out.flush();
        tail.settle();
        return status;
    } catch (const std::bad_alloc&) {
        out_of_memory(out, tail);
        return 1;
    }
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
