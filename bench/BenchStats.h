#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace hushpane::bench {

// Median and interquartile range of a set of timings.
struct Stats {
    double median, q1, q3;
};

inline Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const auto at = [&](double f) {
        return v[static_cast<std::size_t>(f * static_cast<double>(v.size() - 1))];
    };
    return {at(0.5), at(0.25), at(0.75)};
}

}  // namespace hushpane::bench
