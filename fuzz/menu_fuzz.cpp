// Fuzzes the menu with arbitrary standard input. The choices read must be
// exactly those a plain reading of the rules finds (a signed decimal integer
// in 0..3 after blanks; any other number shows the menu again; a line that
// does not start with a number is dropped), and the whole program must end
// with status 0 at the end of the input. The VNS budget is 0 so every option
// is quick.
#include "menu/interactive_menu.hpp"
#include "menu/menu_input.hpp"
#include "quality/instance_files.hpp"
#include "quality/instance_generator.hpp"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<int> choices_plainly(const std::string& text) {
    std::vector<int> choices;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (;;) {
        while (i < text.size() && blank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return choices;
        }
        bool negative = false;
        if (text[i] == '-' || text[i] == '+') {
            negative = text[i++] == '-';
        }
        if (i == text.size()) {
            return choices;
        }
        if (!digit(text[i])) {
            const std::size_t line_end = text.find('\n', i);
            i = line_end == std::string::npos ? text.size() : line_end + 1;
            continue;
        }
        long long value = 0;
        while (i < text.size() && digit(text[i])) {
            value = std::min(value * 10 + (text[i++] - '0'), 1LL << 40);
        }
        value = negative ? -value : value;
        if (value >= 0 && value <= 3) {
            choices.push_back(static_cast<int>(value));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "menu-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
        std::abort();
    }
    if (!knapsack::save_instance(knapsack::generate_instance(7), "")) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    knapsack::Output sink = knapsack::Output::discarding();

    const std::vector<int> expected = choices_plainly(input);
    std::istringstream in(input);
    for (const int choice : expected) {
        if (knapsack::read_menu_choice(in, sink) != choice) {
            std::abort();
        }
    }
    if (knapsack::read_menu_choice(in, sink) != knapsack::kQuit ||
        in.peek() != std::char_traits<char>::eof()) {
        std::abort();
    }

    std::istringstream program_input(input);
    if (knapsack::interactive_menu(program_input, sink,
                                   {.vns_stop = knapsack::VnsStop::after_seconds(0.0)}) != 0) {
        std::abort();
    }
    return 0;
}
