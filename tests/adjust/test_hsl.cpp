// The colour conversions and the hue, saturation and lightness adjustment.

#include "adjust/ColourConversions.h"
#include "adjust/HSI.h"
#include "adjust/HslRows.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(ColourConversions, WorkedValuesAndRoundTrips) {
    double h, s, v, r, g, b;
    RgbToHsv(255, 0, 0, h, s, v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(v, 1);
    RgbToHsv(0, 0, 0, h, s, v);
    EXPECT_EQ(s, 0);
    EXPECT_TRUE(IsUndefinedHue(h));
    EXPECT_EQ(v, 0);
    double r0, g0, b0;
    HsvToRgb(360, 0.5, 0.8, r, g, b);
    HsvToRgb(0, 0.5, 0.8, r0, g0, b0);
    EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(r0, g0, b0));

    double l;
    RgbToHsl(0.25, 0.25, 0.25, h, l, s);
    EXPECT_TRUE(IsUndefinedHue(h));
    EXPECT_EQ(s, 0);
    RgbToHsl(0, 0, 1, h, l, s);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(l, 0.5);
    EXPECT_EQ(s, 1);

    for (int ri = 0; ri <= 255; ri += 15)
        for (int gi = 0; gi <= 255; gi += 17)
            for (int bi = 0; bi <= 255; bi += 51) {
                RgbToHsl(ri / 255.0, gi / 255.0, bi / 255.0, h, l, s);
                HslToRgb(h, l, s, r, g, b);
                ASSERT_NEAR(r * 255, ri, 1e-9);
                ASSERT_NEAR(g * 255, gi, 1e-9);
                ASSERT_NEAR(b * 255, bi, 1e-9);
                RgbToHsv(ri, gi, bi, h, s, v);
                HsvToRgb(h, s, v * 255, r, g, b);
                ASSERT_NEAR(r, ri, 1e-9);
                ASSERT_NEAR(g, gi, 1e-9);
                ASSERT_NEAR(b, bi, 1e-9);
            }
}

TEST(HSI, WorkedPixels) {
    struct {
        THSIParams params;
        double in[3], out[3];
    } cases[] = {
        {{120, 0, 0}, {255, 0, 0}, {0, 255, 0}},
        {{-120, 0, 0}, {255, 0, 0}, {0, 0, 255}},
        {{0, -100, 0}, {255, 0, 0}, {127.5, 127.5, 127.5}},
        {{0, -100, 0}, {65535, 0, 0}, {32767.5, 32767.5, 32767.5}},
        {{0, 0, 100}, {10, 200, 30}, {255, 255, 255}},
        {{0, 0, -100}, {10, 200, 30}, {0, 0, 0}},
        {{0, 0, 50}, {0, 0, 0}, {127.5, 127.5, 127.5}},
        {{90, 100, 0}, {80, 80, 80}, {80, 80, 80}}, // grey stays grey
        {{0, 0, 0}, {12, 34, 56}, {12, 34, 56}},
    };
    for (const auto& c : cases) {
        const double m = c.in[0] > 255 ? 65535 : 255;
        double r = c.in[0], g = c.in[1], b = c.in[2];
        AdjustHsl(c.params, m, r, g, b);
        EXPECT_NEAR(r, c.out[0], 1e-3 * m / 255) << c.params.Hue << " " << c.params.Saturation;
        EXPECT_NEAR(g, c.out[1], 1e-3 * m / 255);
        EXPECT_NEAR(b, c.out[2], 1e-3 * m / 255);
    }
}

TEST(HSI, ApplyOnColourOnly) {
    auto image = MakeRgb24(2, 1, [](int x, int) {
        return x ? std::array<std::uint8_t, 3>{255, 0, 0} : std::array<std::uint8_t, 3>{9, 9, 9};
    });
    ASSERT_EQ(ApplyHSI(*image, {120, 0, 0}), 0);
    std::uint16_t rgb[3] = {};
    image->RgbAt(1, 0, rgb);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[1], 255);
    image->RgbAt(0, 0, rgb);
    EXPECT_EQ(rgb[1], 9);
    ASSERT_EQ(ApplyHSI(*image, {0, -100, 0}), 0);
    image->RgbAt(1, 0, rgb);
    EXPECT_EQ(rgb[0], 128); // 127.5 to the even neighbour

    auto grey = MakeGrey16(2, 1, [](int x, int) { return std::uint16_t(x); });
    EXPECT_EQ(ApplyHSI(*grey, {10, 10, 10}), -1);
}

// The staged row mapper must give exactly AdjustHsl's doubles: every RGB24 red and green with a
// sampled blue, and random RGB48 pixels with some off-integer and out-of-range samples (an odd
// count, so the spare lane is used too).
TEST(HSI, RowMapperMatchesThePixelFormulaExactly) {
    const THSIParams settings[] = {{30, 10, 5},        {0, 0, 0},
                                   {-180, -100, -100}, {180, 100, 100},
                                   {-45.5f, 37, -12},  {90, -30, 50},
                                   {-170, 60, 0},      {400, 0, 0},
                                   {-1000, 20, 0}}; // the last two far outside
    std::vector<std::pair<THSIParams, bool>> cases; // both the four- and two-lane code
    for (const THSIParams& params : settings)
        for (bool wide : {true, false})
            cases.push_back({params, wide});
    std::vector<float> in;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = r % 7; b < 256; b += 7)
                in.insert(in.end(), {float(r), float(g), float(b)});
    std::vector<float> deep;
    std::uint32_t seed = 7;
    for (int i = 0; i < 3'000'000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        deep.push_back(float(seed >> 16));
    }
    for (float odd : {-1.0f, 0.25f, 65535.5f, 70000.0f, 127.75f, 3.0e-5f, 1.0e-40f})
        deep.insert(deep.end(), {odd, 100.0f, 30000.0f});

    for (const auto& [pixels, m] : {std::pair{&in, 255.0}, std::pair{&deep, 65535.0}}) {
        const int count = int(pixels->size() / 3);
        for (const auto& [params, wide] : cases) {
            std::vector<double> out(pixels->size());
            THslRowMapper(params, m, wide).Map(pixels->data(), count, out.data());
            for (int i = 0; i < count; ++i) {
                double r = (*pixels)[3 * i], g = (*pixels)[3 * i + 1], b = (*pixels)[3 * i + 2];
                AdjustHsl(params, m, r, g, b);
                ASSERT_TRUE(r == out[3 * i] && g == out[3 * i + 1] && b == out[3 * i + 2])
                    << "pixel " << (*pixels)[3 * i] << " " << (*pixels)[3 * i + 1] << " "
                    << (*pixels)[3 * i + 2] << " hue " << params.Hue << " M " << m << " wide "
                    << wide;
            }
        }
    }
}
