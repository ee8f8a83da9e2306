#include "search/descents.hpp"

#include "model/evaluation.hpp"
#include "model/moves.hpp"
#include "report/reports.hpp"

#include <algorithm>
#include <limits>
#include <variant>

namespace knapsack {

namespace {

// The move a pass will make. A move replaces the recorded one only when its
// gain is strictly greater, so among equal gains the first one offered stays.
template <typename Move> class BestMove {
  public:
    explicit BestMove(std::int64_t least_gain) : gain_(least_gain) {}

    // `trial` holds the totals after the move, so its gain is known in O(1).
    template <typename Candidate>
    void offer(const Instance& instance, Totals trial, std::int32_t F, const Candidate& move) {
        const std::int64_t gain = objective_of(instance, trial) - F;
        if (gain > gain_) {
            gain_ = gain;
            move_ = move;
        }
    }
    // Only a strictly positive gain is ever applied; a pass starts from a
    // least gain of 0 or below, so a positive gain means a move was recorded.
    bool improves() const { return gain_ > 0; }
    std::int64_t gain() const { return gain_; }
    const Move& move() const { return move_; }

  private:
    std::int64_t gain_;
    Move move_{};
};

// Calls `use` with the move itself, whichever kind it is.
template <typename Move, typename Use> void with_move(const Move& move, Use use) {
    use(move);
}
template <typename... Moves, typename Use>
void with_move(const std::variant<Moves...>& move, Use use) {
    std::visit(use, move);
}

// Makes the pass's move and advances the totals, W and F by it.
template <typename Move>
void make_best(const Instance& instance, const BestMove<Move>& best,
               std::span<std::int32_t> solution, Totals& totals, std::int32_t& W, std::int32_t& F) {
    F = static_cast<std::int32_t>(F + best.gain());
    with_move(best.move(), [&](const auto& move) {
        move.apply(instance, solution);
        totals = move.after(instance, totals);
    });
    W = static_cast<std::int32_t>(totals.weight);
}

} // namespace

int scan_length(int item_count, double scan_fraction) {
    const double share = static_cast<double>(item_count) * scan_fraction;
    if (!(share > 0.0)) {
        return 0;
    }
    return share >= item_count ? item_count : static_cast<int>(share);
}

void descent_1opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out, double scan_fraction) {
    const int m = scan_length(instance.item_count, scan_fraction);
    Totals totals = totals_of(instance, solution);
    // W describes the solution once any item is scanned; with none it stays as given.
    if (m > 0) {
        W = static_cast<std::int32_t>(totals.weight);
    }
    for (;;) {
        // Additions are offered before removals, so an addition wins a tie.
        BestMove<std::variant<AddUnit, RemoveUnit>> best(0);
        for (int i = 0; i < m; ++i) {
            if (const AddUnit add{i}; add.allowed(instance, solution)) {
                best.offer(instance, add.after(instance, totals), F, add);
            }
        }
        for (int i = 0; i < m; ++i) {
            if (const RemoveUnit remove{i}; remove.allowed(instance, solution)) {
                best.offer(instance, remove.after(instance, totals), F, remove);
            }
        }
        if (!best.improves()) {
            break;
        }
        make_best(instance, best, solution, totals, W, F);
    }
    print_result_block(out, kDescent1Title, F, W, instance.capacity);
}

void descent_2opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out) {
    const int n = instance.item_count;
    Totals totals = totals_of(instance, solution);
    // W describes the solution once an item that could give (any but the last)
    // has a unit; otherwise it stays as given.
    if (std::any_of(solution.begin(), solution.end() - std::min<std::ptrdiff_t>(n, 1),
                    [](std::int32_t q) { return q > 0; })) {
        W = static_cast<std::int32_t>(totals.weight);
    }
    for (;;) {
        // The first pair in loop order (lowest giver, then lowest receiver) wins a tie.
        BestMove<TransferUnit> best(-std::numeric_limits<std::int32_t>::max());
        for (int i = 0; i + 1 < n; ++i) {
            const RemoveUnit give{i};
            if (!give.allowed(instance, solution)) {
                continue; // no transfer starts here
            }
            // A transfer from i to j is one removal then one addition, allowed when
            // both are; the removal's effect is the same for every j, so it is
            // worked out once.
            const Totals given = give.after(instance, totals);
            for (int j = i + 1; j < n; ++j) {
                if (const AddUnit receive{j}; receive.allowed(instance, solution)) {
                    best.offer(instance, receive.after(instance, given), F, TransferUnit{i, j});
                }
            }
        }
        if (!best.improves()) {
            break;
        }
        make_best(instance, best, solution, totals, W, F);
    }
    print_result_block(out, kDescent2Title, F, W, instance.capacity);
}

} // namespace knapsack
