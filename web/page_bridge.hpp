#pragma once

#include "web/search_events.hpp"

#include <cstdint>
#include <string_view>

namespace knapsack::page {

// The calls between the program and the script that runs it (web/site/worker.js
// in the browser, web/run_node.mjs under node), each one function of that
// script's Module object.

// Whether the script wants every byte of the output (node) or only what a page
// can show (the browser).
bool wants_every_byte();
// Hands output text over; `restart`: drop what is shown and start from this.
void show_output(std::string_view text, bool restart);
// Waits, letting the page run on, for at most `size` bytes of input; 0 at its end.
int wait_for_input(char* buffer, int size);
// A VNS event, for the progress line and the chart.
void search_event(const SearchEvent& event, double budget_seconds);
// The exact optimum of the instance loaded, or that there is none to chart.
void exact_optimum(bool known, std::int64_t objective);
// Milliseconds on the page's steady clock.
double now_ms();
// The program is done, with this exit status.
void finished(int status);

} // namespace knapsack::page
