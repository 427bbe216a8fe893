#include "core/DataContainer.h"
#include "core/DataContainerRGB.h"
#include "core/fimage.h"
#include "geometry/Resample.h"
#include "geometry/ResampleTaps.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr ResampleMethod AllMethods[] = {ResampleMethod::NearestNeighbor, ResampleMethod::Bilinear,
                                         ResampleMethod::Bicubic,         ResampleMethod::Mitchell,
                                         ResampleMethod::Lagrange,        ResampleMethod::BSpline};

std::vector<float> GreyRow(const TDataContainer& plane, int y) {
    std::vector<float> row;
    for (int x = 0; x < plane.Width(); ++x)
        row.push_back(plane.Value(x, y));
    return row;
}

// A one-row GreyFloat image: the vertical axis is then the identity for every method.
std::unique_ptr<TFImage> RowImage(std::vector<float> values) {
    return MakeGreyFloat(static_cast<int>(values.size()), 1,
                         [values](int x, int) { return values[x]; });
}

TEST(Resample, BilinearLastColumnsReadTheLastSourceColumn) {
    const auto image = RowImage({10, 20});
    const auto plane = ResampleGrey(ResampleMethod::Bilinear, 4, 1, *image);
    ASSERT_TRUE(plane);
    // Positions 0, 0.5, 1, 1.5: the last one has x1 limited to the last column.
    EXPECT_EQ(GreyRow(*plane, 0), (std::vector<float>{10, 15, 20, 20}));
}

// Source 0 0 0 600 enlarged 4 -> 8: output 5 samples at 2.5, so its taps are columns 1..4 and
// column 4 lies past the edge. It reads the centre column 2 (a zero), not the last column.
TEST(Resample, TapPastTheRightEdgeReadsTheCentreColumn) {
    const auto image = RowImage({0, 0, 0, 600});
    const struct {
        ResampleMethod Method;
        float Expected; // weight of the tap at distance 0.5 (column 3) x 600
    } cases[] = {
        {ResampleMethod::Bicubic, 0.625f * 600},
        {ResampleMethod::Mitchell, (7.0f / 48 - 0.5f + 8.0f / 9) * 600},
        {ResampleMethod::Lagrange, 0.5625f * 600},
        {ResampleMethod::BSpline, 2.875f / 6 * 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ResampleMethodName(c.Method));
        const auto plane = ResampleGrey(c.Method, 8, 1, *image);
        ASSERT_TRUE(plane);
        EXPECT_NEAR(plane->Value(5, 0), c.Expected, 1e-3);
    }
}

TEST(Resample, TapLeftOfTheImageReadsColumnZero) {
    // B-spline at 100 %: weights 1/6, 4/6, 1/6 with the tap at -1 reading column 0.
    const auto image = RowImage({600, 0, 0, 0});
    const auto plane = ResampleGrey(ResampleMethod::BSpline, 4, 1, *image);
    ASSERT_TRUE(plane);
    EXPECT_NEAR(plane->Value(0, 0), 500, 1e-3);
    EXPECT_NEAR(plane->Value(1, 0), 100, 1e-3);
}

TEST(Resample, BSplineSpreadsABrightPixelAtFullSize) {
    const auto image = MakeGrey16(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 3600 : 0; });
    const auto plane = ResampleGrey(ResampleMethod::BSpline, 5, 5, *image);
    ASSERT_TRUE(plane);
    const float axis[5] = {0, 1, 4, 1, 0}; // sixths
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_NEAR(plane->Value(x, y), 3600 * axis[x] * axis[y] / 36, 1e-2) << x << "," << y;
}

TEST(Resample, NearestRoundsHalvesToEven) {
    // Scale 0.5 from 3 -> 6 columns: positions 0, .5, 1, 1.5, 2, 2.5 pick 0 0 1 2 2 2.
    const auto image = RowImage({1, 2, 3});
    const auto plane = ResampleGrey(ResampleMethod::NearestNeighbor, 6, 1, *image);
    ASSERT_TRUE(plane);
    EXPECT_EQ(GreyRow(*plane, 0), (std::vector<float>{1, 1, 2, 3, 3, 3}));
}

// The separable, ring-buffered, two-core run against the plain per-pixel double sum over the
// same taps, for enlargements and reductions in both directions, grey and colour.
TEST(Resample, SeparableRunMatchesThePerPixelSum) {
    const int w = 37, h = 29;
    const auto grey = MakeGreyFloat(w, h, [](int x, int y) {
        return static_cast<float>((x * 7919 + y * 104729) % 1000) - 200;
    });
    const auto colour = MakeRgb48(w, h, [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>((x * 131 + y * 17) % 65536),
                                            static_cast<std::uint16_t>(x * y * 40),
                                            static_cast<std::uint16_t>(60000 - 900 * y)};
    });
    const struct { int NewWidth, NewHeight; } sizes[] = {{90, 211}, {11, 7}, {20, 150}, {37, 29}};
    for (const auto method : AllMethods)
        for (const auto size : sizes) {
            SCOPED_TRACE(std::string(ResampleMethodName(method)) + " " +
                         std::to_string(size.NewWidth) + "x" + std::to_string(size.NewHeight));
            const TAxisTaps cols = BuildAxisTaps(method, w, size.NewWidth);
            const TAxisTaps rows = BuildAxisTaps(method, h, size.NewHeight);
            const auto greyPlane = ResampleGrey(method, size.NewWidth, size.NewHeight, *grey);
            const auto colourPlane = ResampleColour(method, size.NewWidth, size.NewHeight, *colour);
            ASSERT_TRUE(greyPlane && colourPlane);
            ASSERT_EQ(greyPlane->Width(), size.NewWidth);
            ASSERT_EQ(greyPlane->Height(), size.NewHeight);
            int mismatches = 0;
            for (int y = 0; y < size.NewHeight; ++y)
                for (int x = 0; x < size.NewWidth; ++x) {
                    double g = 0, c[3] = {0, 0, 0};
                    for (int j = 0; j < rows.Taps; ++j)
                        for (int i = 0; i < cols.Taps; ++i) {
                            const double weight =
                                static_cast<double>(rows.WeightAt(y)[j]) * cols.WeightAt(x)[i];
                            const int sx = cols.IndexAt(x)[i], sy = rows.IndexAt(y)[j];
                            g += weight * grey->GreyFloatAt(sx, sy);
                            std::uint16_t rgb[3];
                            colour->Rgb48At(sx, sy, rgb);
                            for (int k = 0; k < 3; ++k)
                                c[k] += weight * rgb[k];
                        }
                    float got[3];
                    colourPlane->ColourAt(x, y, got[0], got[1], got[2]);
                    mismatches += std::fabs(greyPlane->Value(x, y) - g) > 1e-2;
                    for (int k = 0; k < 3; ++k)
                        mismatches += std::fabs(got[k] - c[k]) > 0.1;
                }
            EXPECT_EQ(mismatches, 0);
        }
}

TEST(Resample, ProgressCountsRowsAndIsClearedAtTheEnd) {
    const auto image = MakeGrey16(10, 10, [](int x, int y) { return x + y; });
    std::vector<int> seen;
    const auto plane = ResampleGrey(ResampleMethod::Bicubic, 20, 300, *image,
                                    [&seen](int percent) { seen.push_back(percent); });
    ASSERT_TRUE(plane);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), ResampleProgressDone);
    for (std::size_t i = 1; i + 1 < seen.size(); ++i) {
        EXPECT_GT(seen[i], seen[i - 1]);
        EXPECT_LT(seen[i], 100);
    }
}

} // namespace
