// Linked into a test build of the program only: it stands in for the C
// library's allocator, which operator new also goes through, and refuses
// requests as the environment says, as an exhausted heap would:
//   KNAPSACK_TEST_REFUSE_ONLY=N        the N-th allocation of the process;
//   KNAPSACK_TEST_REFUSE_FROM=N        every allocation from the N-th on;
//   KNAPSACK_TEST_REFUSE_BYTES=S       every request of S bytes or more;
//   KNAPSACK_TEST_COUNT_ALLOCATIONS=1  report the number made on standard error at exit.
// Allocations are counted from the process's first, which belongs to the C++
// runtime's start-up.
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* p);
}

namespace {

long setting(const char* name) {
    const char* text = std::getenv(name);
    return text == nullptr ? 0 : std::atol(text);
}

long allocations = 0;

// Read afresh each time: the first allocations may come before the
// environment is in place.
bool refused(std::size_t size) {
    ++allocations;
    const long only = setting("KNAPSACK_TEST_REFUSE_ONLY");
    const long from = setting("KNAPSACK_TEST_REFUSE_FROM");
    const long bytes = setting("KNAPSACK_TEST_REFUSE_BYTES");
    const bool refuse = allocations == only || (from > 0 && allocations >= from) ||
                        (bytes > 0 && size >= static_cast<std::size_t>(bytes));
    if (refuse) {
        errno = ENOMEM;
    }
    return refuse;
}

struct CountAtExit {
    ~CountAtExit() {
        if (setting("KNAPSACK_TEST_COUNT_ALLOCATIONS") == 0) {
            return;
        }
        char text[64];
        const int n = std::snprintf(text, sizeof text, "allocations: %ld\n", allocations);
        if (n > 0 && ::write(STDERR_FILENO, text, static_cast<std::size_t>(n)) < 0) {
            // Nothing to be done about it.
        }
    }
} count_at_exit;

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    return refused(size) ? nullptr : __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    return refused(count * size) ? nullptr : __libc_calloc(count, size);
}

void* realloc(void* p, std::size_t size) {
    return refused(size) ? nullptr : __libc_realloc(p, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    return refused(size) ? nullptr : __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void** p, std::size_t alignment, std::size_t size) {
    void* block = memalign(alignment, size);
    if (block == nullptr) {
        return ENOMEM;
    }
    *p = block;
    return 0;
}

void free(void* p) {
    __libc_free(p);
}

} // extern "C"
