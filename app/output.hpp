#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace knapsack {

// Raised when the destination of the output refuses it (closed, full, broken pipe).
class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The sink every report is written to. Text and integers are formatted straight
// into one large buffer that is handed to its destination in big chunks: the
// search traces are long, and per-line formatted printing would dominate them.
class Output {
  public:
    // Receives each full chunk; throws OutputError when it cannot take it.
    using Drain = std::function<void(std::string_view)>;

    explicit Output(Drain drain, std::size_t capacity = kDefaultCapacity);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    static std::unique_ptr<Output> to_fd(int fd, std::size_t capacity = kDefaultCapacity);
    static std::unique_ptr<Output> discarding();

    void put(std::string_view text) {
        if (text.size() <= capacity_ - size_) {
            text.copy(buffer_.get() + size_, text.size());
            size_ += text.size();
        } else {
            put_slow(text);
        }
    }
    void put(char c) {
        if (size_ == capacity_) {
            flush();
        }
        buffer_[size_++] = c;
    }
    // `value` in decimal, right-aligned in at least `width` columns like printf's %*d.
    void put_int(std::int64_t value, int width = 0);

    // Hands everything buffered to the destination.
    void flush();

    // While tapped, everything written is also appended to `copy`, without
    // slowing down the writes themselves.
    void start_tap(std::string& copy);
    void stop_tap();
    // Ends a tap without copying, for a caller that is unwinding.
    void abandon_tap() noexcept { tap_ = nullptr; }

    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

  private:
    void put_slow(std::string_view text);
    void copy_to_tap();

    Drain drain_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::string* tap_ = nullptr;
    std::size_t tap_from_ = 0;
};

} // namespace knapsack
