#include "experiment/options.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace knapsack {

namespace {

constexpr int kMostRuns = 1'000'000;
constexpr int kMostGenerated = 10'000;
constexpr unsigned kMostThreads = 1024;
constexpr double kMostSeconds = 86'400;
constexpr std::int64_t kMostCycles = 1'000'000'000'000;

[[noreturn]] void refuse(const std::string& why) {
    throw UsageError(why);
}

// A whole decimal number in [low, high], all of `text`.
template <typename Number>
Number whole_number(std::string_view option, std::string_view text, Number low, Number high) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value < low || value > high) {
        refuse(std::string(option) + " espera um numero inteiro de " + std::to_string(low) + " a " +
               std::to_string(high) + ", nao \"" + std::string(text) + "\"");
    }
    return value;
}

double seconds_of(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || *end != '\0' || !std::isfinite(value) || value <= 0 ||
        value > kMostSeconds) {
        refuse("--seconds espera um numero de segundos maior que 0 e ate 86400, nao \"" + copy +
               "\"");
    }
    return value;
}

ExperimentOptions::Generated generated_of(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        refuse("--generate espera CLASSE:QUANTIDADE, nao \"" + std::string(text) + "\"");
    }
    const std::string_view name = text.substr(0, colon);
    const std::optional<InstanceClass> instance_class = class_named(name);
    if (!instance_class) {
        std::string known;
        for (const InstanceClass c : kInstanceClasses) {
            known += (known.empty() ? "" : ", ") + std::string(class_name(c));
        }
        refuse("--generate: classe desconhecida \"" + std::string(name) +
               "\" (as classes: " + known + ")");
    }
    return {*instance_class, whole_number("--generate", text.substr(colon + 1), 1, kMostGenerated)};
}

} // namespace

ExperimentOptions parse_options(std::span<const char* const> arguments) {
    ExperimentOptions options;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string_view option = arguments[k];
        std::optional<std::string_view> attached;
        if (const std::size_t equals = option.find('=');
            option.starts_with("--") && equals != std::string_view::npos) {
            attached = option.substr(equals + 1);
            option = option.substr(0, equals);
        }
        if (option == "--help" || option == "--version") {
            (option == "--help" ? options.help : options.version) = true;
            continue;
        }
        const auto value = [&]() -> std::string_view {
            if (!attached && k + 1 == arguments.size()) {
                refuse("falta o valor de " + std::string(option));
            }
            const std::string_view text = attached ? *attached : arguments[++k];
            if (text.empty()) {
                refuse(std::string(option) + " espera um valor, nao um texto vazio");
            }
            return text;
        };
        if (option == "--data") {
            options.data.emplace_back(value());
        } else if (option == "--generate") {
            options.generated.push_back(generated_of(value()));
        } else if (option == "--write-instances") {
            options.write_instances = value();
        } else if (option == "--runs") {
            options.runs = whole_number(option, value(), 1, kMostRuns);
        } else if (option == "--run") {
            options.only_run = whole_number(option, value(), 0, kMostRuns - 1);
        } else if (option == "--seconds") {
            options.seconds = seconds_of(value());
        } else if (option == "--cycles") {
            options.cycles = whole_number<std::int64_t>(option, value(), 1, kMostCycles);
        } else if (option == "--seed") {
            options.seed = whole_number<std::uint32_t>(option, value(), 0,
                                                       std::numeric_limits<std::uint32_t>::max());
        } else if (option == "--threads") {
            options.threads = whole_number<unsigned>(option, value(), 1, kMostThreads);
        } else if (option == "--csv") {
            options.csv = value();
        } else if (option == "--svg") {
            options.svg = value();
        } else {
            refuse("opcao desconhecida: " + std::string(arguments[k]));
        }
    }
    if (options.seconds && options.cycles) {
        refuse("--seconds e --cycles nao podem ser dados juntos");
    }
    if (options.only_run && *options.only_run >= options.runs) {
        refuse("--run espera o numero de uma das execucoes, de 0 a " +
               std::to_string(options.runs - 1) + ", nao " + std::to_string(*options.only_run));
    }
    return options;
}

std::string usage() {
    return "uso: knapsack-experiment [--data PASTA]... [--generate CLASSE:QUANTIDADE]...\n"
           "                           [--write-instances PASTA] [--runs R] [--run K]\n"
           "                           [--seconds S | --cycles C] [--seed N] [--threads T]\n"
           "                           [--csv ARQUIVO] [--svg ARQUIVO]\n"
           "       knapsack-experiment --help | --version\n";
}

std::string help() {
    std::string classes;
    for (const InstanceClass c : kInstanceClasses) {
        classes += std::string(classes.empty() ? "" : ", ") + std::string(class_name(c));
    }
    return usage() +
           "\nRoda, em cada instancia, R execucoes: uma solucao inicial aleatoria (a opcao 1\n"
           "do knapsack), o VND a partir dela (opcao 2) e o VNS a partir dai (opcao 3), e\n"
           "mostra, por instancia e metodo, como os resultados se distribuem diante do\n"
           "otimo exato.\n\n"
           "  --data PASTA          uma instancia: os tres arquivos da PASTA (repetivel)\n"
           "  --generate C:Q        Q instancias geradas da classe C, sementes 1 a Q\n"
           "                        (repetivel); as classes: " +
           classes +
           "\n"
           "  --write-instances P   escreve cada instancia gerada em P/NOME, como o knapsack as "
           "le\n"
           "  --runs R              execucoes por instancia (30)\n"
           "  --run K               so a execucao K (de 0 a R-1), para repeti-la\n"
           "  --seconds S           segundos de VNS por execucao (1)\n"
           "  --cycles C            ou C ciclos de VNS: a mesma execucao em qualquer maquina\n"
           "  --seed N              a semente de onde sai a de cada execucao (1000)\n"
           "  --threads T           execucoes ao mesmo tempo (todos os nucleos)\n"
           "  --csv ARQUIVO         uma linha por execucao e metodo\n"
           "  --svg ARQUIVO         os graficos: gap de cada metodo, gap do VNS no tempo,\n"
           "                        tempo ate o otimo\n"
           "  --help, --version\n\n"
           "Sem --data nem --generate, a instancia da pasta atual.\n";
}

} // namespace knapsack
