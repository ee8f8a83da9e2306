#include "model/loader.hpp"
#include "support/run_process.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

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

TEST(LoadValues, MissingFileAndDirectoryCannotBeOpenedAndAReadErrorIsNoEnd) {
    TempDir dir;
    std::vector<std::int32_t> values(3);
    const auto message = [&](const std::filesystem::path& path) {
        try {
            load_values(path.string(), values);
        } catch (const LoadError& error) {
            EXPECT_FALSE(error.position());
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    for (const auto& path : {dir.path() / "absent.txt", dir.path()}) {
        EXPECT_EQ(message(path), "O Arquivo " + path.string() + " nao pode ser aberto.\n");
    }
    // It opens as a file, and reading its first byte fails with EIO.
    EXPECT_EQ(message("/proc/self/mem"), "O Arquivo /proc/self/mem nao pode ser lido.\n");
}

// The value at fault: its line and the offset of its first byte, for every
// fault that one value makes; the weights' first negative one after the
// whole file has been read.
TEST(LoadValues, FaultsSayWhereTheirValueStands) {
    const auto position = [](const std::string& contents, std::size_t count,
                             Values kind = Values::any) -> std::optional<ValuePosition> {
        TempDir dir;
        dir.write("v.txt", contents);
        std::vector<std::int32_t> values(count);
        try {
            load_values((dir.path() / "v.txt").string(), values, kind);
        } catch (const LoadError& error) {
            return error.position();
        }
        return std::nullopt;
    };
    const auto at = [](std::int64_t line, std::size_t offset) {
        return ValuePosition{line, offset};
    };
    const auto same = [](std::optional<ValuePosition> a, ValuePosition b) {
        return a && a->line == b.line && a->offset == b.offset;
    };
    EXPECT_TRUE(same(position("1 2\r\n 3x4\n", 5), at(2, 6))) << "not an integer";
    EXPECT_TRUE(same(position("-\n", 5), at(1, 0))) << "a sign alone";
    EXPECT_TRUE(same(position("1\n\n 2147483648", 5), at(3, 4))) << "out of range";
    EXPECT_TRUE(same(position("1 2\n3", 2), at(2, 4))) << "one too many";
    EXPECT_TRUE(same(position("4 -1\n-2 x", 5, Values::non_negative), at(2, 8)))
        << "a bad token comes before a negative value";
    EXPECT_TRUE(same(position("4 -1\n-2 3", 5, Values::non_negative), at(1, 2)))
        << "the first negative value";
    EXPECT_FALSE(position("4 -1\n-2 3", 5, Values::any)) << "profits may be negative";
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
