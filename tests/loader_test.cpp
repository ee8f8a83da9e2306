#include "model/loader.hpp"
#include "support/run_process.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::TempDir;

std::vector<std::int32_t> load(const std::string& contents, std::size_t count = 5) {
    TempDir dir;
    dir.write("values.txt", contents);
    std::vector<std::int32_t> values(count, 0);
    load_values((dir.path() / "values.txt").string(), values);
    return values;
}

LoadFailure failure_of(const std::string& contents, std::size_t count = 5) {
    try {
        load(contents, count);
    } catch (const LoadError& error) {
        return error.failure();
    }
    ADD_FAILURE() << "accepted: " << contents;
    return LoadFailure::cannot_read;
}

TEST(LoadValues, AnyWhiteSpaceSeparatesAndSignsAreRead) {
    using V = std::vector<std::int32_t>;
    EXPECT_EQ(load("1 2 3 4 5\n"), (V{1, 2, 3, 4, 5}));
    EXPECT_EQ(load("1\t2\r\n3\n\n  4\v\f5"), (V{1, 2, 3, 4, 5})) << "no final line break";
    EXPECT_EQ(load("+7\n-8\n007\n-0"), (V{7, -8, 7, 0, 0}));
    EXPECT_EQ(load("2147483647 -2147483648"), (V{INT32_MAX, INT32_MIN, 0, 0, 0}));
}

TEST(LoadValues, FewerValuesLeaveTheRestUntouched) {
    TempDir dir;
    dir.write("v.txt", "9 8\n");
    std::vector<std::int32_t> values{0, 0, 0, 42};
    load_values((dir.path() / "v.txt").string(), values);
    EXPECT_EQ(values, (std::vector<std::int32_t>{9, 8, 0, 42}));
    EXPECT_EQ(load(""), std::vector<std::int32_t>(5, 0));
    EXPECT_EQ(load(" \n\t\n"), std::vector<std::int32_t>(5, 0));
}

TEST(LoadValues, RejectsWhatIsNotAnInteger) {
    for (const char* bad : {"1 x 3", "12abc", "1.5", "-", "+", "+-3", "3-", "1,2", "0x10",
                            "\xef\xbb\xbf"
                            "1"}) {
        EXPECT_EQ(failure_of(bad), LoadFailure::not_an_integer) << bad;
    }
    EXPECT_EQ(failure_of(std::string("4\0 5", 4)), LoadFailure::not_an_integer);
}

TEST(LoadValues, RejectsNumbersBeyond32Bits) {
    EXPECT_EQ(failure_of("2147483648"), LoadFailure::out_of_range);
    EXPECT_EQ(failure_of("-2147483649"), LoadFailure::out_of_range);
    EXPECT_EQ(failure_of("1 " + std::string(10'000, '9')), LoadFailure::out_of_range);
}

TEST(LoadValues, RejectsOneValueTooMany) {
    EXPECT_EQ(failure_of("1 2 3", 2), LoadFailure::too_many_values);
    EXPECT_EQ(load("1 2\n\n", 2), (std::vector<std::int32_t>{1, 2}));
}

TEST(LoadValues, MissingFileAndDirectoryCannotBeOpened) {
    TempDir dir;
    std::vector<std::int32_t> values(3);
    for (const auto& path : {dir.path() / "absent.txt", dir.path()}) {
        try {
            load_values(path.string(), values);
            ADD_FAILURE() << path;
        } catch (const LoadError& error) {
            EXPECT_EQ(error.failure(), LoadFailure::cannot_open);
            EXPECT_EQ(std::string(error.what()),
                      "O Arquivo " + path.string() + " nao pode ser aberto.\n");
        }
    }
}

TEST(SumsFit, BoundsOfEverySumTheSearchesForm) {
    using V = std::vector<std::int32_t>;
    EXPECT_TRUE(sums_fit(V{20, 1}, V{50, -50}, V{5, 5}, 100));
    // Penalty: the heaviest load.
    EXPECT_FALSE(sums_fit(V{65536, 1}, V{1, 1}, V{32768, 0}, 100));
    // A load of exactly INT32_MAX fits, where the capacity spares it any penalty.
    EXPECT_TRUE(sums_fit(V{1}, V{0}, V{INT32_MAX}, INT32_MAX));
    // Zero weight and profit with a huge limit is harmless.
    EXPECT_TRUE(sums_fit(V{0, 1}, V{0, 1}, V{INT32_MAX, 1}, 100));
    // Total profit.
    EXPECT_FALSE(sums_fit(V{0, 0}, V{INT32_MAX, 1}, V{1, 1}, 100));
    EXPECT_FALSE(sums_fit(V{0, 0}, V{INT32_MIN + 1, -1}, V{1, 1}, 100));
    // Full penalty of the heaviest load: (W - 100) * W must fit, 46341^2 need not.
    EXPECT_TRUE(sums_fit(V{46341}, V{0}, V{1}, 100));
    EXPECT_FALSE(sums_fit(V{47000}, V{1}, V{1}, 100));
    // Loads that would overflow even 64 bits are refused before they are summed.
    EXPECT_FALSE(sums_fit(V(50, INT32_MAX), V(50, 0), V(50, INT32_MAX), 100));
    // The widest gain: best profit minus the worst objective, up to INT32_MAX itself.
    EXPECT_FALSE(sums_fit(V{46000, 0}, V{1, 200'000'000}, V{1, 1}, 100));
    EXPECT_TRUE(sums_fit(V{0, 0}, V{INT32_MAX - 5, -5}, V{1, 1}, 100));
    EXPECT_FALSE(sums_fit(V{0, 0}, V{INT32_MAX - 5, -6}, V{1, 1}, 100));
    // The most negative objective, where the later sums would wrap around even in 64 bits.
    EXPECT_FALSE(sums_fit(V(50, 0), V(50, INT32_MIN), V(50, INT32_MAX), 100));
}

TEST(LoadInstance, EachFileIsJudgedBeforeTheNextIsOpened) {
    TempDir dir;
    dir.write("peso50.txt", "4 -1\n");
    dir.write("beneficio50.txt", "not numbers\n");
    dir.write("limite50.txt", "1 1\n");
    try {
        load_instance(dir.path().string());
        ADD_FAILURE() << "accepted";
    } catch (const LoadError& error) {
        EXPECT_EQ(error.failure(), LoadFailure::negative_value);
        EXPECT_EQ(std::string(error.what()), "O Arquivo " + (dir.path() / "peso50.txt").string() +
                                                 " contem um numero negativo.\n");
    }
}

} // namespace
} // namespace knapsack
