#include "random.h"

#include <chrono>

void ClockRandom::reseedFromClock()
{
    engine_.seed(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

int ClockRandom::below(int k)
{
    if (k <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, k - 1)(engine_);
}
