#pragma once

#include <cstddef>
#include <span>

namespace knapsack::raw_io {

// File descriptors, the same on POSIX systems and on Windows. The program
// reads its instance files and writes its output straight through them: the C
// library's streams would add buffers of their own, and need the heap for them.

inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Opens a file for reading as bytes; -1 when it cannot be opened or is a
// directory (which POSIX systems open happily, to read nothing from it).
int open_for_reading(const char* path);
void close(int fd);

// Bytes read into `buffer`, 0 at the end of the file, -1 on an error.
long read(int fd, char* buffer, std::size_t size);

// Bytes written, at least one; -1 on an error, errno saying which. On
// Windows the standard streams are in text mode, so a line break goes out as
// CR LF, as a C program there writes it.
long write(int fd, const char* data, std::size_t size);
// All of it, in as many writes as it takes, unless one fails or writes
// nothing, which ends it: false then, errno saying why (EIO for a write of
// nothing). Makes only the calls that a signal handler may make.
bool write_all(int fd, const char* data, std::size_t size);

bool is_terminal(int fd);

// A file opened for reading, closed when it goes.
class InputFile {
  public:
    explicit InputFile(const char* path) : fd_(open_for_reading(path)) {}
    ~InputFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile(InputFile&&) = delete;
    InputFile& operator=(InputFile&&) = delete;

    // False when it could not be opened.
    bool usable() const { return fd_ >= 0; }
    // Bytes read into `buffer`; 0 at end of file, -1 on an error.
    long read(std::span<char> buffer) const {
        return raw_io::read(fd_, buffer.data(), buffer.size());
    }

  private:
    int fd_;
};

// Asks for a pipe buffer of `bytes` where the system allows it, so a long
// output crosses in fewer round trips. Best effort: a refusal is harmless.
void widen_pipe(int fd, std::size_t bytes);

} // namespace knapsack::raw_io
