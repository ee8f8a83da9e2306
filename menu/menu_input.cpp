#include "menu/menu_input.hpp"

#include "platform/characters.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace knapsack {

namespace {

constexpr std::string_view kMenu = "\n************************************************* \n"
                                   "         1. Gerar solucao inicial Aleatoria \n"
                                   "         2. VND \n"
                                   "         3. VNS \n"
                                   "         0. Sair \n"
                                   "         Escolha: ";

struct Reading {
    bool end_of_input = false;
    std::optional<std::int64_t> number; // empty when no integer was there
};

Reading read_integer(std::istream& in) {
    constexpr int kEnd = std::char_traits<char>::eof();
    int c = in.get();
    while (is_blank(c)) {
        c = in.get();
    }
    if (c == kEnd) {
        return {true, {}};
    }
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = in.get();
    }
    if (!is_digit(c)) {
        if (c == kEnd) {
            return {true, {}};
        }
        if (c != '\n') {
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        }
        return {};
    }
    // Saturates: any magnitude past the 32-bit range is just "out of range".
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    while (is_digit(c)) {
        magnitude = std::min(kCap, magnitude * 10 + (c - '0'));
        c = in.get();
    }
    if (c != kEnd) {
        in.unget();
    }
    return {false, negative ? -magnitude : magnitude};
}

} // namespace

MenuChoice read_menu_choice(std::istream& in, Output& out) {
    for (;;) {
        out.put(kMenu);
        out.flush();
        const Reading reading = read_integer(in);
        if (reading.end_of_input) {
            return kQuit;
        }
        if (reading.number && *reading.number >= kQuit && *reading.number <= kVns) {
            return static_cast<MenuChoice>(*reading.number);
        }
    }
}

} // namespace knapsack
