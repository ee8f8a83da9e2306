#pragma once

#include "model/instance.hpp"
#include "report/output.hpp"
#include "support/text.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace knapsack::testing {

// Weights (2, 3), profits (5, 4), limits (1, 2), capacity 4: penalty 8.
inline Instance two_item_instance() {
    return make_instance({2, 3}, {5, 4}, {1, 2}, 4);
}

// An output sink whose text the test can read back.
class CapturedOutput {
  public:
    CapturedOutput() : out_([this](std::string_view chunk) { text_.append(chunk); }, 64) {}
    Output& out() { return out_; }
    const std::string& text() {
        out_.flush();
        return text_;
    }

  private:
    std::string text_;
    Output out_;
};

} // namespace knapsack::testing
