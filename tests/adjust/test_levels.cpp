// Levels against worked values, through the batch routine (the pass the dialog's worker runs).

#include "adjust/Levels.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::array<std::uint16_t, 3> Rgb(const TFImage& image, int x) {
    std::array<std::uint16_t, 3> rgb{};
    image.RgbAt(x, 0, rgb.data());
    return rgb;
}

TLevelsParams Levels(float inMin, float inMax, float outMin, float outMax, int channel = 0) {
    return {inMin, inMax, outMin, outMax, channel};
}

} // namespace

TEST(Levels, ColourWorkedValues) {
    struct {
        TLevelsParams params;
        std::uint8_t in;
        std::array<std::uint16_t, 3> out;
    } cases[] = {
        // Red only: 127..255 saturate, L(64) = 128.504; green and blue keep their values.
        {Levels(0, 127, 0, 255, LevelsRed), 64, {129, 64, 64}},
        {Levels(0, 127, 0, 255, LevelsRed), 127, {255, 127, 127}},
        {Levels(0, 127, 0, 255, LevelsRed), 200, {255, 200, 200}},
        {Levels(0, 127, 0, 255, LevelsBlue), 64, {64, 64, 129}},
        // Not limited to the output range: L(0) = -50 -> 0, L(255) = 205.
        {Levels(100, 200, 50, 150), 0, {0, 0, 0}},
        {Levels(100, 200, 50, 150), 255, {205, 205, 205}},
        {Levels(100, 200, 50, 150), 150, {100, 100, 100}},
        // inMin above inMax inverts.
        {Levels(255, 0, 0, 255), 0, {255, 255, 255}},
        {Levels(255, 0, 0, 255), 100, {155, 155, 155}},
    };
    for (const auto& c : cases) {
        auto image = MakeRgb24(1, 1, [&](int, int) {
            return std::array<std::uint8_t, 3>{c.in, c.in, c.in};
        });
        ASSERT_EQ(ApplyLevels(*image, c.params), 0);
        EXPECT_EQ(Rgb(*image, 0), c.out)
            << "input " << int(c.in) << " channel " << c.params.Channel;
    }
}

TEST(Levels, Rgb48UsesItsFullScale) {
    auto image = MakeRgb48(2, 1, [](int x, int) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x ? 40000 : 100), 0, 65535};
    });
    ASSERT_EQ(ApplyLevels(*image, Levels(0, 32767.5f, 0, 65535)), 0);
    EXPECT_EQ(Rgb(*image, 0), (std::array<std::uint16_t, 3>{200, 0, 65535}));
    EXPECT_EQ(Rgb(*image, 1), (std::array<std::uint16_t, 3>{65535, 0, 65535}));
}

TEST(Levels, GreyResultsStayWithinTheOutputRange) {
    const std::uint16_t values[] = {0, 100, 150, 200, 255, 1000};
    auto grey16 = MakeGrey16(6, 1, [&](int x, int) { return values[x]; });
    auto greyFloat = MakeGreyFloat(6, 1, [&](int x, int) { return float(values[x]); });
    ASSERT_EQ(ApplyLevels(*grey16, Levels(100, 200, 50, 150)), 0);
    ASSERT_EQ(ApplyLevels(*greyFloat, Levels(100, 200, 50, 150)), 0);
    const float want[] = {50, 50, 100, 150, 150, 150};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(grey16->Grey16At(x, 0), want[x]) << x;
        EXPECT_FLOAT_EQ(greyFloat->GreyFloatAt(x, 0), want[x]) << x;
    }
}

TEST(Levels, EqualLimitsLeaveEverySampleAsItWas) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {-3.5f, nan, 7.25f};
    for (const TLevelsParams& params : {Levels(5, 5, 0, 10), Levels(0, 10, 4, 4)}) {
        auto image = MakeGreyFloat(3, 1, [&](int x, int) { return values[x]; });
        ASSERT_EQ(ApplyLevels(*image, params), 0);
        EXPECT_EQ(image->GreyFloatAt(0, 0), -3.5f);
        EXPECT_TRUE(std::isnan(image->GreyFloatAt(1, 0)));
        EXPECT_EQ(image->GreyFloatAt(2, 0), 7.25f);
    }
}

TEST(Levels, OpeningGivesTheIdentityOverTheSliderRange) {
    const auto rgb24 = [](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x * 100), std::uint8_t(y), 7};
    };
    const auto rgb48 = [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 30000 + 1), std::uint16_t(y), 7};
    };
    auto image24 = MakeRgb24(3, 2, rgb24);
    auto image48 = MakeRgb48(3, 2, rgb48);

    const TLevelsOpening o24 = LevelsOpening(*image24);
    EXPECT_FALSE(o24.Grey);
    EXPECT_EQ(o24.Minimum, 0);
    EXPECT_EQ(o24.Maximum, 255);
    double count = 0;
    for (double bin : o24.Histogram)
        count += bin;
    EXPECT_DOUBLE_EQ(count, 6); // the mean of three channel counts per bin
    EXPECT_EQ(LevelsOpening(*image48).Maximum, 65535);

    ASSERT_EQ(ApplyLevels(*image24, o24.Defaults()), 0);
    ASSERT_EQ(ApplyLevels(*image48, LevelsOpening(*image48).Defaults()), 0);
    EXPECT_TRUE(SamePixels(*image24, *MakeRgb24(3, 2, rgb24)));
    EXPECT_TRUE(SamePixels(*image48, *MakeRgb48(3, 2, rgb48)));

    auto negative = MakeGreyFloat(4, 1, [](int x, int) { return x * 1.1f - 0.5f; });
    const TLevelsOpening grey = LevelsOpening(*negative);
    EXPECT_TRUE(grey.Grey);
    EXPECT_EQ(grey.Minimum, 0); // the negative minimum is taken as 0
    EXPECT_FLOAT_EQ(static_cast<float>(grey.Maximum), 2.8f);

    // Grey data inside the range keep their exact values, fractions included.
    auto inside = MakeGreyFloat(3, 1, [](int x, int) { return 0.1f + x / 3.0f; });
    const float middle = inside->GreyFloatAt(1, 0);
    ASSERT_EQ(ApplyLevels(*inside, LevelsOpening(*inside).Defaults()), 0);
    EXPECT_EQ(inside->GreyFloatAt(1, 0), middle);
}

TEST(Levels, GreyPreviewStretchesTheOutputRange) {
    auto image = MakeGrey16(3, 1, [](int x, int) { return std::uint16_t(x * 100); });
    TAdjustPlanes planes(3, true, 1);
    CopyImageToPlanes(*image, planes);
    std::uint8_t display[9];
    const auto pass = TLevelsTool::BuildPass(Levels(0, 200, 50, 150), TAdjustImageInfo::Of(*image));
    pass->PreviewRow(planes, 0, display);
    EXPECT_EQ(display[0], 0);   // 50
    EXPECT_EQ(display[3], 128); // 100: 127.5 to the even neighbour
    EXPECT_EQ(display[6], 255); // 150
}
