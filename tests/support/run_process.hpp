#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace knapsack::testing {

struct RunOptions {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path working_directory;
    std::string input;                 // written to standard input, which is then closed
    bool close_stdin = false;          // start with standard input closed instead
    bool close_stdout = false;         // start with standard output closed
    std::size_t read_limit = SIZE_MAX; // stop reading standard output after this many bytes
    std::string stdout_path;      // when set, standard output goes to this file instead of a pipe
    bool stderr_terminal = false; // standard error on a pseudo-terminal instead of a pipe
    bool sigpipe_ignored = false; // started with SIGPIPE ignored, so a write gets EPIPE
    bool sigint_ignored = false;  // started with SIGINT ignored, as a background job
    std::vector<int> signals; // sent in turn, 0.1 s apart, once standard error shows `signal_cue`
    std::string signal_cue;
    std::vector<std::string> environment;         // extra NAME=value entries
    std::size_t keep_head = std::size_t{1} << 22; // bytes of standard output kept from the start
    std::size_t keep_tail = 0;                    // and from the end
    double timeout_seconds = 30.0;
};

struct RunResult {
    int exit_status = -1; // -1 when killed by a signal
    int signal = 0;
    bool timed_out = false;
    std::size_t stdout_bytes = 0; // everything written, kept or not
    std::string head;
    std::string tail;
    std::string err; // standard error, or what the pseudo-terminal received
    double seconds = 0.0;
    int stdout_pipe_size = 0; // the most the pipe to standard output could hold (F_GETPIPE_SZ)
};

// Runs a program to completion, feeding its standard input and counting its
// standard output without storing more of it than asked: a search trace can
// run to gigabytes.
RunResult run_process(const RunOptions& options);

// A program run a step at a time, its standard input left open between steps,
// so that a test sees what it shows while it waits for input.
class Conversation {
  public:
    static constexpr int kRunning = -2;
    static constexpr int kKilled = -1;

    explicit Conversation(const RunOptions& options);
    ~Conversation();
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    // Whether `text` appears on standard output within `seconds`.
    bool shows(const std::string& text, double seconds);
    void send(const std::string& text);
    // The exit status once the program ends within `seconds` (input still
    // open), kRunning if it is still running then, kKilled after a signal.
    int exit_status_within(double seconds);
    const std::string& output() const { return output_; }

  private:
    void read_for(double seconds, const std::function<bool()>& done);

    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int exit_status_ = kRunning;
    std::string output_;
};

// A fresh directory under the system's temporary directory, removed on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& contents) const;

  private:
    std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);

// Why no pipe here can be widened to `bytes` (the system's largest pipe, or
// the user's pipe quota, is smaller); empty when one can.
std::string why_pipes_stay_narrower_than(std::size_t bytes);

} // namespace knapsack::testing
