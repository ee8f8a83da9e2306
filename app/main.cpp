#include "app/console.hpp"
#include "search/vns.hpp"

int main() {
    return knapsack::run_console(knapsack::VnsStop::after_seconds(knapsack::kVnsBudgetSeconds));
}
