#include "web/page_bridge.hpp"

#include <emscripten.h>

// clang-format off
EM_JS(int, js_wants_every_byte, (), {
    return Module.everyByte ? 1 : 0;
});

EM_JS(void, js_show_output, (const char* text, int size, int restart), {
    Module.showOutput(HEAPU8.slice(text, text + size), restart !== 0);
});

EM_ASYNC_JS(int, js_wait_for_input, (char* buffer, int size), {
    const bytes = await Module.nextInput(size);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, js_search_event, (int kind, double seconds, double cycles, int objective,
                              const char* text, int size, double budget), {
    Module.searchEvent({
        kind: ["started", "improved", "progress", "finished"][kind],
        seconds: seconds,
        cycles: cycles,
        objective: objective,
        text: UTF8ToString(text, size),
        budget: budget,
    });
});

EM_JS(void, js_exact_optimum, (int known, double objective), {
    Module.exactOptimum(known !== 0 ? objective : null);
});

EM_JS(void, js_finished, (int status), {
    Module.finished(status);
});
// clang-format on

namespace knapsack::page {

bool wants_every_byte() {
    return js_wants_every_byte() != 0;
}

void show_output(std::string_view text, bool restart) {
    js_show_output(text.data(), static_cast<int>(text.size()), restart ? 1 : 0);
}

int wait_for_input(char* buffer, int size) {
    return js_wait_for_input(buffer, size);
}

void search_event(const SearchEvent& event, double budget_seconds) {
    js_search_event(static_cast<int>(event.kind), event.at.seconds,
                    static_cast<double>(event.at.cycles), event.at.F, event.text.data(),
                    static_cast<int>(event.text.size()), budget_seconds);
}

void exact_optimum(bool known, std::int64_t objective) {
    js_exact_optimum(known ? 1 : 0, static_cast<double>(objective));
}

double now_ms() {
    return emscripten_get_now();
}

void finished(int status) {
    js_finished(status);
}

} // namespace knapsack::page
