#include "core/GreyStatistics.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::int64_t Samples(const TGreyStatistics& s, int bin) {
    return s.Counts[bin] / GreyHistogramWeight;
}

TEST(GreyStatistics, MinMaxScansEveryPixelOfBothGreyKinds) {
    auto grey16 = MakeGrey16(5, 4, [](int x, int y) { return std::uint16_t(100 + x * 10 + y); });
    grey16->SetGrey16(4, 3, 40000);
    grey16->SetGrey16(0, 0, 7);
    double lo = 0, hi = 0;
    ASSERT_EQ(GreyMinMax(*grey16, lo, hi), 0);
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 40000);

    // Negative floats keep their negative minimum; NaN samples are not part of the range.
    auto grey = MakeGreyFloat(3, 3, [](int x, int y) { return 0.25f * x - 0.5f * y; });
    grey->SetGreyFloat(1, 1, std::numeric_limits<float>::quiet_NaN());
    ASSERT_EQ(GreyMinMax(*grey, lo, hi), 0);
    EXPECT_FLOAT_EQ(lo, -1.0);
    EXPECT_FLOAT_EQ(hi, 0.5);
}

TEST(GreyStatistics, OtherKindsAndAllZeroKeepTheStartingValues) {
    double lo = 0, hi = 0;
    auto colour = MakeRgb24(2, 2, [](int, int) { return std::array<std::uint8_t, 3>{9, 9, 9}; });
    ASSERT_EQ(GreyMinMax(*colour, lo, hi), 0);
    EXPECT_EQ(lo, GreyMinimumStart);
    EXPECT_EQ(hi, 0);
    ASSERT_EQ(GreyRandomRange(*colour, lo, hi, 50), 0);
    EXPECT_EQ(lo, GreyMinimumStart);

    auto zero = MakeGrey16(4, 4, [](int, int) { return std::uint16_t(0); });
    ASSERT_EQ(GreyMinMax(*zero, lo, hi), 0);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    TGreyStatistics s;
    ASSERT_EQ(GreyHistogram(*zero, 1, s), 0);
    EXPECT_EQ(s.Scale, 1);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(s.Counts[i], 0) << i;
}

TEST(GreyStatistics, RandomRangeNeverDrawsTheLastColumnOrRow) {
    // Everything inside is 10..20; the last column and row hold values that must not show up.
    auto image = MakeGrey16(6, 5, [](int x, int y) {
        if (x == 5 || y == 4)
            return std::uint16_t(60000);
        return std::uint16_t(10 + x + y);
    });
    image->SetGrey16(0, 0, 10);
    double lo = 0, hi = 0;
    ASSERT_EQ(GreyRandomRange(*image, lo, hi, 5000), 0);
    EXPECT_GE(lo, 10);
    EXPECT_LE(hi, 17);
    // 5000 draws over 20 positions find both ends.
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 17);

    // A single column or row is still sampled (at its first position).
    auto thin = MakeGreyFloat(1, 3, [](int, int y) { return 2.0f + y; });
    ASSERT_EQ(GreyRandomRange(*thin, lo, hi, 100), 0);
    EXPECT_FLOAT_EQ(lo, 2);
    EXPECT_FLOAT_EQ(hi, 3);
}

TEST(GreyStatistics, HistogramBinsByScaleWithNegativesInBinZero) {
    // Maximum 510: scale 0.5; 1 rounds to bin 0 (0.5 ties to even), 3 to bin 2 (1.5), 5 to 2.
    const float values[] = {-4, 1, 3, 5, 510, 255};
    auto image = MakeGreyFloat(6, 1, [&](int x, int) { return values[x]; });
    TGreyStatistics s;
    ASSERT_EQ(GreyHistogram(*image, 1, s), 0);
    EXPECT_DOUBLE_EQ(s.Scale, 0.5);
    EXPECT_EQ(s.Minimum, -4);
    EXPECT_EQ(s.Maximum, 510);
    EXPECT_EQ(Samples(s, 0), 2);
    EXPECT_EQ(Samples(s, 2), 2);
    EXPECT_EQ(Samples(s, 128), 1); // 127.5 ties to 128
    EXPECT_EQ(Samples(s, 255), 1);
    std::int64_t total = 0;
    for (auto c : s.Counts)
        total += c;
    EXPECT_EQ(total, 6 * GreyHistogramWeight);
}

TEST(GreyStatistics, HistogramStepTakesEveryStepthRowAndColumn) {
    auto image =
        MakeGrey16(5, 5, [](int x, int y) { return std::uint16_t(x % 2 || y % 2 ? 255 : 1); });
    TGreyStatistics s;
    ASSERT_EQ(GreyHistogram(*image, 2, s), 0);
    // Rows and columns 0, 2, 4: nine samples, all of value 1.
    EXPECT_EQ(Samples(s, 1), 9);
    EXPECT_EQ(Samples(s, 255), 0);
}

TEST(GreyStatistics, HistogramOfNonPositiveFloatsPutsEverythingInBinZero) {
    auto image = MakeGreyFloat(2, 2, [](int x, int y) { return -1.0f * (x + y + 1); });
    TGreyStatistics s;
    ASSERT_EQ(GreyHistogram(*image, 1, s), 0);
    EXPECT_EQ(s.Scale, 1);
    EXPECT_EQ(Samples(s, 0), 4);
}

} // namespace
