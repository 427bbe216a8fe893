#include "core/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

// A slice that throws on another thread must surface on the caller, not end the process.
TEST(Parallel, ExceptionFromAnySliceReachesTheCaller) {
    for (int throwingRow : {0, 999}) {
        std::atomic<int> rowsDone{0};
        EXPECT_THROW(ParallelFor(
                         1000,
                         [&](int a, int b) {
                             for (int y = a; y < b; ++y) {
                                 if (y == throwingRow)
                                     throw std::runtime_error("row failed");
                                 ++rowsDone;
                             }
                         },
                         1),
                     std::runtime_error);
        EXPECT_THROW(ParallelForSlices(1000, 2,
                                       [&](int, int a, int b) {
                                           if (a <= throwingRow && throwingRow < b)
                                               throw std::runtime_error("slice failed");
                                       }),
                     std::runtime_error);
    }
}
