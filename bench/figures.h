#pragma once

#include <algorithm>
#include <vector>

namespace quorvell::bench {

// A figure over repetitions: its median and the lowest and highest value.
struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;
};

inline Spread spreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    if (n == 0) {
        return {};
    }
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

} // namespace quorvell::bench
