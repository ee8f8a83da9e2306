#include "app/output.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <unistd.h>

namespace knapsack {

Output::Output(Drain drain, std::size_t capacity)
    : drain_(std::move(drain)), capacity_(std::max<std::size_t>(capacity, 64)),
      buffer_(std::make_unique<char[]>(capacity_)) {}

std::unique_ptr<Output> Output::to_fd(int fd, std::size_t capacity) {
    auto write_all = [fd](std::string_view chunk) {
        while (!chunk.empty()) {
            const ssize_t n = ::write(fd, chunk.data(), chunk.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw OutputError(std::strerror(errno));
            }
            chunk.remove_prefix(static_cast<std::size_t>(n));
        }
    };
    return std::make_unique<Output>(write_all, capacity);
}

std::unique_ptr<Output> Output::discarding() {
    return std::make_unique<Output>([](std::string_view) {});
}

void Output::put_slow(std::string_view text) {
    flush();
    if (text.size() <= capacity_) {
        text.copy(buffer_.get(), text.size());
        size_ = text.size();
        return;
    }
    if (tap_ != nullptr) {
        tap_->append(text);
    }
    drain_(text);
}

void Output::put_int(std::int64_t value, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    for (int pad = width - length; pad > 0; --pad) {
        put(' ');
    }
    put(std::string_view(digits, static_cast<std::size_t>(length)));
}

void Output::copy_to_tap() {
    if (tap_ != nullptr) {
        tap_->append(buffer_.get() + tap_from_, size_ - tap_from_);
        tap_from_ = 0;
    }
}

void Output::flush() {
    if (size_ == 0) {
        return;
    }
    copy_to_tap();
    // Emptied before draining: after a refused write the text is gone either
    // way, and a second flush on the way out must not repeat it.
    const std::string_view chunk(buffer_.get(), size_);
    size_ = 0;
    drain_(chunk);
}

void Output::start_tap(std::string& copy) {
    tap_ = &copy;
    tap_from_ = size_;
}

void Output::stop_tap() {
    copy_to_tap();
    tap_ = nullptr;
}

} // namespace knapsack
