#pragma once

#include "model/instance.hpp"

#include <string>

namespace knapsack {

// Writes an instance as the three files the program reads, one value per
// line, into `directory`. False when a file cannot be written.
bool save_instance(const Instance& instance, const std::string& directory);

} // namespace knapsack
