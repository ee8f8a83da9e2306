#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace knapsack::reference {

// The FILE* the reference prints through: into memory, where the text can be
// read back, or into /dev/null when only the printing itself matters.
class ReferenceSink {
  public:
    explicit ReferenceSink(bool into_memory = true)
        : file_(into_memory ? open_memstream(&data_, &size_) : std::fopen("/dev/null", "w")) {}
    ~ReferenceSink() {
        std::fclose(file_);
        std::free(data_);
    }
    ReferenceSink(const ReferenceSink&) = delete;
    ReferenceSink& operator=(const ReferenceSink&) = delete;

    std::FILE* file() { return file_; }
    std::string text() {
        std::fflush(file_);
        return data_ == nullptr ? std::string() : std::string(data_, size_);
    }
    // Starts the text over once it passes `bytes`, so a long benchmark keeps
    // measuring the printing and not the growth of the memory behind it.
    std::FILE* reused_past(std::size_t bytes) {
        if (data_ != nullptr && size_ > bytes) {
            std::rewind(file_);
        }
        return file_;
    }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

} // namespace knapsack::reference
