#include "search/descents.hpp"

#include "model/evaluation.hpp"
#include "model/moves.hpp"
#include "report/reports.hpp"

#include <limits>
#include <variant>

namespace knapsack {

namespace {

// Makes a move, whichever kind it is.
template <typename Move> void make(const Move& move, Solution& solution) {
    move.apply(solution);
}
template <typename... Moves> void make(const std::variant<Moves...>& move, Solution& solution) {
    std::visit([&](const auto& kind) { kind.apply(solution); }, move);
}

// The move a pass will make, against the objective F of the solution the pass
// scans. A move replaces the recorded one only when its gain is strictly
// greater, so among equal gains the first one offered stays.
template <typename Move> class BestMove {
  public:
    BestMove(const Solution& scanned, std::int64_t least_gain)
        : instance_(scanned.instance()), F_(scanned.objective()), gain_(least_gain) {}

    // `trial` holds the totals after the move, so its gain is known in O(1).
    template <typename Candidate> void offer(Totals trial, const Candidate& move) {
        const std::int64_t gain = objective_of(instance_, trial) - F_;
        if (gain > gain_) {
            gain_ = gain;
            move_ = move;
        }
    }
    // Only a strictly positive gain is ever applied; a pass starts from a
    // least gain of 0 or below, so a positive gain means a move was recorded.
    bool improves() const { return gain_ > 0; }

    void apply(Solution& solution) const { make(move_, solution); }

  private:
    const Instance& instance_;
    std::int64_t F_;
    std::int64_t gain_;
    Move move_{};
};

} // namespace

int scan_length(int item_count, double scan_fraction) {
    const double share = static_cast<double>(item_count) * scan_fraction;
    if (!(share > 0.0)) {
        return 0;
    }
    return share >= item_count ? item_count : static_cast<int>(share);
}

void descent_1opt(Solution& solution, Output& out, double scan_fraction) {
    const Instance& instance = solution.instance();
    const int m = scan_length(instance.item_count, scan_fraction);
    for (;;) {
        const Totals totals = solution.totals();
        // Additions are offered before removals, so an addition wins a tie.
        BestMove<std::variant<AddUnit, RemoveUnit>> best(solution, 0);
        for (int i = 0; i < m; ++i) {
            if (const AddUnit add{i}; add.allowed(solution)) {
                best.offer(add.after(instance, totals), add);
            }
        }
        for (int i = 0; i < m; ++i) {
            if (const RemoveUnit remove{i}; remove.allowed(solution)) {
                best.offer(remove.after(instance, totals), remove);
            }
        }
        if (!best.improves()) {
            break;
        }
        best.apply(solution);
    }
    print_result_block(out, kDescent1Title, solution);
}

void descent_2opt(Solution& solution, Output& out) {
    const Instance& instance = solution.instance();
    const int n = instance.item_count;
    for (;;) {
        const Totals totals = solution.totals();
        // The least gain is the most negative 32-bit objective difference
        // rather than 0, but only a positive gain is ever applied, so the
        // transfers made are those of a start at 0. The first pair in loop
        // order (lowest giver, then lowest receiver) wins a tie.
        BestMove<TransferUnit> best(solution, -std::numeric_limits<std::int32_t>::max());
        for (int i = 0; i + 1 < n; ++i) {
            if (!TransferUnit::can_give(solution, i)) {
                continue; // no transfer starts here
            }
            // Giving a unit does the same for every receiver: worked out once.
            const Totals given = TransferUnit::after_giving(instance, totals, i);
            for (int j = i + 1; j < n; ++j) {
                if (TransferUnit::can_receive(solution, j)) {
                    best.offer(TransferUnit::after_receiving(instance, given, j),
                               TransferUnit{i, j});
                }
            }
        }
        if (!best.improves()) {
            break;
        }
        best.apply(solution);
    }
    print_result_block(out, kDescent2Title, solution);
}

} // namespace knapsack
