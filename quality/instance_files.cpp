#include "quality/instance_files.hpp"

#include "model/loader.hpp"
#include "quality/whole_file.hpp"

#include <vector>

namespace knapsack {

namespace {

bool write_values(const std::string& path, const std::vector<std::int32_t>& values) {
    std::string text;
    for (const std::int32_t v : values) {
        text += std::to_string(v) + '\n';
    }
    return write_whole_file(path, text);
}

} // namespace

bool save_instance(const Instance& instance, const std::string& directory) {
    const std::string dir = directory.empty() ? "" : directory + "/";
    return write_values(dir + kWeightsFile, instance.weights) &&
           write_values(dir + kProfitsFile, instance.profits) &&
           write_values(dir + kLimitsFile, instance.limits);
}

} // namespace knapsack
