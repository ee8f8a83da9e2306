#include "report/output.hpp"

#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <new>

namespace knapsack {

const char* OutputError::what() const noexcept {
    return std::strerror(error_number_);
}

Output::Output(Drain drain, std::size_t capacity, Keep keep)
    : drain_(std::move(drain)), keep_(std::move(keep)),
      capacity_(std::max<std::size_t>(capacity, 64)) {
    if (capacity_ > kSmallCapacity) {
        large_.reset(new (std::nothrow) char[capacity_]);
    }
    if (large_ != nullptr) {
        buffer_ = large_.get();
    } else {
        buffer_ = small_.data();
        capacity_ = std::min(capacity_, kSmallCapacity);
    }
}

Output Output::to_fd(int fd, std::size_t capacity) {
    return Output(
        [fd](std::string_view chunk) {
            if (!raw_io::write_all(fd, chunk.data(), chunk.size())) {
                throw OutputError(errno);
            }
        },
        capacity);
}

Output Output::discarding() {
    // Kept text is not even copied.
    return Output([](std::string_view) {}, kSmallCapacity,
                  [](const std::shared_ptr<const std::string>&) {});
}

void Output::put(const std::shared_ptr<const std::string>& text) {
    if (keep_) {
        flush();
        keep_(text);
    } else {
        put(std::string_view(*text));
    }
}

void Output::put_slow(std::string_view text) {
    flush();
    if (text.size() <= capacity_) {
        std::memcpy(buffer_, text.data(), text.size());
        size_ = text.size();
        return;
    }
    drain_(text);
}

void Output::put_int(std::int64_t value, int width) {
    std::array<char, 24> digits{}; // the 20 of INT64_MIN and more
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    const auto length = static_cast<int>(end - digits.data());
    for (int pad = width - length; pad > 0; --pad) {
        put(' ');
    }
    put(std::string_view(digits.data(), static_cast<std::size_t>(length)));
}

void Output::flush() {
    if (size_ == 0) {
        return;
    }
    // Emptied before draining: after a refused write the text is gone either
    // way, and a second flush on the way out must not repeat it.
    const std::string_view chunk(buffer_, size_);
    size_ = 0;
    drain_(chunk);
}

} // namespace knapsack
