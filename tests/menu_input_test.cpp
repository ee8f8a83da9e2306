#include "menu/interactive_menu.hpp"
#include "menu/menu_input.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <utility>
#include <vector>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;

const std::string kPrompt = "         Escolha: ";

struct Session {
    std::istringstream in;
    CapturedOutput captured;
    explicit Session(const std::string& input) : in(input) {}
    MenuChoice next() { return read_menu_choice(in, captured.out()); }
    std::size_t menus() { return count_of(captured.text(), kPrompt); }
};

TEST(MenuInput, PrintsTheWholeMenuBeforeReading) {
    Session s("1\n");
    EXPECT_EQ(s.next(), kRandomSolution);
    EXPECT_EQ(s.captured.text(), "\n************************************************* \n"
                                 "         1. Gerar solucao inicial Aleatoria \n"
                                 "         2. VND \n"
                                 "         3. VNS \n"
                                 "         0. Sair \n"
                                 "         Escolha: ");
    EXPECT_EQ(s.in.get(), '\n') << "what follows the number stays in the input";
}

TEST(MenuInput, OutOfRangeShowsTheMenuAgain) {
    // 2^64 + 2 would read as 2 if the number wrapped around instead of saturating.
    Session s("7\n-1\n18446744073709551618\n4 2\n");
    EXPECT_EQ(s.next(), kVnd);
    EXPECT_EQ(s.menus(), 5u);
}

TEST(MenuInput, SignsBlanksAndTrailingTextAreReadLikeScanf) {
    Session s(" \t\r\n +3\n-0\n2x\n1");
    EXPECT_EQ(s.next(), kVns);
    EXPECT_EQ(s.next(), kQuit);
    EXPECT_EQ(s.next(), kVnd);
    EXPECT_EQ(s.next(), kRandomSolution) << "the rest of the line 'x' is thrown away";
    EXPECT_EQ(s.menus(), 5u);
}

TEST(MenuInput, NonNumbersDiscardTheirLine) {
    Session s("abc 3\n-\n- 2\n\x01\x02\n1\n");
    EXPECT_EQ(s.next(), kRandomSolution);
    EXPECT_EQ(s.menus(), 5u);
}

TEST(MenuInput, EndOfInputQuitsWhereverItComes) {
    // A lone sign at the end is the end: one menu, not a second after a non-number.
    for (const auto& [input, menus] : {std::pair{"", 1U},
                                       {"   \n\n", 1U},
                                       {"-", 1U},
                                       {"+", 1U},
                                       {"abc", 2U},
                                       {"7", 2U},
                                       {"9\n8 ", 3U}}) {
        Session s(input);
        EXPECT_EQ(s.next(), kQuit) << '"' << input << '"';
        EXPECT_EQ(s.menus(), menus) << '"' << input << '"';
        EXPECT_EQ(s.next(), kQuit) << "and keeps quitting";
    }
}

TEST(MenuInput, LongInvalidInputIsBoundedAndDoesNotRecurse) {
    std::string input;
    for (int i = 0; i < 20000; ++i) {
        input += "9\n";
    }
    input += std::string(1 << 20, 'z') + "\n2\n";
    Session s(input);
    EXPECT_EQ(s.next(), kVnd);
    EXPECT_EQ(s.menus(), 20002u);
}

// A front end hears of each method's end with the solution it left, after
// its report; a request for a solution first is no method's end.
TEST(Menu, TellsItsObserverWhatEachMethodFound) {
    struct : MenuObserver {
        std::vector<std::pair<MenuChoice, Quantities>> heard;
        void solution_found(MenuChoice method, const Solution& current) override {
            heard.emplace_back(method, current.quantities());
        }
    } observer;
    const Instance inst = testing::two_item_instance();
    std::istringstream in("2\n1\n2\n3\n0\n");
    CapturedOutput captured;
    EXPECT_EQ(serve_menu(inst, in, captured.out(),
                         {.vns_stop = VnsStop::after_cycles(3), .observer = &observer}),
              0);
    ASSERT_EQ(observer.heard.size(), 3U);
    EXPECT_EQ(observer.heard[0].first, kRandomSolution);
    EXPECT_EQ(observer.heard[1].first, kVnd);
    EXPECT_EQ(observer.heard[2].first, kVns);
    EXPECT_EQ(observer.heard[2].second, (Quantities{1, 0})) << "the example's optimum";
}

} // namespace
} // namespace knapsack
