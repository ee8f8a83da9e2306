// Writes a generated instance as the three files the program reads:
//   make_instance SEED DIRECTORY
#include "quality/instance_files.hpp"
#include "quality/instance_generator.hpp"

#include <cstdlib>
#include <iostream>
#include <string>

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
    if (!knapsack::save_instance(instance, argv[2])) {
        std::cerr << "nao foi possivel escrever em " << argv[2] << '\n';
        return 1;
    }
    std::cout << "penalidade (peso maximo) = " << instance.penalty << '\n';
    return 0;
}
