// Gamma and brightness/contrast against worked values, on tiny images through the batch routine
// (the same pass the dialogs' workers run).

#include "adjust/BriCon.h"
#include "adjust/Gamma.h"
#include "adjust/ImagePlanes.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::unique_ptr<TFImage> Rgb24Row(std::vector<std::uint8_t> values) {
    return MakeRgb24(static_cast<int>(values.size()), 1, [&](int x, int) {
        return std::array<std::uint8_t, 3>{values[x], values[x], values[x]};
    });
}

std::uint8_t Red24(const TFImage& image, int x) {
    std::uint16_t rgb[3] = {};
    image.RgbAt(x, 0, rgb);
    return static_cast<std::uint8_t>(rgb[0]);
}

} // namespace

TEST(Gamma, PositionsAreTenthsOfTheSlider) {
    EXPECT_EQ(GammaPositionOf(2.34), 23);
    EXPECT_EQ(GammaPositionOf(0.25), 2); // halves go to the even neighbour
    EXPECT_EQ(GammaPositionOf(0.0), GammaPositionMin);
    EXPECT_EQ(GammaPositionOf(50.0), GammaPositionMax);
    EXPECT_FLOAT_EQ(GammaOfPosition(10), 1.0f);
}

TEST(Gamma, Rgb24WorkedValues) {
    struct {
        float gamma;
        std::uint8_t in, out;
    } cases[] = {
        {2.0f, 64, 128}, {0.5f, 128, 64},  {1.0f, 77, 77},    {0.1f, 0, 0},
        {10.1f, 0, 0},   {0.1f, 255, 255}, {10.1f, 255, 255},
    };
    for (const auto& c : cases) {
        auto image = Rgb24Row({c.in});
        ASSERT_EQ(ApplyGamma(*image, c.gamma), 0);
        EXPECT_EQ(Red24(*image, 0), c.out) << "gamma " << c.gamma << " of " << int(c.in);
    }
}

TEST(Gamma, UnitGammaLeavesColourAlone) {
    auto rgb24 = MakeRgb24(7, 5, [](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x * 37), std::uint8_t(y * 51), 255};
    });
    auto copy24 = MakeRgb24(7, 5, [](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x * 37), std::uint8_t(y * 51), 255};
    });
    auto rgb48 = MakeRgb48(5, 3, [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 16001), std::uint16_t(y), 65535};
    });
    auto copy48 = MakeRgb48(5, 3, [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 16001), std::uint16_t(y), 65535};
    });
    ASSERT_EQ(ApplyGamma(*rgb24, 1.0f), 0);
    ASSERT_EQ(ApplyGamma(*rgb48, 1.0f), 0);
    EXPECT_TRUE(SamePixels(*rgb24, *copy24));
    EXPECT_TRUE(SamePixels(*rgb48, *copy48));
}

TEST(Gamma, Grey16IsStretchedFromItsMinimum) {
    const std::uint16_t values[] = {1000, 3000, 5000};
    auto image = MakeGrey16(3, 1, [&](int x, int) { return values[x]; });
    ASSERT_EQ(ApplyGamma(*image, 1.0f), 0);
    EXPECT_EQ(image->Grey16At(0, 0), 0);
    EXPECT_EQ(image->Grey16At(1, 0), 2500);
    EXPECT_EQ(image->Grey16At(2, 0), 5000);
    EXPECT_FLOAT_EQ(image->DataMin, 0);
    EXPECT_FLOAT_EQ(image->DataMax, 5000);
}

