#include "app/console.hpp"
#include "app/interactive_menu.hpp"

int main() {
    return knapsack::run_console(knapsack::VnsStop::after_seconds(knapsack::kVnsBudgetSeconds));
}
