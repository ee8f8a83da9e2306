#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace knapsack {

// Raised when the destination of the output refuses it (closed, full, broken
// pipe). Holds only the error number: raising it must not need the heap, which
// may be what ran out.
class OutputError : public std::exception {
  public:
    explicit OutputError(int error_number) noexcept : error_number_(error_number) {}
    const char* what() const noexcept override;
    int error_number() const noexcept { return error_number_; }

  private:
    int error_number_;
};

// The sink every report is written to. Text and integers are formatted straight
// into one large buffer that is handed to its destination in big chunks: the
// search traces are long, and per-line formatted printing would dominate them.
class Output {
  public:
    // Receives each full chunk; throws OutputError when it cannot take it.
    using Drain = std::function<void(std::string_view)>;
    // Receives, in its place in the output, text that is kept elsewhere too,
    // for a destination that holds on to its output: a share of it instead of
    // a copy.
    using Keep = std::function<void(const std::shared_ptr<const std::string>&)>;

    // The buffer holds `capacity` bytes (at least 64). A large buffer only saves
    // round trips to the destination, so when the heap refuses it the sink
    // makes do with one of kSmallCapacity bytes inside itself, writing the same
    // text in smaller chunks. Without `keep`, kept text is copied like any other.
    explicit Output(Drain drain, std::size_t capacity = kDefaultCapacity, Keep keep = {});
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    // Not movable either: a drain may hold the sink's address (TraceMemo's does).
    Output(Output&&) = delete;
    Output& operator=(Output&&) = delete;
    ~Output() = default;

    // Writes to a file descriptor, such as standard output.
    static Output to_fd(int fd, std::size_t capacity = kDefaultCapacity);
    // Throws the text away, for runs whose output only costs time.
    static Output discarding();

    void put(std::string_view text) {
        if (text.size() <= capacity_ - size_) {
            // memcpy itself, which compilers turn into the target's own copy
            // (WebAssembly's memory.copy among them), rather than a library call.
            std::memcpy(buffer_ + size_, text.data(), text.size());
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
    // Text that is kept elsewhere too (a trace the VNS replays).
    void put(const std::shared_ptr<const std::string>& text);
    // `value` in decimal, right-aligned in at least `width` columns like printf's %*d.
    void put_int(std::int64_t value, int width = 0);

    // Hands everything buffered to the destination.
    void flush();

    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;
    static constexpr std::size_t kSmallCapacity = 4096;

  private:
    void put_slow(std::string_view text);

    Drain drain_;
    Keep keep_;
    // Of a size known only at run time, asked of the heap without throwing:
    // NOLINTNEXTLINE(cppcoreguidelines-avoid-c-arrays): new (std::nothrow) char[n] makes it
    std::unique_ptr<char[]> large_;
    std::array<char, kSmallCapacity> small_{};
    char* buffer_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

} // namespace knapsack
