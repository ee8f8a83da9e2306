#pragma once

#include "menu/menu_input.hpp"
#include "model/instance.hpp"
#include "model/loader.hpp"
#include "model/solution.hpp"
#include "report/output.hpp"
#include "search/vns.hpp"

#include <istream>

namespace knapsack {

// Follows the menu beyond its text, for a front end that shows more of it.
class MenuObserver {
  public:
    MenuObserver() = default;
    MenuObserver(const MenuObserver&) = default;
    MenuObserver& operator=(const MenuObserver&) = default;
    MenuObserver(MenuObserver&&) = default;
    MenuObserver& operator=(MenuObserver&&) = default;
    virtual ~MenuObserver() = default;
    // Option 1, 2 or 3 has ended, its report printed, leaving this current solution.
    virtual void solution_found(MenuChoice method, const Solution& current) = 0;
};

// How the VNS option stops (tests and fuzzing stop it sooner), and who
// follows the searches and the menu.
struct MenuSettings {
    VnsStop vns_stop = VnsStop::after_seconds(kVnsBudgetSeconds);
    VnsObserver* vns_observer = nullptr;
    MenuObserver* observer = nullptr;
};

// The whole program: loads the instance from the working directory, then
// serves the menu until the user quits or the input ends. Returns the exit
// status: 0 after quitting, 1 when the instance cannot be loaded.
int interactive_menu(std::istream& in, Output& out, const MenuSettings& settings = {});

// The menu over an instance already loaded; returns the exit status, 0.
int serve_menu(const Instance& instance, std::istream& in, Output& out,
               const MenuSettings& settings = {});

// Says why the instance could not be loaded, as the program does, and returns
// its exit status, 1. When a file cannot be opened it first waits for one
// character, so that a console window stays open long enough to read why.
int refuse_instance(const LoadError& error, std::istream& in, Output& out);

} // namespace knapsack
