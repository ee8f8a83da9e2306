#include "quality/whole_file.hpp"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace knapsack {

bool write_whole_file(const std::string& path, std::string_view text) {
    // A name no other writer picks: the time and a counter of this process.
    static std::atomic<unsigned> written{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string temporary =
        path + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(written++);
    bool whole = false;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.flush();
        whole = static_cast<bool>(file);
    }
    std::error_code error;
    if (whole) {
        std::filesystem::rename(temporary, path, error);
        whole = !error;
    }
    if (!whole) {
        std::filesystem::remove(temporary, error);
    }
    return whole;
}

} // namespace knapsack
