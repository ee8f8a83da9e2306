// Fuzzes the instance loader with arbitrary file contents. The input is split
// at its first two '@' bytes into the weight, profit and limit files; a part
// that is not there leaves its file missing. Whatever the bytes, the loader
// must either accept an instance that a simple independent reading also
// accepts, with the same values and every check satisfied, or reject it with a
// one-line message naming one of the three files.
#include "model/loader.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using knapsack::kItemCount;

const std::string& directory() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "loader-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return dir;
}

// The rules read plainly: blank-separated tokens, each an optionally signed
// run of digits within 32 bits, at most 50 of them. Empty when rejected.
bool read_plainly(const std::string& text, std::vector<std::int32_t>& values) {
    values.assign(kItemCount, 0);
    std::size_t count = 0;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size()) {
        if (blank(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !blank(text[end])) {
            ++end;
        }
        std::string token = text.substr(i, end - i);
        i = end;
        std::size_t digits_from = token[0] == '-' || token[0] == '+' ? 1 : 0;
        if (digits_from == token.size()) {
            return false;
        }
        for (std::size_t k = digits_from; k < token.size(); ++k) {
            if (token[k] < '0' || token[k] > '9') {
                return false;
            }
        }
        const std::size_t first = token.find_first_not_of('0', digits_from);
        if (first != std::string::npos && token.size() - first > 10) {
            return false;
        }
        const long long value = std::stoll(token);
        if (value < INT32_MIN || value > INT32_MAX || count == kItemCount) {
            return false;
        }
        values[count++] = static_cast<std::int32_t>(value);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const char* names[] = {knapsack::kWeightsFile, knapsack::kProfitsFile, knapsack::kLimitsFile};
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (int k = 0; k < 3 && from <= input.size(); ++k) {
        const std::size_t at = k < 2 ? input.find('@', from) : std::string::npos;
        parts.push_back(
            input.substr(from, at == std::string::npos ? std::string::npos : at - from));
        from = at == std::string::npos ? input.size() + 1 : at + 1;
    }
    for (int k = 0; k < 3; ++k) {
        const std::string path = directory() + "/" + names[k];
        std::remove(path.c_str());
        if (static_cast<std::size_t>(k) < parts.size()) {
            std::ofstream(path, std::ios::binary) << parts[static_cast<std::size_t>(k)];
        }
    }

    // What a plain reading expects, file by file in loading order.
    bool expect_accept = parts.size() == 3;
    std::vector<std::vector<std::int32_t>> expected(3);
    for (std::size_t k = 0; k < parts.size() && expect_accept; ++k) {
        expect_accept = read_plainly(parts[k], expected[k]);
        for (const std::int32_t v : expected[k]) {
            if (k != 1 && v < 0) {
                expect_accept = false;
            }
        }
    }
    if (expect_accept) {
        expect_accept =
            knapsack::sums_fit(expected[0], expected[1], expected[2], knapsack::kCapacity);
    }

    try {
        const knapsack::Instance instance = knapsack::load_instance(directory());
        if (!expect_accept || instance.weights != expected[0] || instance.profits != expected[1] ||
            instance.limits != expected[2]) {
            std::abort();
        }
    } catch (const knapsack::LoadError& error) {
        const std::string message = error.what();
        const std::string prefix = "O Arquivo " + directory() + "/";
        if (expect_accept || message.rfind(prefix, 0) != 0 || message.back() != '\n' ||
            message.find('\n') != message.size() - 1) {
            std::abort();
        }
    }
    return 0;
}
