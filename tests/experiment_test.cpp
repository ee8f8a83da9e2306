#include "quality/experiment.hpp"
#include "quality/experiment_summary.hpp"
#include "quality/experiment_svg.hpp"
#include "quality/instance_classes.hpp"
#include "quality/statistics.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace knapsack {
namespace {

TEST(Statistics, AgainstValuesWorkedOutByHand) {
    const std::vector<double> even{4, 1, 3, 2};
    EXPECT_EQ(median(even), 2.5) << "an even count: the mean of the two middle values";
    EXPECT_EQ(median(std::vector<double>{5, 1, 3}), 3);
    EXPECT_EQ(mean(even), 2.5);
    // Deviations -1.5, -0.5, 0.5, 1.5: squares 5 in all, over n - 1 = 3.
    EXPECT_DOUBLE_EQ(*sample_sd(even), std::sqrt(5.0 / 3.0));
    EXPECT_FALSE(sample_sd(std::vector<double>{7})) << "one run has no spread to tell";
    const std::vector<double> sorted{1, 2, 3, 4, 5};
    EXPECT_EQ(sorted_quantile(sorted, 0.25), 2);
    EXPECT_EQ(sorted_quantile(std::vector<double>{1, 2, 3, 4}, 0.5), 2.5);
    EXPECT_EQ(sorted_quantile(std::vector<double>{1, 2, 10, 20}, 0.25), 1.75)
        << "between the two nearest, from the one below";
    EXPECT_EQ(*gap_percent(323, 320), 100.0 * 3 / 323);
    EXPECT_EQ(*gap_percent(-200, -300), 50) << "of the optimum's magnitude";
    EXPECT_FALSE(gap_percent(0, -5));
}

TEST(InstanceClasses, EachFollowsItsDefinition) {
    for (const InstanceClass c : kInstanceClasses) {
        EXPECT_EQ(class_named(class_name(c)), c);
        const Instance inst = generate_class_instance(c, 7);
        ASSERT_EQ(inst.item_count, kItemCount);
        EXPECT_EQ(inst.capacity, kCapacity);
        EXPECT_EQ(generate_class_instance(c, 7).profits, inst.profits) << "the same for a seed";
        EXPECT_NE(generate_class_instance(c, 8).weights, inst.weights);
        for (std::size_t i = 0; i < inst.weights.size(); ++i) {
            const std::int32_t w = inst.weights[i];
            const std::int32_t p = inst.profits[i];
            EXPECT_TRUE(inst.limits[i] >= 1 && inst.limits[i] <= 5);
            switch (c) {
            case InstanceClass::uncorrelated:
                EXPECT_TRUE(w >= 1 && w <= 20 && p >= 1 && p <= 20);
                break;
            case InstanceClass::weakly_correlated:
                EXPECT_TRUE(p >= std::max(1, w - 2) && p <= w + 2);
                break;
            case InstanceClass::strongly_correlated:
                EXPECT_EQ(p, w + 2);
                break;
            case InstanceClass::inverse_strongly_correlated:
                EXPECT_TRUE(p >= 1 && p <= 20);
                EXPECT_EQ(w, p + 2);
                break;
            case InstanceClass::almost_strongly_correlated:
                EXPECT_TRUE(p >= w + 1 && p <= w + 3);
                break;
            case InstanceClass::subset_sum:
                EXPECT_EQ(p, w);
                break;
            }
        }
    }
    EXPECT_FALSE(class_named("correlated"));
}

std::vector<ExperimentInstance> two_instances() {
    std::vector<ExperimentInstance> instances;
    instances.push_back(experiment_instance("a&b", "data", testing::two_item_instance()));
    instances.push_back(experiment_instance(
        "uncorrelated-3", "uncorrelated", generate_class_instance(InstanceClass::uncorrelated, 3)));
    return instances;
}

// The CSV's rows, by instance and method: the F of each run.
std::map<std::string, std::vector<double>> csv_F(const std::string& csv) {
    std::map<std::string, std::vector<double>> F;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "instance,class,run,seed,method,F,optimum,gap_percent,reached_optimum,"
                    "seconds_to_best,cycles_to_best");
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) {
            fields.push_back(cell);
        }
        EXPECT_EQ(fields.size(), 11U) << line;
        F[fields[0] + " " + fields[4]].push_back(std::stod(fields[5]));
    }
    return F;
}

