#include "menu/progress_text.hpp"

#include <algorithm>
#include <cstdio>

namespace knapsack {

std::string_view progress_text(std::span<char> buffer, const VnsProgress& progress,
                               const VnsStop& stop) {
    const int n =
        stop.limits_cycles()
            ? std::snprintf(buffer.data(), buffer.size(),
                            "VNS %.1f s | melhor objetivo: %d | ciclos: %lld de %lld",
                            progress.seconds, progress.F, static_cast<long long>(progress.cycles),
                            static_cast<long long>(stop.cycles()))
            : std::snprintf(buffer.data(), buffer.size(),
                            "VNS %.1f de %.0f s | melhor objetivo: %d | ciclos: %lld",
                            progress.seconds, stop.seconds(), progress.F,
                            static_cast<long long>(progress.cycles));
    if (n < 0 || buffer.empty()) {
        return {};
    }
    return {buffer.data(), std::min(static_cast<std::size_t>(n), buffer.size() - 1)};
}

} // namespace knapsack
