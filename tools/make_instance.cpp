// Writes a generated instance as the three files the program reads:
//   make_instance SEED DIRECTORY
#include "model/instance_generator.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool write_values(const std::string& path, const std::vector<std::int32_t>& values) {
    std::ofstream file(path);
    for (const std::int32_t v : values) {
        file << v << '\n';
    }
    return static_cast<bool>(file.flush());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uso: make_instance SEMENTE DIRETORIO\n";
        return 2;
    }
    char* end = nullptr;
    const unsigned long seed = std::strtoul(argv[1], &end, 10);
    if (*argv[1] == '\0' || *end != '\0') {
        std::cerr << "semente invalida: " << argv[1] << '\n';
        return 2;
    }
    const knapsack::Instance instance =
        knapsack::generate_instance(static_cast<std::uint32_t>(seed));
    const std::string dir = argv[2];
    if (!write_values(dir + "/peso50.txt", instance.weights) ||
        !write_values(dir + "/beneficio50.txt", instance.profits) ||
        !write_values(dir + "/limite50.txt", instance.limits)) {
        std::cerr << "nao foi possivel escrever em " << dir << '\n';
        return 1;
    }
    std::cout << "penalidade (peso maximo) = " << instance.penalty << '\n';
    return 0;
}
