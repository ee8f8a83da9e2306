#include "run_process.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace knapsack::testing {

namespace {

struct Child {
    pid_t pid;
    int in;
    int out;
    int err;
};

void append_capped(std::string& kept, const char* data, std::size_t n, std::size_t cap) {
    if (kept.size() < cap) {
        kept.append(data, std::min(n, cap - kept.size()));
    }
}

void keep_tail(std::string& tail, const char* data, std::size_t n, std::size_t cap) {
    if (cap == 0) {
        return;
    }
    tail.append(data, n);
    if (tail.size() > 2 * cap) {
        tail.erase(0, tail.size() - cap);
    }
}

Child spawn(const RunOptions& options) {
    int in_pipe[2];
    int out_pipe[2];
    int err_pipe[2];
    if (pipe2(in_pipe, O_CLOEXEC) != 0 || pipe2(out_pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    if (options.stderr_terminal ? openpty(&err_pipe[0], &err_pipe[1], nullptr, nullptr, nullptr)
                                : pipe2(err_pipe, O_CLOEXEC)) {
        throw std::runtime_error("pipe or pseudo-terminal failed");
    }
    std::vector<std::string> env_strings;
    for (char** e = environ; *e != nullptr; ++e) {
        env_strings.emplace_back(*e);
    }
    env_strings.insert(env_strings.end(), options.environment.begin(), options.environment.end());
    std::vector<char*> envp;
    for (auto& s : env_strings) {
        envp.push_back(s.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args{options.program.string()};
    args.insert(args.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (auto& s : args) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        // As a shell would start it, unless the test asks for EPIPE instead.
        std::signal(SIGPIPE, options.sigpipe_ignored ? SIG_IGN : SIG_DFL);
        std::signal(SIGINT, options.sigint_ignored ? SIG_IGN : SIG_DFL);
        if (options.close_stdin) {
            close(STDIN_FILENO);
        } else {
            dup2(in_pipe[0], STDIN_FILENO);
        }
        if (options.close_stdout) {
            close(STDOUT_FILENO);
        } else if (!options.stdout_path.empty()) {
            const int fd = open(options.stdout_path.c_str(), O_WRONLY);
            dup2(fd, STDOUT_FILENO);
        } else {
            dup2(out_pipe[1], STDOUT_FILENO);
        }
        dup2(err_pipe[1], STDERR_FILENO);
        if (options.stderr_terminal) {
            close(err_pipe[0]);
            close(err_pipe[1]);
        }
        if (!options.working_directory.empty() && chdir(options.working_directory.c_str()) != 0) {
            _exit(127);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);
    return {pid, in_pipe[1], out_pipe[0], err_pipe[0]};
}

} // namespace

RunResult run_process(const RunOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    const Child child = spawn(options);
    const pid_t pid = child.pid;

    RunResult result;
    bool signalled = false;
    std::size_t written = 0;
    int in_fd = child.in;
    if (options.close_stdin || options.input.empty()) {
        close(in_fd);
        in_fd = -1;
    }
    if (in_fd >= 0) {
        // A blocking write of a long input would wait on a child that is
        // itself waiting for its output to be read.
        fcntl(in_fd, F_SETFL, fcntl(in_fd, F_GETFL) | O_NONBLOCK);
    }
    int out_fd = child.out;
    int err_fd = child.err;
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<char> buffer(std::size_t{1} << 20);
    const auto deadline = started + std::chrono::duration<double>(options.timeout_seconds);
    while (out_fd >= 0 || err_fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timed_out = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd fds[3];
        nfds_t count = 0;
        for (int fd : {out_fd, err_fd}) {
            if (fd >= 0) {
                fds[count++] = {fd, POLLIN, 0};
            }
        }
        if (in_fd >= 0) {
            fds[count++] = {in_fd, POLLOUT, 0};
        }
        if (poll(fds, count, static_cast<int>(std::min<long long>(left.count(), 1000))) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (nfds_t k = 0; k < count; ++k) {
            if (fds[k].revents == 0) {
                continue;
            }
            const int fd = fds[k].fd;
            if (fd == in_fd) {
                const ssize_t n =
                    write(fd, options.input.data() + written, options.input.size() - written);
                if (n > 0) {
                    written += static_cast<std::size_t>(n);
                }
                if ((n < 0 && errno != EAGAIN) || written == options.input.size()) {
                    close(in_fd);
                    in_fd = -1;
                }
                continue;
            }
            const ssize_t n = read(fd, buffer.data(), buffer.size());
            if (n <= 0) {
                close(fd);
                (fd == out_fd ? out_fd : err_fd) = -1;
                continue;
            }
            const auto size = static_cast<std::size_t>(n);
            if (fd == out_fd) {
                result.stdout_pipe_size =
                    std::max(result.stdout_pipe_size, fcntl(fd, F_GETPIPE_SZ));
                result.stdout_bytes += size;
                append_capped(result.head, buffer.data(), size, options.keep_head);
                keep_tail(result.tail, buffer.data(), size, options.keep_tail);
                if (result.stdout_bytes >= options.read_limit) {
                    close(out_fd); // the reader goes away, as `head` does
                    out_fd = -1;
                }
            } else {
                append_capped(result.err, buffer.data(), size, 1 << 16);
                if (!options.signals.empty() && !signalled &&
                    result.err.find(options.signal_cue) != std::string::npos) {
                    for (std::size_t s = 0; s < options.signals.size(); ++s) {
                        if (s > 0) {
                            // One at a time, so that the program meets each
                            // signal by itself rather than one in the handler
                            // of the other.
                            std::this_thread::sleep_for(std::chrono::milliseconds(100));
                        }
                        kill(pid, options.signals[s]);
                    }
                    signalled = true;
                }
            }
        }
    }
    for (int fd : {in_fd, out_fd, err_fd}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (WIFEXITED(status)) {
        result.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    if (result.tail.size() > options.keep_tail) {
        result.tail.erase(0, result.tail.size() - options.keep_tail);
    }
    return result;
}

Conversation::Conversation(const RunOptions& options) {
    const Child child = spawn(options);
    pid_ = child.pid;
    in_ = child.in;
    out_ = child.out;
    close(child.err);
    std::signal(SIGPIPE, SIG_IGN);
}

Conversation::~Conversation() {
    for (int fd : {in_, out_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    if (exit_status_ == kRunning) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void Conversation::read_for(double seconds, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    char buffer[4096];
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        if (out_ >= 0) {
            pollfd fd{out_, POLLIN, 0};
            if (poll(&fd, 1, 20) > 0) {
                const ssize_t n = read(out_, buffer, sizeof buffer);
                if (n > 0) {
                    output_.append(buffer, static_cast<std::size_t>(n));
                } else {
                    close(out_);
                    out_ = -1;
                }
            }
        } else {
            poll(nullptr, 0, 20);
        }
        int status = 0;
        if (exit_status_ == kRunning && waitpid(pid_, &status, WNOHANG) == pid_) {
            exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : kKilled;
        }
    }
}

bool Conversation::shows(const std::string& text, double seconds) {
    read_for(seconds, [&] { return output_.find(text) != std::string::npos; });
    return output_.find(text) != std::string::npos;
}

void Conversation::send(const std::string& text) {
    if (write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw std::runtime_error("the program stopped reading");
    }
}

int Conversation::exit_status_within(double seconds) {
    read_for(seconds, [&] { return exit_status_ != kRunning; });
    return exit_status_;
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "knapsack-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::write(const std::string& name, const std::string& contents) const {
    std::ofstream file(path_ / name, std::ios::binary);
    file << contents;
}

std::string why_pipes_stay_narrower_than(std::size_t bytes) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "no pipe can be made";
    }
    const int size = fcntl(fds[1], F_SETPIPE_SZ, static_cast<int>(bytes));
    close(fds[0]);
    close(fds[1]);
    if (size >= static_cast<int>(bytes)) {
        return "";
    }
    return "a pipe holds at most " + std::to_string(size < 0 ? 0 : size) +
           " bytes here (/proc/sys/fs/pipe-max-size: " + read_file("/proc/sys/fs/pipe-max-size") +
           ", pipe-user-pages-soft: " + read_file("/proc/sys/fs/pipe-user-pages-soft") + ")";
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace knapsack::testing
