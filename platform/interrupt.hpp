#pragma once

#include <cstddef>

namespace knapsack::interrupt {

// While a line of `length` characters stands on the terminal at `fd`, the
// signals that end a run from outside (Ctrl-C, SIGTERM, a closed terminal,
// SIGQUIT, and SIGPIPE when the reader of the output goes away; on Windows
// SIGINT and SIGTERM) first blank it out (carriage return, blanks, carriage
// return), then end the program by the same signal, its default action
// restored, so that a shell sees it ended by that signal. The first call
// after restore() (or ever) installs the handler, for each signal that is not
// being ignored; the calls after it change the line's fd and length.
void erase_line_first(int fd, std::size_t length);

// The line is gone: the signals act again exactly as they did before.
void restore();

} // namespace knapsack::interrupt
