#pragma once

#include <benchmark/benchmark.h>

// The figure a benchmark must stay under, in the unit it reports its time
// in; it shows as the counter "target" beside the measured time.
inline void SetTarget(benchmark::State& bench, double limit) {
    bench.counters["target"] = limit;
}
