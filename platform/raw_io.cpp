#include "platform/raw_io.hpp"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace knapsack::raw_io {

#ifdef _WIN32

int open_for_reading(const char* path) {
    return ::_open(path, _O_RDONLY | _O_BINARY);
}

void close(int fd) {
    ::_close(fd);
}

// The Windows calls move at most INT_MAX bytes at once.
long read(int fd, char* buffer, std::size_t size) {
    return ::_read(fd, buffer, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

long write(int fd, const char* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

bool is_terminal(int fd) {
    return ::_isatty(fd) != 0;
}

void widen_pipe(int, std::size_t) {}

#else

int open_for_reading(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void close(int fd) {
    ::close(fd);
}

long read(int fd, char* buffer, std::size_t size) {
    ssize_t n = -1;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

long write(int fd, const char* data, std::size_t size) {
    ssize_t n = -1;
    do {
        n = ::write(fd, data, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool is_terminal(int fd) {
    return ::isatty(fd) != 0;
}

void widen_pipe(int fd, std::size_t bytes) {
#ifdef F_SETPIPE_SZ
    ::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(bytes < INT_MAX ? bytes : INT_MAX));
#else
    (void)fd;
    (void)bytes;
#endif
}

#endif

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long n = write(fd, data, size);
        if (n <= 0) {
            if (n == 0) {
                errno = EIO; // no progress, and none to expect from trying again
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace knapsack::raw_io
