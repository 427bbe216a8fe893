// Point-spread functions, plane sizes, padding and the YUV pair.

#include "core/ColourYuv.h"
#include "core/DataContainer.h"
#include "core/DisplayBitmap.h"
#include "deconv/Padding.h"
#include "deconv/Psf.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TPsfCase {
    PsfKind Kind;
    int Side;
    float Sigma;
    int X, Y;
    double Expected;
};

} // namespace

TEST(Psf, ValuesAtWrappedOffsets) {
    const TPsfCase cases[] = {
        {PsfKind::Gaussian, 256, 1, 0, 0, 1.0},
        {PsfKind::Gaussian, 256, 1, 1, 0, std::exp(-0.5)},
        {PsfKind::Gaussian, 256, 1, 255, 0, std::exp(-0.5)},
        {PsfKind::Gaussian, 256, 1, 0, 1, std::exp(-0.5)},
        {PsfKind::Gaussian, 256, 1, 0, 255, std::exp(-0.5)},
        {PsfKind::Gaussian, 256, 1, 1, 1, std::exp(-1.0)},
        {PsfKind::Gaussian, 256, 1, 255, 255, std::exp(-1.0)},
        {PsfKind::Gaussian, 256, 1, 128, 128, 0.0},
        {PsfKind::Exponential, 64, 2, 1, 0, std::exp(-0.25)},
        {PsfKind::Exponential, 64, 2, 1, 1, std::exp(-0.5)},
        {PsfKind::Cauchy, 64, 1, 1, 0, 0.5},
        {PsfKind::Cauchy, 64, 1, 1, 1, 0.2},
        {PsfKind::Moffat, 64, 1, 0, 0, 1.0},
    };
    for (const auto& c : cases) {
        auto plane = BuildPsf(c.Kind, c.Side, c.Side, c.Sigma, 2.5f);
        ASSERT_TRUE(plane);
        EXPECT_FLOAT_EQ(plane->Value(c.X, c.Y), static_cast<float>(c.Expected))
            << "kind " << static_cast<int>(c.Kind) << " at " << c.X << "," << c.Y;
    }
}

TEST(Psf, MoffatWithKurtosisOneIsCauchy) {
    auto moffat = BuildPsf(PsfKind::Moffat, 64, 64, 1, 1);
    auto cauchy = BuildPsf(PsfKind::Cauchy, 64, 64, 1, 2.5f);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_FLOAT_EQ(moffat->Value(x, y), cauchy->Value(x, y));
}

TEST(Psf, PreviewPeaksWhiteAtTheCentre) {
    for (PsfKind kind :
         {PsfKind::Gaussian, PsfKind::Exponential, PsfKind::Cauchy, PsfKind::Moffat}) {
        auto bitmap = DrawPsfPreview(kind, 64, 64, 3.0f, 2.5f);
        ASSERT_TRUE(bitmap);
        ASSERT_EQ(bitmap->Width(), 64);
        const std::uint8_t* centre = bitmap->Row(32) + 3 * 32;
        EXPECT_EQ(centre[0], 255);
        EXPECT_EQ(centre[2], 255);
        EXPECT_LT(bitmap->Row(0)[0], 255);
    }
}

TEST(Psf, PaddedFftSize) {
    const int cases[][2] = {{0, 64},      {1, 64},      {64, 64},     {65, 128},
                            {256, 256},   {257, 512},   {4096, 4096}, {4097, 8192},
                            {8192, 8192}, {8193, 8193}, {-5, -5}};
    for (const auto& c : cases)
        EXPECT_EQ(PaddedFftSize(c[0]), c[1]) << c[0];
}

TEST(Padding, GreyImageCentredWithTheMeanAround) {
    auto image =
        MakeGrey16(100, 60, [](int x, int y) { return static_cast<std::uint16_t>(x + 7 * y); });
    double sum = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            sum += x + 7 * y;
    const float mean = static_cast<float>(sum / 6000.0);
    const TPaddedPlane padded = PadToPlane(*image, 0);
    ASSERT_TRUE(padded.Plane);
    EXPECT_EQ(padded.Width, 128);
    EXPECT_EQ(padded.Height, 64);
    EXPECT_EQ(padded.OffsetX, 14);
    EXPECT_EQ(padded.OffsetY, 2);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = x >= 14 && x < 114 && y >= 2 && y < 62;
            const float expected = inside ? static_cast<float>((x - 14) + 7 * (y - 2)) : mean;
            ASSERT_FLOAT_EQ(padded.Plane->Value(x, y), expected) << x << "," << y;
        }
}

