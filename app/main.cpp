#include "app/interactive_menu.hpp"
#include "report/output.hpp"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <new>
#include <unistd.h>

namespace {

constexpr int kFailure = 1;

// What was printed before the failure is delivered first, so a user sees
// how far the run got.
int out_of_memory(knapsack::Output& out) {
    try {
        out.put("Falta memoria para alocar o vetor de ponteiros");
        out.flush();
    } catch (const knapsack::OutputError&) {
        // Nowhere left to say it.
    }
    return kFailure;
}

int output_failed(const knapsack::OutputError& error) {
    std::fprintf(stderr, "Erro ao escrever a saida padrao: %s\n", error.what());
    return kFailure;
}

// A search trace can run to gigabytes; through a pipe, a larger pipe buffer
// means fewer round trips with the reader. Best effort: a refusal is harmless.
void widen_pipe(int fd) {
#ifdef F_SETPIPE_SZ
    ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(knapsack::Output::kDefaultCapacity));
#else
    (void)fd;
#endif
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    widen_pipe(STDOUT_FILENO);
    knapsack::Output out = knapsack::Output::to_fd(STDOUT_FILENO);
    try {
        const int status = knapsack::interactive_menu(std::cin, out);
        out.flush();
        return status;
    } catch (const std::bad_alloc&) {
        return out_of_memory(out);
    } catch (const knapsack::OutputError& error) {
        return output_failed(error);
    }
}
