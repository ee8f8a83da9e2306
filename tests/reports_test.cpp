#include "report/reports.hpp"
#include "test_support.hpp"

#include <cerrno>
#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::CapturedOutput;

const std::string kRule = "-------------------------------------------------\n";

TEST(ResultBlock, OverCapacityShowsTheExcess) {
    CapturedOutput c;
    print_result_block(c.out(), kVndTitle, 57, 130, 100);
    EXPECT_EQ(c.text(), kRule +
                            "Melhor solucao encontrada pelo VND:\n"
                            "Funcao objetivo: 57\n"
                            "Peso da mochila: 130    Inviabilidade = 30 \n" +
                            kRule);
}

TEST(ResultBlock, WithinCapacityAndNegativeObjective) {
    CapturedOutput c;
    print_result_block(c.out(), kDescent1Title, -19, 100, 100);
    print_result_block(c.out(), kDescent2Title, 0, 0, 100);
    EXPECT_EQ(c.text(), kRule + std::string(kDescent1Title) + "Funcao objetivo: -19\n" +
                            "Peso da mochila: 100    Inviabilidade = 0 \n" + kRule + kRule +
                            std::string(kDescent2Title) + "Funcao objetivo: 0\n" +
                            "Peso da mochila: 0    Inviabilidade = 0 \n" + kRule);
}

TEST(ResultBlock, VnsTitleShowsTheBudgetRoundedLikePrintf) {
    for (const auto& [budget, shown] :
         {std::pair{20.0, "20"}, {0.0, "0"}, {2.5, "2"}, {3.5, "4"}, {0.4, "0"}}) {
        CapturedOutput c;
        print_vns_block(c.out(), budget, 5, 2, 4);
        EXPECT_EQ(c.text(), kRule + "Melhor solucao encontrada pelo VNS em " + shown +
                                " segundos:\nFuncao objetivo: 5\n"
                                "Peso da mochila: 2    Inviabilidade = 0 \n" +
                                kRule);
    }
    // A run limited by cycles instead of time says so.
    CapturedOutput c;
    print_vns_cycles_block(c.out(), 1000, -3, 120, 100);
    EXPECT_EQ(c.text(), kRule + "Melhor solucao encontrada pelo VNS em 1000 ciclos:\n" +
                            "Funcao objetivo: -3\nPeso da mochila: 120    Inviabilidade = 20 \n" +
                            kRule);
}

TEST(SolutionTable, QuantityFirstOneLinePerItem) {
    CapturedOutput c;
    const std::vector<std::int32_t> solution{0, 12, -3};
    const std::vector<std::int32_t> weights{7, 1, 20};
    print_solution_table(c.out(), solution, weights);
    EXPECT_EQ(c.text(), " [s]  |  [w] \n [0]  |  [7]\n [12]  |  [1]\n [-3]  |  [20]\n");
}

TEST(SolutionTable, FiftyItemsMakeFiftyOneLines) {
    CapturedOutput c;
    const std::vector<std::int32_t> v(50, 1);
    print_solution_table(c.out(), v, v);
    EXPECT_EQ(testing::count_of(c.text(), "\n"), 51u);
}

TEST(OutputSink, PaddedIntegersMatchPrintfWidths) {
    CapturedOutput c;
    for (const std::int64_t v :
         {0LL, 7LL, -5LL, 42LL, 123LL, -123LL, 2147483647LL, -2147483648LL}) {
        c.out().put_int(v, 3);
        c.out().put('|');
        c.out().put_int(v, 2);
        c.out().put('\n');
    }
    EXPECT_EQ(c.text(), "  0| 0\n  7| 7\n -5|-5\n 42|42\n123|123\n-123|-123\n"
                        "2147483647|2147483647\n-2147483648|-2147483648\n");
}

TEST(OutputSink, LongTextsAndChunkBoundariesKeepEveryByte) {
    CapturedOutput c; // 64-byte buffer: forces every path through flushes
    std::string expected;
    for (int i = 0; i < 500; ++i) {
        const std::string piece(static_cast<std::size_t>(i % 150), static_cast<char>('a' + i % 26));
        c.out().put(piece);
        c.out().put_int(i);
        expected += piece + std::to_string(i);
    }
    EXPECT_EQ(c.text(), expected);
}

TEST(OutputSink, RefusedWriteIsReportedNotSwallowed) {
    Output out([](std::string_view) { throw OutputError(ENOSPC); }, 64);
    out.put("short");
    EXPECT_THROW(out.flush(), OutputError);
    EXPECT_NO_THROW(out.flush()) << "nothing is left to repeat";
    EXPECT_THROW(out.put(std::string(200, 'y')), OutputError);
}

} // namespace
} // namespace knapsack
