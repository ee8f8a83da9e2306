#pragma once

#include "model/loader.hpp"
#include "web/search_events.hpp"

#include <cstdint>
#include <span>
#include <string_view>

namespace knapsack::page {

// The calls between the program and the script that runs it (web/site/worker.js
// in the browser, web/run_node.mjs under node), each one function of that
// script's Module object.

// Whether the script wants every byte of the output (node) or only what a page
// can show (the browser).
bool wants_every_byte();
// How many lines the page's terminal holds, scrollback included.
std::size_t terminal_lines();
// Hands output text over; `restart`: drop what is shown and start from this.
void show_output(std::string_view text, bool restart);
// Waits, letting the page run on, for at most `size` bytes of input; 0 at its end.
int wait_for_input(char* buffer, int size);
// A VNS event, for the progress line and the chart.
void search_event(const SearchEvent& event, double budget_seconds);
// The instance was loaded; its exact optimum, for the chart.
void instance_loaded(std::int64_t optimum);
// The instance was refused: which file, why, and where the value at fault stands.
void instance_refused(const LoadError& error);
// Option `method` (1, 2 or 3) ended with this current solution; `weights`
// are the items', for the quantities to be read beside them.
void solution_found(int method, std::int32_t objective, std::int32_t weight, std::int32_t excess,
                    std::span<const std::int32_t> quantities,
                    std::span<const std::int32_t> weights);
// Milliseconds on the page's steady clock.
double now_ms();
// The program is done, with this exit status.
void finished(int status);

} // namespace knapsack::page
