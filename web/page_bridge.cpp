#include "web/page_bridge.hpp"

#include <emscripten.h>
#include <optional>

// clang-format off
EM_JS(int, js_wants_every_byte, (), {
    return Module.everyByte ? 1 : 0;
});

EM_JS(int, js_terminal_lines, (), {
    return Module.terminalLines || 0;
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

EM_JS(void, js_instance_loaded, (double optimum), {
    Module.instanceLoaded(optimum);
});

EM_JS(void, js_instance_refused, (const char* file, const char* message, double line,
                                  double offset), {
    Module.instanceRefused({
        file: UTF8ToString(file),
        message: UTF8ToString(message),
        line: line > 0 ? line : null,
        offset: line > 0 ? offset : null,
    });
});

EM_JS(void, js_solution_found, (int method, int objective, int weight, int excess,
                                const int* quantities, const int* weights, int count), {
    Module.solutionFound({
        method: method,
        objective: objective,
        weight: weight,
        excess: excess,
        quantities: Array.from(HEAP32.subarray(quantities >> 2, (quantities >> 2) + count)),
        weights: Array.from(HEAP32.subarray(weights >> 2, (weights >> 2) + count)),
    });
});

EM_JS(void, js_finished, (int status), {
    Module.finished(status);
});
// clang-format on

namespace knapsack::page {

bool wants_every_byte() {
    return js_wants_every_byte() != 0;
}

std::size_t terminal_lines() {
    return static_cast<std::size_t>(js_terminal_lines());
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

void instance_loaded(std::int64_t optimum) {
    js_instance_loaded(static_cast<double>(optimum));
}

void instance_refused(const LoadError& error) {
    const std::optional<ValuePosition>& at = error.position();
    js_instance_refused(error.path().c_str(), error.what(),
                        at ? static_cast<double>(at->line) : 0.0,
                        at ? static_cast<double>(at->offset) : 0.0);
}

void solution_found(int method, std::int32_t objective, std::int32_t weight, std::int32_t excess,
                    std::span<const std::int32_t> quantities,
                    std::span<const std::int32_t> weights) {
    js_solution_found(method, objective, weight, excess, quantities.data(), weights.data(),
                      static_cast<int>(quantities.size()));
}

double now_ms() {
    return emscripten_get_now();
}

void finished(int status) {
    js_finished(status);
}

} // namespace knapsack::page
