#include "quality/experiment_svg.hpp"

#include "quality/statistics.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace knapsack {

namespace {

constexpr double kWidth = 960;
constexpr double kRowHeight = 300;
constexpr double kPanelWidth = 320;
// Inside a panel: room for the axes' numbers and names.
constexpr double kLeft = 66;
constexpr double kRight = 14;
constexpr double kTop = 56;
constexpr double kBottom = 50;
constexpr std::array<const char*, 3> kMethodColours = {"#8a8f98", "#2e7d32", "#1f4e8c"};

std::string num(double value) {
    std::array<char, 32> text{};
    const int n = std::snprintf(text.data(), text.size(), "%.1f", value);
    return n < 0 ? std::string() : std::string(text.data());
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A tick's label: a power of ten, or a fraction.
std::string tick_label(double value) {
    std::array<char, 32> text{};
    const int n = std::snprintf(text.data(), text.size(), "%g", value);
    return n < 0 ? std::string() : std::string(text.data());
}

// One plot's frame: where its area is and how values map into it.
struct Panel {
    double x0; // left edge of the plotting area
    double y0; // top edge
    double width;
    double height;

    double x(double t) const { return x0 + t * width; }        // t in 0..1
    double y(double t) const { return y0 + (1 - t) * height; } // t in 0..1
};

Panel panel_at(std::size_t row, int column) {
    return {column * kPanelWidth + kLeft, static_cast<double>(row) * kRowHeight + kTop,
            kPanelWidth - kLeft - kRight, kRowHeight - kTop - kBottom};
}

class Svg {
  public:
    void line(double x1, double y1, double x2, double y2, const char* stroke, double width = 1,
              const char* extra = "") {
        text_ += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) +
                 "\" y2=\"" + num(y2) + "\" stroke=\"" + stroke + "\" stroke-width=\"" +
                 num(width) + "\"" + extra + "/>\n";
    }
    void label(double x, double y, const std::string& words, const char* anchor = "middle",
               const char* extra = "") {
        text_ += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + anchor + "\"" +
                 extra + ">" + escaped(words) + "</text>\n";
    }
    void raw(const std::string& element) { text_ += element; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Axes with their names, and ticks on the left at the given fractions of the height.
void frame(Svg& svg, const Panel& p, const std::string& title, const std::string& x_name,
           const std::string& y_name) {
    svg.label(p.x0 + p.width / 2, p.y0 - 12, title, "middle", " font-weight=\"bold\"");
    svg.line(p.x0, p.y0, p.x0, p.y0 + p.height, "#333");
    svg.line(p.x0, p.y0 + p.height, p.x0 + p.width, p.y0 + p.height, "#333");
    svg.label(p.x0 + p.width / 2, p.y0 + p.height + 38, x_name);
    svg.label(p.x0 - 52, p.y0 + p.height / 2, y_name, "middle",
              (" transform=\"rotate(-90 " + num(p.x0 - 52) + " " + num(p.y0 + p.height / 2) + ")\"")
                  .c_str());
}

// The largest power of ten at or below `value`, at least `least`.
double decade_below(double value, double least) {
    return std::max(least, std::pow(10.0, std::floor(std::log10(std::max(value, least)))));
}

// Seconds on a logarithmic axis from `from` to `to`, with a tick per decade.
struct TimeAxis {
    double from;
    double to;

    double at(double seconds) const {
        const double clamped = std::clamp(seconds, from, to);
        return std::log10(clamped / from) / std::log10(to / from);
    }
    void draw(Svg& svg, const Panel& p) const {
        // from and to are powers of ten: a tick at each from one to the other.
        const auto decades = std::lround(std::log10(to / from));
        double t = from;
        for (long k = 0; k <= decades; ++k) {
            const double x = p.x(at(t));
            svg.line(x, p.y0 + p.height, x, p.y0 + p.height + 4, "#333");
            svg.label(x, p.y0 + p.height + 18, tick_label(t));
            t *= 10;
        }
    }
};

TimeAxis time_axis(double earliest, double latest) {
    const double from = decade_below(earliest, 1e-6);
    return {from,
            std::max(from * 10, std::pow(10.0, std::ceil(std::log10(std::max(latest, 1e-6)))))};
}

void box_plots(Svg& svg, const Panel& p, const std::array<std::vector<double>, 3>& gaps) {
    double most = 1;
    for (const auto& values : gaps) {
        for (const double g : values) {
            most = std::max(most, g);
        }
    }
    // log10(1 + gap): 0 % at the bottom, every decade above it.
    const double top = std::ceil(std::log10(1 + most));
    const auto y = [&](double gap) { return p.y(std::log10(1 + std::max(gap, 0.0)) / top); };
    for (int decade = 0; decade <= top; ++decade) {
        const double gap = decade == 0 ? 0 : std::pow(10.0, decade);
        svg.line(p.x0 - 4, y(gap), p.x0, y(gap), "#333");
        svg.label(p.x0 - 7, y(gap) + 4, tick_label(gap), "end");
    }
    for (std::size_t m = 0; m < gaps.size(); ++m) {
        const double centre = p.x0 + (static_cast<double>(m) + 0.5) * p.width / 3;
        svg.label(centre, p.y0 + p.height + 18, std::string(method_name(kMethods[m])));
        std::vector<double> sorted = gaps[m];
        if (sorted.empty()) {
            continue;
        }
        std::sort(sorted.begin(), sorted.end());
        const double half = p.width / 10;
        const double q1 = y(sorted_quantile(sorted, 0.25));
        const double q3 = y(sorted_quantile(sorted, 0.75));
        svg.line(centre, y(sorted.front()), centre, y(sorted.back()), kMethodColours[m]);
        svg.raw("<rect x=\"" + num(centre - half) + "\" y=\"" + num(q3) + "\" width=\"" +
                num(2 * half) + "\" height=\"" + num(std::max(q1 - q3, 1.0)) + "\" fill=\"" +
                kMethodColours[m] + "\" fill-opacity=\"0.3\" stroke=\"" + kMethodColours[m] +
                "\"/>\n");
        const double middle = y(sorted_quantile(sorted, 0.5));
        svg.line(centre - half, middle, centre + half, middle, kMethodColours[m], 2.5);
    }
}

// The gap of the best objective a run's VNS had found by `t`.
double gap_by(const RunRecord& record, double optimum, double t) {
    double F = static_cast<double>(record.of(Method::vnd).F);
    for (const Improvement& found : record.improvements) {
        if (found.seconds > t) {
            break;
        }
        F = static_cast<double>(found.F);
    }
    return gap_percent(optimum, F).value_or(0);
}

void convergence(Svg& svg, const Panel& p, const std::vector<const RunRecord*>& runs,
                 double optimum, const std::string& clip) {
    double earliest = 1e300;
    double latest = 0;
    for (const RunRecord* run : runs) {
        earliest = std::min(earliest, run->of(Method::vnd).seconds_to_best);
        latest = std::max(latest, run->seconds);
    }
    const TimeAxis axis = time_axis(earliest, latest);
    axis.draw(svg, p);
    constexpr std::size_t kSamples = 60;
    std::array<std::array<double, 3>, kSamples + 1> quartiles{};
    double most = 0;
    const auto share = [](std::size_t k) { return static_cast<double>(k) / double{kSamples}; };
    for (std::size_t k = 0; k < quartiles.size(); ++k) {
        const double t = axis.from * std::pow(axis.to / axis.from, share(k));
        std::vector<double> gaps(runs.size());
        std::transform(runs.begin(), runs.end(), gaps.begin(),
                       [&](const RunRecord* run) { return gap_by(*run, optimum, t); });
        std::sort(gaps.begin(), gaps.end());
        for (int q = 0; q < 3; ++q) {
            quartiles[k][static_cast<std::size_t>(q)] = sorted_quantile(gaps, 0.25 * (q + 1));
        }
        // Up to the upper quartile: a few runs far off would flatten the rest.
        most = std::max(most, quartiles[k][2]);
    }
    // Round ticks: a step of 1, 2 or 5 times a power of ten, four or five of them.
    double step = std::pow(10.0, std::floor(std::log10(std::max(most, 1e-9) / 4)));
    for (const double times : {2.0, 2.5, 2.0}) {
        if (most / step > 5) {
            step *= times;
        }
    }
    most = std::max(step * std::ceil(most / step), step);
    const long ticks = std::lround(most / step);
    for (long k = 0; k <= ticks; ++k) {
        const double gap = static_cast<double>(k) * step;
        svg.line(p.x0 - 4, p.y(gap / most), p.x0, p.y(gap / most), "#333");
        svg.label(p.x0 - 7, p.y(gap / most) + 4, tick_label(gap), "end");
    }
    std::string band;
    std::string middle;
    for (std::size_t k = 0; k < quartiles.size(); ++k) {
        const double x = p.x(share(k));
        band += num(x) + "," + num(p.y(quartiles[k][2] / most)) + " ";
        middle += num(x) + "," + num(p.y(quartiles[k][1] / most)) + " ";
    }
    for (std::size_t k = quartiles.size(); k-- > 0;) {
        band += num(p.x(share(k))) + "," + num(p.y(quartiles[k][0] / most)) + " ";
    }
    svg.raw("<clipPath id=\"" + clip + "\"><rect x=\"" + num(p.x0) + "\" y=\"" + num(p.y0) +
            "\" width=\"" + num(p.width) + "\" height=\"" + num(p.height) + "\"/></clipPath>\n");
    svg.raw("<polygon points=\"" + band +
            "\" fill=\"#1f4e8c\" fill-opacity=\"0.2\" clip-path=\"url(#" + clip + ")\"/>\n");
    svg.raw("<polyline points=\"" + middle +
            "\" fill=\"none\" stroke=\"#1f4e8c\" stroke-width=\"2\"/>\n");
}

void time_to_target(Svg& svg, const Panel& p, const std::vector<const RunRecord*>& runs,
                    std::int64_t optimum) {
    std::vector<double> times;
    double latest = 0;
    for (const RunRecord* run : runs) {
        latest = std::max(latest, run->seconds);
        if (run->of(Method::vns).F == optimum) {
            times.push_back(run->of(Method::vns).seconds_to_best);
        }
    }
    for (int tick = 0; tick <= 4; ++tick) {
        svg.line(p.x0 - 4, p.y(tick / 4.0), p.x0, p.y(tick / 4.0), "#333");
        svg.label(p.x0 - 7, p.y(tick / 4.0) + 4, tick_label(tick / 4.0), "end");
    }
    if (times.empty()) {
        time_axis(1e-3, std::max(latest, 1e-2)).draw(svg, p);
        svg.label(p.x0 + p.width / 2, p.y0 + p.height / 2, "nenhuma execucao atingiu o otimo");
        return;
    }
    std::sort(times.begin(), times.end());
    const TimeAxis axis = time_axis(times.front(), std::max(latest, times.back()));
    axis.draw(svg, p);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double share = (static_cast<double>(i) + 0.5) / static_cast<double>(runs.size());
        svg.raw("<circle cx=\"" + num(p.x(axis.at(times[i]))) + "\" cy=\"" + num(p.y(share)) +
                "\" r=\"3\" fill=\"#1f4e8c\"/>\n");
    }
}

} // namespace

std::string experiment_svg(const std::vector<ExperimentInstance>& instances,
                           const std::vector<RunRecord>& records) {
    Svg svg;
    for (std::size_t index = 0; index < instances.size(); ++index) {
        const ExperimentInstance& instance = instances[index];
        const auto optimum = static_cast<double>(instance.optimum);
        std::vector<const RunRecord*> runs;
        std::array<std::vector<double>, 3> gaps;
        for (const RunRecord& record : records) {
            if (record.instance != index) {
                continue;
            }
            runs.push_back(&record);
            for (std::size_t m = 0; m < kMethods.size(); ++m) {
                if (const auto gap =
                        gap_percent(optimum, static_cast<double>(record.methods[m].F))) {
                    gaps[m].push_back(*gap);
                }
            }
        }
        const double row = static_cast<double>(index) * kRowHeight;
        svg.label(8, row + 16,
                  "instancia " + instance.name + " (" + instance.class_name + "), otimo " +
                      std::to_string(instance.optimum) + ", " + std::to_string(runs.size()) +
                      " execucoes",
                  "start", " font-weight=\"bold\"");
        const Panel boxes = panel_at(index, 0);
        frame(svg, boxes, "gap ao otimo de cada metodo", "metodo",
              "gap (%, escala log de 1 + gap)");
        box_plots(svg, boxes, gaps);
        if (runs.empty()) {
            continue;
        }
        const Panel over_time = panel_at(index, 1);
        frame(svg, over_time, "VNS: gap do melhor ao longo do tempo", "segundos (escala log)",
              "gap (%): mediana e quartis");
        convergence(svg, over_time, runs, optimum, "band" + std::to_string(index));
        const Panel target = panel_at(index, 2);
        frame(svg, target, "tempo ate o otimo (VNS)", "segundos (escala log)",
              "fracao das execucoes");
        time_to_target(svg, target, runs, instance.optimum);
    }
    const double height = std::max<double>(1, static_cast<double>(instances.size())) * kRowHeight;
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(kWidth) + "\" height=\"" +
           num(height) + "\" viewBox=\"0 0 " + num(kWidth) + " " + num(height) +
           "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" "
           "fill=\"white\"/>\n" +
           svg.text() + "</svg>\n";
}

} // namespace knapsack
