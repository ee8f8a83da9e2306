#include "model/loader.hpp"

#include "platform/characters.hpp"
#include "platform/raw_io.hpp"

#include <algorithm>
#include <array>
#include <limits>

namespace knapsack {

namespace {

std::string describe(LoadFailure failure, const std::string& path) {
    const std::string file = "O Arquivo " + path;
    switch (failure) {
    case LoadFailure::cannot_open:
        return file + " nao pode ser aberto.\n";
    case LoadFailure::cannot_read:
        return file + " nao pode ser lido.\n";
    case LoadFailure::not_an_integer:
        return file + " contem um valor que nao e um numero inteiro.\n";
    case LoadFailure::out_of_range:
        return file + " contem um numero fora do intervalo de 32 bits.\n";
    case LoadFailure::too_many_values:
        return file + " contem mais de " + std::to_string(kItemCount) + " numeros.\n";
    case LoadFailure::negative_value:
        return file + " contem um numero negativo.\n";
    case LoadFailure::sums_overflow:
        return file + " leva as somas da instancia para fora do intervalo de 32 bits.\n";
    }
    return file + "\n";
}

// Parses integers one byte at a time, so a file is judged as it streams in:
// a bad byte or one value too many stops the load without reading further.
class IntegerScanner {
  public:
    IntegerScanner(std::span<std::int32_t> values, const std::string& path)
        : values_(values), path_(path) {}

    void feed(char c) {
        if (is_blank(c)) {
            finish_token();
            line_ += c == '\n' ? 1 : 0;
        } else {
            const bool first = !in_token_;
            if (first) {
                in_token_ = true;
                token_ = {line_, offset_};
            }
            if (is_digit(c)) {
                digits_ = true;
                magnitude_ = magnitude_ * 10 + (c - '0');
                if (magnitude_ > kMagnitudeLimit) {
                    fail(LoadFailure::out_of_range);
                }
            } else if ((c == '-' || c == '+') && first) {
                negative_ = c == '-';
            } else {
                fail(LoadFailure::not_an_integer);
            }
        }
        ++offset_;
    }

    void finish_token() {
        if (!in_token_) {
            return;
        }
        if (!digits_) {
            fail(LoadFailure::not_an_integer);
        }
        const std::int64_t value = negative_ ? -magnitude_ : magnitude_;
        if (value > std::numeric_limits<std::int32_t>::max()) {
            fail(LoadFailure::out_of_range);
        }
        if (count_ == values_.size()) {
            fail(LoadFailure::too_many_values);
        }
        values_[count_++] = static_cast<std::int32_t>(value);
        if (value < 0 && !first_negative_) {
            first_negative_ = token_;
        }
        in_token_ = digits_ = negative_ = false;
        magnitude_ = 0;
    }

    const std::optional<ValuePosition>& first_negative() const { return first_negative_; }

  private:
    static constexpr std::int64_t kMagnitudeLimit = std::int64_t{1} << 31;

    [[noreturn]] void fail(LoadFailure failure) const { throw LoadError(failure, path_, token_); }

    std::span<std::int32_t> values_;
    const std::string& path_;
    std::size_t count_ = 0;
    bool in_token_ = false;
    bool digits_ = false;
    bool negative_ = false;
    std::int64_t magnitude_ = 0;
    std::int64_t line_ = 1;
    std::size_t offset_ = 0;
    ValuePosition token_;
    std::optional<ValuePosition> first_negative_;
};

} // namespace

LoadError::LoadError(LoadFailure failure, const std::string& path,
                     std::optional<ValuePosition> position)
    : std::runtime_error(describe(failure, path)), failure_(failure), path_(path),
      position_(position) {}

void load_values(const std::string& path, std::span<std::int32_t> values, Values kind) {
    const raw_io::InputFile file(path.c_str());
    if (!file.usable()) {
        throw LoadError(LoadFailure::cannot_open, path);
    }
    IntegerScanner scanner(values, path);
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const long n = file.read(buffer);
        if (n < 0) {
            throw LoadError(LoadFailure::cannot_read, path);
        }
        if (n == 0) {
            break;
        }
        for (long i = 0; i < n; ++i) {
            scanner.feed(buffer[static_cast<std::size_t>(i)]);
        }
    }
    scanner.finish_token();
    if (kind == Values::non_negative && scanner.first_negative()) {
        throw LoadError(LoadFailure::negative_value, path, scanner.first_negative());
    }
}

bool sums_fit(std::span<const std::int32_t> weights, std::span<const std::int32_t> profits,
              std::span<const std::int32_t> limits, std::int32_t capacity) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    // Each product is below 2^62 and each running sum is checked before the
    // next is added, so nothing here overflows 64 bits.
    std::int64_t heaviest = 0;
    std::int64_t most_profit = 0;
    std::int64_t least_profit = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const std::int64_t limit = limits[i];
        heaviest += weights[i] * limit;
        if (profits[i] > 0) {
            most_profit += profits[i] * limit;
        } else {
            least_profit += profits[i] * limit;
        }
        if (heaviest > kMax || most_profit > kMax || least_profit < -kMax) {
            return false;
        }
    }
    // The worst objective: every loss taken and the heaviest load fully penalised.
    const std::int64_t excess = std::max<std::int64_t>(0, heaviest - capacity);
    const std::int64_t worst = least_profit - excess * heaviest;
    // A gain is the difference of two objectives; the widest is best minus worst.
    return most_profit - worst <= kMax;
}

Instance load_instance(const std::string& directory) {
    const auto in_directory = [&directory](const char* name) {
        return directory.empty() ? std::string(name) : directory + "/" + name;
    };
    const std::string weights_path = in_directory(kWeightsFile);
    const std::string profits_path = in_directory(kProfitsFile);
    const std::string limits_path = in_directory(kLimitsFile);
    std::vector<std::int32_t> weights(kItemCount, 0);
    std::vector<std::int32_t> profits(kItemCount, 0);
    std::vector<std::int32_t> limits(kItemCount, 0);
    load_values(weights_path, weights, Values::non_negative);
    load_values(profits_path, profits);
    load_values(limits_path, limits, Values::non_negative);
    if (!sums_fit(weights, profits, limits, kCapacity)) {
        throw LoadError(LoadFailure::sums_overflow, limits_path);
    }
    return make_instance(std::move(weights), std::move(profits), std::move(limits), kCapacity);
}

} // namespace knapsack
