#pragma once
#include <chrono>
#include <cstdint>

// Millisecond tick of a monotonic clock (wraps like a 32-bit counter).
inline std::uint32_t MillisecondTick() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
