#pragma once

#include "model/evaluation.hpp"
#include "model/instance.hpp"
#include "model/solution.hpp"
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

// The quantities lie within 0..limit, and the solution's running totals, W
// and F are what a fresh sum over every item makes of them.
inline bool describes(const Solution& s) {
    const Instance& inst = s.instance();
    for (std::size_t i = 0; i < s.quantities().size(); ++i) {
        if (s.quantities()[i] < 0 || s.quantities()[i] > inst.limits[i]) {
            return false;
        }
    }
    const Totals fresh = totals_of(inst, s.quantities());
    return s.totals().weight == fresh.weight && s.totals().profit == fresh.profit &&
           s.weight() == total_weight(s.quantities(), inst.weights) &&
           s.objective() == objective_of(inst, fresh);
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
