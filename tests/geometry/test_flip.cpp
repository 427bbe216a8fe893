#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "geometry/Flip.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::vector<std::unique_ptr<TFImage>> EveryKind(int w, int h) {
    std::vector<std::unique_ptr<TFImage>> images;
    images.push_back(MakeGrey16(w, h, [](int x, int y) { return x * 1000 + y; }));
    images.push_back(MakeGreyFloat(w, h, [](int x, int y) {
        return x == 1 && y == 0 ? std::numeric_limits<float>::quiet_NaN() : x - 2.5f * y;
    }));
    images.push_back(MakeRgb24(w, h, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x * 9), 7,
                                           static_cast<std::uint8_t>(200 - y)};
    }));
    images.push_back(MakeRgb48(w, h, [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(x * 999), 1,
                                            static_cast<std::uint16_t>(60000 - y)};
    }));
    return images;
}

TEST(Flip, MirrorsAndTwiceRestoresEveryKind) {
    for (auto& image : EveryKind(5, 3)) {
        SCOPED_TRACE(KindName(image->Kind()));
        const auto before = CopyOf(*image);
        ASSERT_EQ(FlipHorizontal(*image, nullptr), 0);
        EXPECT_EQ(image->GreyValue(0, 2), before->GreyValue(4, 2));
        ASSERT_EQ(FlipVertical(*image, nullptr), 0);
        EXPECT_EQ(image->GreyValue(0, 0), before->GreyValue(4, 2));
        EXPECT_FALSE(SamePixels(*image, *before));
        ASSERT_EQ(FlipHorizontal(*image, nullptr), 0);
        ASSERT_EQ(FlipVertical(*image, nullptr), 0);
        EXPECT_TRUE(SamePixels(*image, *before));
    }
}

TEST(Flip, ChannelsStayInPlace) {
    auto rgb24 = MakeRgb24(2, 2, [](int x, int y) {
        return x == 0 && y == 0 ? std::array<std::uint8_t, 3>{255, 0, 0}
                                : std::array<std::uint8_t, 3>{0, 0, 0};
    });
    auto rgb48 = MakeRgb48(2, 2, [](int x, int y) {
        return x == 0 && y == 0 ? std::array<std::uint16_t, 3>{65535, 0, 0}
                                : std::array<std::uint16_t, 3>{0, 0, 0};
    });
    ASSERT_EQ(FlipHorizontal(*rgb24, nullptr), 0);
    ASSERT_EQ(FlipVertical(*rgb48, nullptr), 0);
    std::uint16_t rgb[3] = {};
    rgb24->RgbAt(1, 0, rgb);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[2], 0);
    rgb48->RgbAt(0, 1, rgb);
    EXPECT_EQ(rgb[0], 65535);
    EXPECT_EQ(rgb[2], 0);
    EXPECT_EQ(rgb24->DisplayBitmap.Row(0)[3 + 2], 255); // display red byte of pixel (1, 0)
}

TEST(Flip, SinglePixelWideImageIsUnchangedAcross) {
    auto image = MakeGrey16(1, 4, [](int, int y) { return y * 7; });
    const auto before = CopyOf(*image);
    ASSERT_EQ(FlipHorizontal(*image, nullptr), 0);
    EXPECT_TRUE(SamePixels(*image, *before));
}

TEST(Flip, UndoRestoresTheOrientation) {
    auto image = MakeGreyFloat(4, 3, [](int x, int y) { return x + 10.0f * y; });
    image->DisplayLow = 5;
    const auto before = CopyOf(*image);
    TDataContainerUndo undo;
    ASSERT_EQ(FlipVertical(*image, &undo), 0);
    EXPECT_EQ(image->DisplayLow, 5); // no new data range
    EXPECT_TRUE(undo.Available());
    ASSERT_TRUE(undo.UndoRestore(*image));
    EXPECT_TRUE(SamePixels(*image, *before));
}

TEST(Flip, KindsWithoutALayoutAreRefused) {
    TFImage image;
    ASSERT_EQ(image.Allocate(true, 3, 2, 8), 0);
    image.Row(0)[0] = 9;
    TDataContainerUndo undo;
    EXPECT_EQ(FlipHorizontal(image, &undo), -1);
    EXPECT_EQ(image.Row(0)[0], 9);
    EXPECT_FALSE(undo.Available());
    TFImage empty;
    EXPECT_EQ(FlipVertical(empty, nullptr), -1);
}

} // namespace