TEST(Padding, ColourChannelsInTheirOwnScale) {
    auto image = MakeRgb48(70, 64, [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(1000 + x),
                                            static_cast<std::uint16_t>(2000 + y), 60000};
    });
    for (int channel = 1; channel <= 3; ++channel) {
        const TPaddedPlane padded = PadToPlane(*image, channel);
        EXPECT_EQ(padded.Width, 128);
        const float expected[] = {1000 + 5, 2000 + 3, 60000};
        EXPECT_FLOAT_EQ(padded.Plane->Value(padded.OffsetX + 5, padded.OffsetY + 3),
                        expected[channel - 1]);
    }
}

TEST(Padding, PreviewLayouts) {
    struct TCase {
        int W, H, Left, Top;
        TPlaneLayout Expected;
    };
    const TCase cases[] = {
        // small image: centred whole
        {100, 80, 0, 0, {256, 256, 78, 88, 0, 0, 100, 80}},
        // large image: the region, no border
        {300, 300, 44, 10, {256, 256, 0, 0, 44, 10, 256, 256}},
        // one side short: the long side's window at the region, the short side centred
        {600, 100, 200, 0, {256, 256, 0, 78, 200, 0, 256, 100}},
        // a region past the end is pulled back inside
        {300, 100, 90, 0, {256, 256, 0, 78, 44, 0, 256, 100}},
    };
    for (const auto& c : cases) {
        const TPlaneLayout l = PreviewLayout(c.W, c.H, c.Left, c.Top);
        EXPECT_EQ(l.OffsetX, c.Expected.OffsetX) << c.W << "x" << c.H;
        EXPECT_EQ(l.OffsetY, c.Expected.OffsetY) << c.W << "x" << c.H;
        EXPECT_EQ(l.Left, c.Expected.Left) << c.W << "x" << c.H;
        EXPECT_EQ(l.Top, c.Expected.Top) << c.W << "x" << c.H;
        EXPECT_EQ(l.Width, c.Expected.Width) << c.W << "x" << c.H;
        EXPECT_EQ(l.Height, c.Expected.Height) << c.W << "x" << c.H;
    }
    const TPlaneLayout big = FinalLayout(1000, 700);
    EXPECT_EQ(big.PlaneWidth, 1024);
    EXPECT_EQ(big.PlaneHeight, 1024);
    EXPECT_EQ(big.OffsetX, 12);
    EXPECT_EQ(big.OffsetY, 162);
}

TEST(Yuv, ForwardCoefficientsAndExactInverse) {
    float y, u, v;
    RgbToYuv(100, 50, 200, y, u, v);
    EXPECT_FLOAT_EQ(y, 0.299f * 100 + 0.587f * 50 + 0.114f * 200);
    EXPECT_FLOAT_EQ(u, -0.147f * 100 - 0.289f * 50 + 0.436f * 200);
    EXPECT_FLOAT_EQ(v, 0.615f * 100 - 0.515f * 50 - 0.1f * 200);
    // The rounded textbook inverse turns this into (30003, 0, 9).
    const float colours[][3] = {{30000, 0, 0},   {0, 65535, 0}, {0, 0, 65535},
                                {255, 255, 255}, {1, 2, 3},     {65535, 0, 65535}};
    for (const auto& c : colours) {
        RgbToYuv(c[0], c[1], c[2], y, u, v);
        float r, g, b;
        YuvToRgb(y, u, v, r, g, b);
        EXPECT_EQ(std::nearbyint(r), c[0]);
        EXPECT_EQ(std::nearbyint(g), c[1]);
        EXPECT_EQ(std::nearbyint(b), c[2]);
        EXPECT_NEAR(r, c[0], 0.01);
    }
}
