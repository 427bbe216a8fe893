#include "core/platform/Event.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

TEST(PlatformEvent, ManualResetStaysSetUntilReset) {
    TNamedEvent event("Preview");
    EXPECT_EQ(event.Name(), "Preview");
    EXPECT_FALSE(event.IsSet());
    event.Set();
    event.Wait();
    EXPECT_TRUE(event.WaitFor(0)); // waiting does not consume it
    EXPECT_TRUE(event.IsSet());
    event.Reset();
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.WaitFor(0));

    TNamedEvent initiallySet("Done", true);
    EXPECT_TRUE(initiallySet.IsSet());
}

TEST(PlatformEvent, WaitForTimesOutWhenNotSet) {
    TNamedEvent event("Never");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.WaitFor(30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

TEST(PlatformEvent, SetReleasesEveryWaiter) {
    TNamedEvent event("Go");
    std::vector<std::thread> waiters;
    std::vector<int> released(3, 0);
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&, i] { released[i] = event.WaitFor(10000) ? 1 : 0; });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    event.Set();
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(released, std::vector<int>(3, 1));
}
