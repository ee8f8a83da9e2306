#pragma once

#include "quality/instance_classes.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace knapsack {

// What knapsack-experiment is asked to do, from its command line.
struct ExperimentOptions {
    struct Generated {
        InstanceClass instance_class;
        int count;
    };
    std::vector<std::string> data;      // --data DIR, repeatable
    std::vector<Generated> generated;   // --generate CLASS:COUNT, repeatable
    std::string write_instances;        // --write-instances DIR
    int runs = 30;                      // --runs R
    std::optional<int> only_run;        // --run K: that run alone
    std::optional<double> seconds;      // --seconds S (1 when neither is given)
    std::optional<std::int64_t> cycles; // --cycles C
    std::uint32_t seed = 1000;          // --seed N
    unsigned threads = 0;               // --threads T; 0: every core
    std::string csv;                    // --csv FILE
    std::string svg;                    // --svg FILE
    bool help = false;
    bool version = false;
};

// A command line that asks for nothing the program can do; what() names the
// problem in one line.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program's name. Throws UsageError.
ExperimentOptions parse_options(std::span<const char* const> arguments);

// The lines that say how to call it, and with --help what each option does.
std::string usage();
std::string help();

} // namespace knapsack