TEST(Gamma, GreyFloatCurvesWithinItsMaximum) {
    const float values[] = {0.0f, 25.0f, 100.0f};
    auto image = MakeGreyFloat(3, 1, [&](int x, int) { return values[x]; });
    ASSERT_EQ(ApplyGamma(*image, 2.0f), 0);
    EXPECT_FLOAT_EQ(image->GreyFloatAt(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(image->GreyFloatAt(1, 0), 50.0f); // 100 * (25/100)^0.5
    EXPECT_FLOAT_EQ(image->GreyFloatAt(2, 0), 100.0f);
}

TEST(Gamma, FlatGreyImageIsLeftExactlyAsItWas) {
    // DataMin equals DataMax: the stretch is undefined, so nothing may change, not even the NaN
    // and negative samples a write-back would clamp.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {3.0f, nan, 3.0f};
    auto image = MakeGreyFloat(3, 1, [&](int x, int) { return values[x]; });
    ASSERT_EQ(image->DataMin, image->DataMax);
    ASSERT_EQ(ApplyGamma(*image, 2.0f), 0);
    EXPECT_FLOAT_EQ(image->GreyFloatAt(0, 0), 3.0f);
    EXPECT_TRUE(std::isnan(image->GreyFloatAt(1, 0)));
}

TEST(Gamma, GreyPreviewStretchesFromTheCurvedMinimum) {
    auto image = MakeGrey16(3, 1, [](int x, int) { return std::uint16_t(1000 + 2000 * x); });
    const auto info = TAdjustImageInfo::Of(*image);
    TAdjustPlanes planes(3, true, 1);
    CopyImageToPlanes(*image, planes);
    std::uint8_t display[9];
    TGammaTool::BuildPass({1.0f}, info)->PreviewRow(planes, 0, display);
    EXPECT_EQ(display[0], 0);
    EXPECT_EQ(display[3], 128); // (3000 - 1000) * 255 / 4000 = 127.5 -> 128
    EXPECT_EQ(display[6], 255);
    EXPECT_EQ(display[4], display[3]);
}

TEST(ImagePlanes, WriteBackClampsAndRoundsHalfToEven) {
    auto rgb24 = Rgb24Row({0, 0, 0, 0});
    TAdjustPlanes colour(4, false, 1);
    const float in[4][3] = {{-1, std::numeric_limits<float>::quiet_NaN(), 300},
                            {2.5f, 3.5f, 254.5f},
                            {0.49f, 1.51f, 255},
                            {10, 20, 30}};
    for (int x = 0; x < 4; ++x)
        colour.Colour->SetColour(x, 0, in[x][0], in[x][1], in[x][2]);
    CopyPlanesToImage(*rgb24, colour);
    std::uint16_t rgb[3];
    const std::uint16_t want[4][3] = {{0, 0, 255}, {2, 4, 254}, {0, 2, 255}, {10, 20, 30}};
    for (int x = 0; x < 4; ++x) {
        rgb24->RgbAt(x, 0, rgb);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(rgb[c], want[x][c]) << x << "," << c;
    }

    auto grey = MakeGrey16(3, 1, [](int, int) { return std::uint16_t(0); });
    TAdjustPlanes plane(3, true, 1);
    plane.Grey->SetValue(0, 0, -7);
    plane.Grey->SetValue(1, 0, 6000.5f);
    plane.Grey->SetValue(2, 0, 70000);
    CopyPlanesToImage(*grey, plane);
    EXPECT_EQ(grey->Grey16At(0, 0), 0);
    EXPECT_EQ(grey->Grey16At(1, 0), 6000);
    EXPECT_EQ(grey->Grey16At(2, 0), 65535);
}

TEST(BriCon, ContrastFactors) {
    EXPECT_FLOAT_EQ(ContrastFactor(0), 1.0f);
    EXPECT_FLOAT_EQ(ContrastFactor(100), 11.0f);
    EXPECT_FLOAT_EQ(ContrastFactor(-1), 0.9f);
    EXPECT_FLOAT_EQ(ContrastFactor(-25), 0.5f);
    EXPECT_FLOAT_EQ(ContrastFactor(-100), 0.0f);
}

TEST(BriCon, Rgb24Tables) {
    auto image = Rgb24Row({0, 100, 200});
    const double mean = 100;
    TBriConMapping identity(*image, mean, {0, 0});
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(identity.Table()[v], v);

    TBriConMapping flat(*image, mean, {10, -100}); // k = 0: everything at the mean, shifted
    for (int v : {0, 77, 255})
        EXPECT_EQ(flat.Table()[v], 100 + 26) << v; // Round(25.5) = 26, the even neighbour

    TBriConMapping steep(*image, mean, {0, 100}); // k = 11
    EXPECT_EQ(steep.Table()[100], 100);
    EXPECT_EQ(steep.Table()[101], 111);
    EXPECT_EQ(steep.Table()[90], 0);
    EXPECT_EQ(steep.Table()[120], 255);
}

TEST(BriCon, Grey16IsStretchedToTheFullRangeEvenAtZero) {
    auto image = MakeGrey16(3, 1, [](int x, int) { return std::uint16_t(1000 + 1000 * x); });
    ASSERT_EQ(ApplyBriCon(*image, {0, 0}), 0);
    EXPECT_EQ(image->Grey16At(0, 0), 0);
    EXPECT_EQ(image->Grey16At(1, 0), 32768); // Round(65535 / 2000 * 1000) = Round(32767.5)
    EXPECT_EQ(image->Grey16At(2, 0), 65535);
    EXPECT_FLOAT_EQ(image->DataMax, 65535);
}

TEST(BriCon, GreyFloatShiftsItsMinimumToZero) {
    const float values[] = {10.0f, 30.0f, 50.0f};
    auto image = MakeGreyFloat(3, 1, [&](int x, int) { return values[x]; });
    ASSERT_EQ(ApplyBriCon(*image, {0, 0}), 0);
    EXPECT_FLOAT_EQ(image->GreyFloatAt(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(image->GreyFloatAt(1, 0), 25.0f); // 50 / 40 * (30 - 10)
    EXPECT_FLOAT_EQ(image->GreyFloatAt(2, 0), 50.0f);

    auto bright = MakeGreyFloat(3, 1, [&](int x, int) { return values[x]; });
    ASSERT_EQ(ApplyBriCon(*bright, {50, 0}), 0); // + 25, then limited to DataMax
    EXPECT_FLOAT_EQ(bright->GreyFloatAt(0, 0), 31.25f);
    EXPECT_FLOAT_EQ(bright->GreyFloatAt(2, 0), 50.0f);
}

TEST(BriCon, FlatGreyImagesAreLeftAlone) {
    auto grey16 = MakeGrey16(2, 2, [](int, int) { return std::uint16_t(700); });
    auto greyFloat = MakeGreyFloat(2, 2, [](int, int) { return 4.5f; });
    ASSERT_EQ(ApplyBriCon(*grey16, {30, 40}), 0);
    ASSERT_EQ(ApplyBriCon(*greyFloat, {30, 40}), 0);
    EXPECT_EQ(grey16->Grey16At(1, 1), 700);
    EXPECT_FLOAT_EQ(greyFloat->GreyFloatAt(1, 1), 4.5f);
}

TEST(BriCon, Rgb48UsesSixteenBitSteps) {
    auto image = MakeRgb48(2, 1, [](int x, int) {
        const std::uint16_t v = x ? 65535 : 0;
        return std::array<std::uint16_t, 3>{v, v, v};
    });
    ASSERT_EQ(ApplyBriCon(*image, {10, 0}), 0); // + Round(6553.5) = 6554
    std::uint16_t rgb[3];
    image->RgbAt(0, 0, rgb);
    EXPECT_EQ(rgb[0], 6554);
    image->RgbAt(1, 0, rgb);
    EXPECT_EQ(rgb[2], 65535);
}

TEST(Adjustments, RefuseKindsTheyDoNotProcess) {
    TFImage indexed;
    ASSERT_EQ(indexed.Allocate(true, 4, 4, 8), 0);
    EXPECT_LT(ApplyGamma(indexed, 2.0f), 0);
    EXPECT_LT(ApplyBriCon(indexed, {10, 10}), 0);
}
