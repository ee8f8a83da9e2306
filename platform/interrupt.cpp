#include "platform/interrupt.hpp"

#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>

namespace knapsack::interrupt {

namespace {

constexpr std::size_t kMostBlanks = 512;
constexpr auto kBlanks = [] {
    std::array<char, kMostBlanks> blanks{};
    blanks.fill(' ');
    return blanks;
}();
constexpr std::array<int, 2> kSignals{SIGINT, SIGTERM};

// What the handler reads. A signal handler reaches only globals, and of those
// only volatile sig_atomic_t ones safely.
// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables): the handler's state
volatile std::sig_atomic_t line_fd = -1;
volatile std::sig_atomic_t line_length = 0;

// The handlers the signals had before, to put back.
using Handler = void (*)(int);
std::array<Handler, kSignals.size()> previous{};
std::array<bool, kSignals.size()> installed{};
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)

// Whether whoever started the program (a background job's shell) has the
// signal ignored: then it stays so.
bool ignored(int signal_number) {
#ifdef _WIN32
    (void)signal_number;
    return false; // no program starts with a signal ignored there
#else
    struct sigaction current {};
    return sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
#endif
}

extern "C" void erase_then_end(int signal_number) {
    const int saved_errno = errno;
    const int fd = line_fd;
    const auto length = static_cast<std::size_t>(line_length);
    if (fd >= 0 && length > 0) {
        // Only calls a signal handler may make: write, signal, raise.
        (void)raw_io::write_all(fd, "\r", 1);
        (void)raw_io::write_all(fd, kBlanks.data(), length);
        (void)raw_io::write_all(fd, "\r", 1);
    }
    errno = saved_errno;
    // Should either fail, the program still ends: the signal stays as it was.
    (void)std::signal(signal_number, SIG_DFL);
    (void)std::raise(signal_number);
}

} // namespace

void erase_line_first(int fd, std::size_t length) {
    line_fd = fd;
    line_length = static_cast<std::sig_atomic_t>(std::min(length, kMostBlanks));
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        if (installed[k] || ignored(kSignals[k])) {
            continue;
        }
        const Handler before = std::signal(kSignals[k], erase_then_end);
        if (before == SIG_ERR) {
            continue;
        }
        previous[k] = before;
        installed[k] = true;
    }
}

void restore() {
    line_length = 0;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        if (installed[k]) {
            (void)std::signal(kSignals[k], previous[k]); // it was, until now
            installed[k] = false;
        }
    }
}

} // namespace knapsack::interrupt
