#include "app/console.hpp"

#include "app/interactive_menu.hpp"
#include "report/output.hpp"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <new>
#include <unistd.h>

namespace knapsack {

namespace {

constexpr int kFailure = 1;

// What was printed before the failure is delivered first, so a user sees how
// far the run got. Nothing here needs the heap.
int out_of_memory(Output& out) {
    try {
        out.put("Falta memoria para alocar o vetor de ponteiros");
        out.flush();
    } catch (const OutputError&) {
        // Nowhere left to say it.
    }
    return kFailure;
}

int output_failed(const OutputError& error) {
    std::fprintf(stderr, "Erro ao escrever a saida padrao: %s\n", error.what());
    return kFailure;
}

// A search trace can run to gigabytes; through a pipe, a larger pipe buffer
// means fewer round trips with the reader. Best effort: a refusal is harmless.
void widen_pipe(int fd) {
#ifdef F_SETPIPE_SZ
    ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(Output::kDefaultCapacity));
#else
    (void)fd;
#endif
}

} // namespace

int run_console(const VnsStop& vns_stop) {
    // Standard input stays tied to C's stdin, whose buffer the C library
    // replaces by a one-byte one when the heap refuses it; the menu reads
    // little, so the speed of a detached stream buys nothing.
    widen_pipe(STDOUT_FILENO);
    // Needs no heap: without its large buffer the sink uses a small inner one.
    Output out = Output::to_fd(STDOUT_FILENO);
    try {
        const int status = interactive_menu(std::cin, out, vns_stop);
        out.flush();
        return status;
    } catch (const std::bad_alloc&) {
        return out_of_memory(out);
    } catch (const OutputError& error) {
        return output_failed(error);
    }
}

} // namespace knapsack