// The table's median and mean are the CSV's; the runs are the same, but for
// their seconds, whatever the threads; any run repeats alone.
TEST(Experiment, TheTableIsWhatTheCsvGivesWhateverTheThreads) {
    const std::vector<ExperimentInstance> instances = two_instances();
    ExperimentPlan plan{{0, 1, 2, 3, 4, 5}, 1000, VnsStop::after_cycles(300), 1};
    const std::vector<RunRecord> one = run_experiment(instances, plan);
    plan.threads = 2;
    const std::vector<RunRecord> two = run_experiment(instances, plan);
    ASSERT_EQ(one.size(), 12U);
    for (std::size_t k = 0; k < one.size(); ++k) {
        EXPECT_EQ(one[k].seed, two[k].seed);
        for (const Method m : kMethods) {
            EXPECT_EQ(one[k].of(m).F, two[k].of(m).F);
            EXPECT_EQ(one[k].of(m).cycles_to_best, two[k].of(m).cycles_to_best);
        }
        EXPECT_LE(one[k].of(Method::random).F, one[k].of(Method::vnd).F);
        EXPECT_LE(one[k].of(Method::vnd).F, one[k].of(Method::vns).F);
        EXPECT_LE(one[k].of(Method::vns).F, instances[one[k].instance].optimum);
    }
    const RunRecord alone =
        run_once(instances, 1, 4, run_seed(1000, "uncorrelated-3", 4), VnsStop::after_cycles(300));
    EXPECT_EQ(alone.of(Method::vns).F, one[10].of(Method::vns).F) << "run 4 of the second";
    EXPECT_NE(run_seed(1000, "uncorrelated-3", 4), run_seed(1000, "uncorrelated-4", 4));
    EXPECT_NE(run_seed(1000, "uncorrelated-3", 4), run_seed(1001, "uncorrelated-3", 4));
    EXPECT_NE(run_seed(1000, "uncorrelated-3", 4), run_seed(1000, "uncorrelated-3", 5));
    for (const RunRecord& r : one) {
        // Timed from the run's start: nothing of the VNS before the VND's end.
        EXPECT_GE(r.of(Method::vns).seconds_to_best, r.of(Method::vnd).seconds_to_best);
        if (!r.improvements.empty()) {
            EXPECT_GE(r.improvements.front().seconds, r.of(Method::vnd).seconds_to_best);
            // The best is the last improvement, and was found when it was.
            EXPECT_EQ(r.improvements.back().F, r.of(Method::vns).F);
            EXPECT_EQ(r.improvements.back().seconds, r.of(Method::vns).seconds_to_best);
        }
    }

    // As the page's workers hand them over: numbers, and back, every field kept.
    std::vector<double> numbers;
    for (const RunRecord& record : one) {
        const std::vector<double> each = record_numbers(record);
        numbers.insert(numbers.end(), each.begin(), each.end());
    }
    const std::vector<RunRecord> back = records_from_numbers(numbers);
    ASSERT_EQ(back.size(), one.size());
    EXPECT_EQ(experiment_csv(instances, back), experiment_csv(instances, one));
    EXPECT_EQ(back[11].improvements.size(), one[11].improvements.size());
    EXPECT_EQ(back[11].seconds, one[11].seconds);
    EXPECT_EQ(experiment_svg(instances, back), experiment_svg(instances, one));

    const std::vector<MethodSummary> summaries = summarize(instances, one);
    const auto F = csv_F(experiment_csv(instances, one));
    ASSERT_EQ(summaries.size(), 6U);
    for (const MethodSummary& s : summaries) {
        const std::vector<double>& runs =
            F.at(instances[s.instance].name + " " + std::string(method_name(s.method)));
        EXPECT_EQ(s.runs, runs.size());
        EXPECT_EQ(s.median, median(runs));
        EXPECT_DOUBLE_EQ(s.mean, mean(runs));
        EXPECT_EQ(s.best, *std::max_element(runs.begin(), runs.end()));
        EXPECT_EQ(s.worst, *std::min_element(runs.begin(), runs.end()));
    }
    // The worked example's optimum, 5, is reached by every VNS, at no VND.
    EXPECT_EQ(instances[0].optimum, 5);
    EXPECT_EQ(summaries[2].reached, 6U);
    EXPECT_EQ(summaries[2].mean_gap, 0);
    const std::string table = experiment_table(instances, summaries);
    EXPECT_NE(table.find("instancia a&b (data), otimo 5\n"), std::string::npos);
    EXPECT_NE(table.find(" 6 de 6 "), std::string::npos) << table;
    const std::string svg = experiment_svg(instances, one);
    EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0U);
    EXPECT_NE(svg.find("a&amp;b"), std::string::npos);
    EXPECT_EQ(svg.find("a&b"), std::string::npos);
}

