// The heap of the browser build reports exhaustion as the console's does, by
// throwing std::bad_alloc: the library the build links is the one without
// exception support, whose operator new would abort the program instead. So
// the memo still does without what it is refused, and an exhausted heap ends
// the run with the console's message.
#include <cstdlib>
#include <new>

// NOLINTBEGIN(cppcoreguidelines-no-malloc): the global operator new is where the heap is asked

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
// NOLINTEND(cppcoreguidelines-no-malloc)
