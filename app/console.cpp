#include "app/console.hpp"

#include "app/progress_line.hpp"
#include "menu/interactive_menu.hpp"
#include "platform/raw_io.hpp"
#include "report/output.hpp"
#include "report/reports.hpp"

#include <cstdio>
#include <iostream>
#include <new>

namespace knapsack {

namespace {

constexpr int kFailure = 1;

// What was printed before the failure is delivered first, so a user sees how
// far the run got. Nothing here needs the heap.
int out_of_memory(Output& out) {
    try {
        out.put(kOutOfMemoryMessage);
        out.flush();
    } catch (const OutputError&) {
        // Nowhere left to say it.
    }
    return kFailure;
}

int output_failed(const OutputError& error) {
    // When standard error refuses this too, the exit status still tells.
    (void)std::fprintf(stderr, "Erro ao escrever a saida padrao: %s\n", error.what());
    return kFailure;
}

} // namespace

int run_console(const VnsStop& vns_stop) {
    // A search trace can run to gigabytes; through a pipe, a larger pipe
    // buffer means fewer round trips with the reader.
    raw_io::widen_pipe(raw_io::kStandardOutput, Output::kDefaultCapacity);
    // Needs no heap: without its large buffer the sink uses a small inner one.
    Output out = Output::to_fd(raw_io::kStandardOutput);
    // Shown only where it helps: the trace goes somewhere else than the screen
    // the user is looking at.
    ProgressLine progress(raw_io::kStandardError, vns_stop);
    const bool show_progress = raw_io::is_terminal(raw_io::kStandardError) &&
                               !raw_io::is_terminal(raw_io::kStandardOutput);
    try {
        // std::cin stays tied to C's stdin, whose buffer the C library replaces
        // by a one-byte one when the heap refuses it; the menu reads little, so
        // a detached stream's speed would buy nothing.
        const int status = interactive_menu(
            std::cin, out,
            {.vns_stop = vns_stop, .vns_observer = show_progress ? &progress : nullptr});
        out.flush();
        return status;
    } catch (const std::bad_alloc&) {
        progress.erase();
        return out_of_memory(out);
    } catch (const OutputError& error) {
        progress.erase();
        return output_failed(error);
    }
}

} // namespace knapsack
