#pragma once

// Runs of the built program in a temporary directory holding instance files.
// Included by test files that define KNAPSACK_PROGRAM and SOURCE_DIR.

#include "support/run_process.hpp"
#include "support/text.hpp"

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

namespace knapsack::testing {

inline const std::filesystem::path kSource = SOURCE_DIR;

// KNAPSACK_PROGRAM_UNDER_TEST puts another build of the program in place of
// this one: the Windows build, run under Wine through KNAPSACK_RUN_UNDER.
inline const char* const kOtherProgram = std::getenv("KNAPSACK_PROGRAM_UNDER_TEST");
inline const std::filesystem::path kProgram =
    kOtherProgram != nullptr ? kOtherProgram : KNAPSACK_PROGRAM;

// File name -> contents; a file mapped to kAbsent is not written.
using Files = std::map<std::string, std::string>;
inline const std::string kAbsent = "<absent>";

inline Files shipped() {
    Files files;
    for (const char* name : {"peso50.txt", "beneficio50.txt", "limite50.txt"}) {
        files[name] = read_file(kSource / "data" / name);
    }
    return files;
}

inline Files with(Files files, const std::string& name, const std::string& contents) {
    files[name] = contents;
    return files;
}

inline std::string repeated(const std::string& token, std::size_t times) {
    std::string text;
    text.reserve(token.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += token;
    }
    return text;
}

// KNAPSACK_RUN_UNDER (a valgrind command line, or Wine) wraps the program.
inline void wrap(RunOptions& options) {
    const char* under = std::getenv("KNAPSACK_RUN_UNDER");
    if (under == nullptr || options.program != kProgram) {
        return;
    }
    std::istringstream words(under);
    std::vector<std::string> command;
    for (std::string word; words >> word;) {
        command.push_back(word);
    }
    command.push_back(options.program.string());
    command.insert(command.end(), options.arguments.begin(), options.arguments.end());
    options.program = command.front();
    options.arguments.assign(command.begin() + 1, command.end());
    options.timeout_seconds *= 20;
}

inline RunResult run_in(const Files& files, const std::filesystem::path& program,
                        const std::string& input, RunOptions options = {}) {
    TempDir dir;
    for (const auto& [name, contents] : files) {
        if (contents != kAbsent) {
            dir.write(name, contents);
        }
    }
    options.program = program;
    options.working_directory = dir.path();
    options.input = input;
    wrap(options);
    RunResult result = run_process(options);
    // The other build may write text the Windows way; a CR LF reads as LF.
    if (kOtherProgram != nullptr && program == kProgram) {
        std::string text;
        for (std::size_t i = 0; i < result.head.size(); ++i) {
            if (!(result.head[i] == '\r' && i + 1 < result.head.size() &&
                  result.head[i + 1] == '\n')) {
                text += result.head[i];
            }
        }
        result.head = std::move(text);
    }
    return result;
}

} // namespace knapsack::testing
