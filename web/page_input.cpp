#include "web/page_input.hpp"

#include <utility>

namespace knapsack {

PageInput::PageInput(Wait wait, BeforeWait before_wait)
    : wait_(std::move(wait)), before_wait_(std::move(before_wait)) {}

PageInput::int_type PageInput::underflow() {
    before_wait_();
    const int n = wait_(buffer_.data(), static_cast<int>(buffer_.size()));
    if (n <= 0) {
        return traits_type::eof();
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(buffer_[0]);
}

} // namespace knapsack
