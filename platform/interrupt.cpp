#include "platform/interrupt.hpp"

#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace knapsack::interrupt {

namespace {

constexpr std::size_t kMostBlanks = 512;
constexpr auto kBlanks = [] {
    std::array<char, kMostBlanks> blanks{};
    blanks.fill(' ');
    return blanks;
}();

// What the handler reads. A signal handler reaches only globals, and of those
// only volatile sig_atomic_t ones safely.
// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables): the handler's state
volatile std::sig_atomic_t line_fd = -1;
volatile std::sig_atomic_t line_length = 0;

void blank_out_line() {
    const int fd = line_fd;
    const auto length = static_cast<std::size_t>(line_length);
    line_length = 0; // once, however many signals come
    if (fd >= 0 && length > 0) {
        (void)raw_io::write_all(fd, "\r", 1);
        (void)raw_io::write_all(fd, kBlanks.data(), length);
        (void)raw_io::write_all(fd, "\r", 1);
    }
}

#ifdef _WIN32

// Windows has neither sigaction nor the other signals; a console's Ctrl-C
// arrives as SIGINT.
constexpr std::array<int, 2> kSignals{SIGINT, SIGTERM};
using Handler = void (*)(int);
std::array<Handler, kSignals.size()> previous{};
std::array<bool, kSignals.size()> installed{};

extern "C" void erase_then_end(int signal_number) {
    const int saved_errno = errno;
    blank_out_line();
    errno = saved_errno; // the raise below does not come back
    (void)std::signal(signal_number, SIG_DFL);
    (void)std::raise(signal_number);
}

void install(std::size_t k) {
    const Handler before = std::signal(kSignals[k], erase_then_end);
    if (before != SIG_ERR) {
        previous[k] = before;
        installed[k] = true;
    }
}

void put_back(std::size_t k) {
    (void)std::signal(kSignals[k], previous[k]);
}

#else

// Every way a terminal user's run can be ended from outside: Ctrl-C, kill,
// a closed terminal, Ctrl-\, and the reader of the trace going away.
constexpr std::array<int, 5> kSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
std::array<struct sigaction, kSignals.size()> previous{};
std::array<bool, kSignals.size()> installed{};

extern "C" void erase_then_end(int signal_number) {
    const int saved_errno = errno;
    blank_out_line();
    // Only calls a signal handler may make. The signal is blocked while this
    // runs, so the one raised here ends the program, by the default action,
    // as this returns; should that not work, the status says the same.
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigemptyset(&default_action.sa_mask);
    if (sigaction(signal_number, &default_action, nullptr) != 0 || raise(signal_number) != 0) {
        _exit(128 + signal_number);
    }
    errno = saved_errno;
}

// Whether whoever started the program (a background job's shell, nohup) has
// the signal ignored: then it stays so.
bool ignored(int signal_number) {
    struct sigaction current {};
    return sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void install(std::size_t k) {
    if (ignored(kSignals[k])) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = erase_then_end;
    // A second signal waits until the first has erased the line.
    sigemptyset(&action.sa_mask);
    for (const int other : kSignals) {
        sigaddset(&action.sa_mask, other);
    }
    if (sigaction(kSignals[k], &action, &previous[k]) == 0) {
        installed[k] = true;
    }
}

void put_back(std::size_t k) {
    (void)sigaction(kSignals[k], &previous[k], nullptr);
}

#endif
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)

} // namespace

void erase_line_first(int fd, std::size_t length) {
    line_fd = fd;
    line_length = static_cast<std::sig_atomic_t>(std::min(length, kMostBlanks));
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        if (!installed[k]) {
            install(k);
        }
    }
}

void restore() {
    line_length = 0;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        if (installed[k]) {
            put_back(k); // as it was, flags and mask included
            installed[k] = false;
        }
    }
}

} // namespace knapsack::interrupt
