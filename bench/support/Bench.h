#pragma once

// A small timing harness for benchmarks. These machines are noisy, so every
// figure is reported as a ratio to a baseline measured in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Median time per call in nanoseconds: `samples` rounds of `iterations` calls.
template<typename Fn> double MedianNanos(Fn&& fn, int iterations, int samples = 9)
{
    fn(); // warm caches and lazy initialisation
    std::vector<double> perCall;
    perCall.reserve(static_cast<size_t>(samples));
    for (int s = 0; s < samples; ++s) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i)
            fn();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        perCall.push_back(std::chrono::duration<double, std::nano>(elapsed).count() / iterations);
    }
    std::nth_element(perCall.begin(), perCall.begin() + samples / 2, perCall.end());
    return perCall[static_cast<size_t>(samples / 2)];
}

// One line per case: absolute time and the ratio to the baseline of the run.
inline void Report(const std::string& name, double nanos, double baselineNanos)
{
    std::printf("%-48s %12.0f ns/op  %8.2fx baseline\n", name.c_str(), nanos, nanos / baselineNanos);
    std::fflush(stdout);
}

} // namespace bench
