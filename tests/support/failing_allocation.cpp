// Linked into a test build of the program only. KNAPSACK_TEST_FAIL_ALLOCATION=N
// makes the N-th allocation of one solution vector (50 32-bit integers: the
// menu's and the instance's vectors at start-up, then each search's working
// copy) throw std::bad_alloc, as an exhausted heap would.
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kVectorBytes = 50 * sizeof(std::int32_t);

long failing_allocation() {
    static const long n = [] {
        const char* text = std::getenv("KNAPSACK_TEST_FAIL_ALLOCATION");
        return text == nullptr ? 0L : std::atol(text);
    }();
    return n;
}

long vectors_allocated = 0;

} // namespace

void* operator new(std::size_t size) {
    if (size == kVectorBytes && ++vectors_allocated == failing_allocation()) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
