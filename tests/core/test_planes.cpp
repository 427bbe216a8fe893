#include "core/BasicDataContainer.h"
#include "core/DataContainer.h"
#include "core/DataContainerRGB.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DataContainer, StartsZeroAndIsRowMajor) {
    TDataContainer d(5, 3);
    ASSERT_EQ(d.Width(), 5);
    ASSERT_EQ(d.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            float re = 1, im = 1;
            d.SpectrumAt(x, y, re, im);
            EXPECT_EQ(d.Value(x, y), 0.0f);
            EXPECT_EQ(re, 0.0f);
            EXPECT_EQ(im, 0.0f);
        }
    d.SetValue(4, 1, 2.5f);
    EXPECT_EQ(d.Data()[4 + 1 * 5], 2.5f);
    d.SetSpectrum(1, 2, -1.0f, 3.0f);
    EXPECT_EQ(d.Spectrum()[2 * (1 + 2 * 5)], -1.0f);
    EXPECT_EQ(d.Spectrum()[2 * (1 + 2 * 5) + 1], 3.0f);
}

TEST(DataContainerRGB, ColoursAreStoredRedGreenBluePerPixel) {
    TDataContainerRGB c(4, 2);
    float r = 1, g = 1, b = 1;
    c.ColourAt(3, 1, r, g, b);
    EXPECT_EQ(r + g + b, 0.0f);
    c.SetColour(3, 1, 0.25f, 0.5f, 0.75f);
    c.ColourAt(3, 1, r, g, b);
    EXPECT_EQ(r, 0.25f);
    EXPECT_EQ(g, 0.5f);
    EXPECT_EQ(b, 0.75f);
    const float* p = c.Data() + 3 * (3 + 1 * 4);
    EXPECT_EQ(p[0], 0.25f);
    EXPECT_EQ(p[1], 0.5f);
    EXPECT_EQ(p[2], 0.75f);
    EXPECT_EQ(c.Data()[3 * (2 + 1 * 4) + 2], 0.0f); // neighbour untouched
}

TEST(BasicDataContainer, SixteenBitSamplesRoundTiesToEvenAndClamp) {
    TBasicDataContainer p(3, 16, 2);
    struct Case {
        float in, out;
    };
    const Case cases[] = {
        {65535.0f, 65535.0f}, {0.0f, 0.0f},         {2.5f, 2.0f},
        {3.5f, 4.0f},         {1.4f, 1.0f},         {1.6f, 2.0f},
        {-5.0f, 0.0f},        {70000.0f, 65535.0f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f},
    };
    for (const Case& c : cases) {
        p.SetValue(2, 1, c.in);
        EXPECT_EQ(p.Value(2, 1), c.out) << "stored " << c.in;
    }
    EXPECT_EQ(p.Value(1, 1), 0.0f);
}

TEST(BasicDataContainer, ThirtyTwoBitSamplesAreFloatsAndOtherSizesHoldNothing) {
    TBasicDataContainer f(2, 32, 2);
    f.SetValue(1, 1, 0.1f);
    f.SetValue(0, 1, -3.25f);
    EXPECT_EQ(f.Value(1, 1), 0.1f);
    EXPECT_EQ(f.Value(0, 1), -3.25f);
    EXPECT_EQ(f.Value(0, 0), 0.0f);

    TBasicDataContainer none(2, 8, 2);
    none.SetValue(1, 1, 7.0f);
    EXPECT_EQ(none.Value(1, 1), 0.0f);
}
