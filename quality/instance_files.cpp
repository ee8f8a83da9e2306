#include "quality/instance_files.hpp"

#include "model/loader.hpp"

#include <fstream>
#include <vector>

namespace knapsack {

namespace {

bool write_values(const std::string& path, const std::vector<std::int32_t>& values) {
    std::ofstream file(path);
    for (const std::int32_t v : values) {
        file << v << '\n';
    }
    return static_cast<bool>(file.flush());
}

} // namespace

bool save_instance(const Instance& instance, const std::string& directory) {
    const std::string dir = directory.empty() ? "" : directory + "/";
    return write_values(dir + kWeightsFile, instance.weights) &&
           write_values(dir + kProfitsFile, instance.profits) &&
           write_values(dir + kLimitsFile, instance.limits);
}

} // namespace knapsack