// A name with a quote is quoted in the CSV; one with < is escaped in the SVG.
TEST(Experiment, NamesAreQuotedAndEscaped) {
    const std::vector<ExperimentInstance> instances = {
        experiment_instance("say \"x<y\"", "data", testing::two_item_instance())};
    const std::vector<RunRecord> records =
        run_experiment(instances, {{0}, 1000, VnsStop::after_cycles(5), 1});
    EXPECT_NE(experiment_csv(instances, records).find("\n\"say \"\"x<y\"\"\",data,0,"),
              std::string::npos);
    EXPECT_NE(experiment_svg(instances, records).find("say &quot;x&lt;y&quot;"), std::string::npos);
}

// An instance where no run reaches the optimum: no time to it, in table or plot.
TEST(Experiment, NoRunReachingTheOptimumHasNoTimeToIt) {
    const std::vector<ExperimentInstance> instances = {two_instances()[1]};
    const std::vector<RunRecord> records =
        run_experiment(instances, {{0, 1, 2}, 7, VnsStop::after_cycles(1), 1});
    const std::vector<MethodSummary> summaries = summarize(instances, records);
    for (const MethodSummary& s : summaries) {
        EXPECT_EQ(s.reached, 0U);
        EXPECT_FALSE(s.median_seconds);
        EXPECT_GT(*s.mean_gap, 0);
    }
    EXPECT_NE(
        experiment_table(instances, summaries).find("     0 de 3              -          -\n"),
        std::string::npos);
    EXPECT_NE(experiment_svg(instances, records).find("nenhuma execucao atingiu o otimo"),
              std::string::npos);
}

// Runs made by hand, on the worked example (optimum 5): one reaching the
// optimum exactly when the VND ended (1 s, the plot's first sample), one never.
TEST(Experiment, PlotsTakeAnImprovementFromItsMomentAndShareOverEveryRun) {
    const std::vector<ExperimentInstance> instances = {two_instances()[0]};
    RunRecord reached;
    reached.methods = {{{0, 0, 0}, {4, 1.0, 0}, {5, 1.0, 1}}};
    reached.improvements = {{1.0, 5}};
    reached.seconds = 10;
    RunRecord missed = reached;
    missed.run = 1;
    missed.methods[2] = {4, 1.0, 0};
    missed.improvements.clear();

    // At the optimum from the first sample on: the median gap is flat.
    const std::string alone = experiment_svg(instances, {reached});
    const std::size_t at = alone.find("<polyline points=\"");
    ASSERT_NE(at, std::string::npos);
    std::istringstream points(alone.substr(at + 18, alone.find('"', at + 18) - at - 18));
    std::set<std::string> heights;
    for (std::string point; points >> point;) {
        heights.insert(point.substr(point.find(',')));
    }
    EXPECT_EQ(heights.size(), 1U) << alone;

    // One of two runs reached it: its point at (0 + 0.5) / 2 of the height
    // (y = 56 + 0.75 * 194), the run that missed counted too.
    const std::string both = experiment_svg(instances, {reached, missed});
    EXPECT_NE(both.find("cy=\"201.5\""), std::string::npos) << both;
}

} // namespace
} // namespace knapsack
