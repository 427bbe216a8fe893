#include "core/DisplayBitmap.h"
#include "core/FolderList.h"
#include "core/Readout.h"
#include "core/Stretch.h"
#include "core/Zoom.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(Zoom, StepsStopAtBothEndsOfTheTable) {
    TZoom zoom;
    zoom.SetLevel(15);
    zoom.In();
    EXPECT_EQ(zoom.Index, 15);
    EXPECT_EQ(zoom.Factor, 16.0f);
    zoom.SetLevel(0);
    zoom.Out();
    EXPECT_EQ(zoom.Index, 0);
    EXPECT_EQ(zoom.Factor, 0.0625f);
}

TEST(Zoom, FreePercentTakesTheLargestLevelNotAbove) {
    struct Case {
        double Percent;
        int Index;
        float Factor;
    };
    const Case cases[] = {{150, 6, 1.5f}, {0.5, 0, 0.005f},  {2400, 15, 24.0f},
                          {67, 4, 0.67f}, {66.9, 3, 0.669f}, {100, 6, 1.0f}};
    for (const Case& c : cases) {
        TZoom zoom;
        zoom.SetPercent(c.Percent);
        EXPECT_EQ(zoom.Index, c.Index) << c.Percent;
        EXPECT_FLOAT_EQ(zoom.Factor, c.Factor) << c.Percent;
    }
    // Stepping after a free zoom starts from its level.
    TZoom zoom;
    zoom.SetPercent(150);
    zoom.In();
    EXPECT_EQ(zoom.Factor, 2.0f);
    zoom.SetPercent(150);
    zoom.Out();
    EXPECT_EQ(zoom.Factor, 0.75f);
}

TEST(Zoom, FixedLevelActionsAndZoomedSides) {
    const int expected[9] = {0, 1, 2, 3, 6, 7, 9, 12, 15};
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(FixedZoomLevel(n), expected[n - 1]);
    EXPECT_EQ(ZoomedSide(3, 0.5f), 2); // 1.5 ties to even
    EXPECT_EQ(ZoomedSide(5, 0.5f), 2); // 2.5 ties to even
    EXPECT_EQ(ZoomedSide(4096, 16.0f), 65536);
}

TEST(Zoom, FitOnlyShrinks) {
    // 4000 x 3000 in 1020 x 800 with toolbar 29 and status bar 19: pw 25, ph 24.4.
    auto percent = FitZoomPercent(1020, 800, 29, 19, 4000, 3000);
    ASSERT_TRUE(percent.has_value());
    EXPECT_NEAR(*percent, 24.4, 1e-4);
    TZoom zoom;
    zoom.SetPercent(*percent);
    EXPECT_EQ(zoom.Index, 1);
    // The width decides when it is the tighter side.
    percent = FitZoomPercent(1020, 800, 29, 19, 4000, 100);
    ASSERT_TRUE(percent.has_value());
    EXPECT_NEAR(*percent, 25.0, 1e-4);
    // Smaller than the window, or no image: stays at 100 %.
    EXPECT_FALSE(FitZoomPercent(1020, 800, 29, 19, 300, 200).has_value());
    EXPECT_FALSE(FitZoomPercent(1020, 800, 29, 19, 0, 200).has_value());
    // A window too small for anything still gives a usable zoom.
    percent = FitZoomPercent(10, 10, 29, 19, 300, 200);
    ASSERT_TRUE(percent.has_value());
    EXPECT_GT(*percent, 0);
}

TEST(Paint, RectsCoverTheVisiblePartWithAMarginInsideTheImage) {
    // 4096 wide at 16x: a 1600 x 1000 viewport scrolled to (32000, 16000).
    TPaintRects r = PaintRectsFor({32000, 16000, 33600, 17000}, 16.0f, 4096, 4096);
    EXPECT_EQ(r.Source.Left, 1999);
    EXPECT_EQ(r.Source.Top, 999);
    EXPECT_EQ(r.Source.Right, 2101);
    EXPECT_EQ(r.Source.Bottom, 1063); // 1062.5 ties to 1062, plus one
    EXPECT_EQ(r.Destination.Left, 1999 * 16);
    EXPECT_EQ(r.Destination.Right, 2101 * 16);
    // At the edges the margin stays inside the image.
    r = PaintRectsFor({0, 0, 256, 256}, 0.0625f, 4096, 4096);
    EXPECT_EQ(r.Source.Left, 0);
    EXPECT_EQ(r.Source.Right, 4096);
    EXPECT_EQ(r.Destination.Right, 256);
}

TEST(Paint, StretchRepeatsAndDropsPixelsWithoutBlending) {
    TDisplayBitmap bitmap;
    bitmap.SetSize(2, 2);
    const std::uint8_t bgr[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {10, 20, 30}};
    for (int i = 0; i < 4; ++i)
        std::copy(bgr[i], bgr[i] + 3, bitmap.Row(i / 2) + 3 * (i % 2));
    std::vector<std::uint32_t> out(4 * 4);
    StretchToRgb32(bitmap, {0, 0, 2, 2}, 4, 4, out.data(), 4);
    const std::uint32_t red = 0xffff0000, green = 0xff00ff00, blue = 0xff0000ff, other = 0xff1e140a;
    const std::uint32_t expected[16] = {red,  red,  green, green, red,  red,  green, green,
                                        blue, blue, other, other, blue, blue, other, other};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(out[i], expected[i]) << i;
    std::vector<std::uint32_t> one(1);
    StretchToRgb32(bitmap, {0, 0, 2, 2}, 1, 1, one.data(), 1);
    EXPECT_EQ(one[0], red);
}

TEST(Readout, TextsPerKind) {
    EXPECT_EQ(ImageSizeText(640, 480, 16), "640 x 480 x 16 BPP");
    EXPECT_EQ(ZoomText(1.0f), "100%");
    EXPECT_EQ(ZoomText(0.244f), "24.4%");
    EXPECT_EQ(ZoomText(0.0625f), "6.25%");
    EXPECT_EQ(ZoomText(0.005f), ".5%");
    EXPECT_EQ(ZoomText(16.0f), "1600%");
    EXPECT_EQ(PositionText(199, 7), "X: 199, Y: 7");

    auto grey16 = MakeGrey16(2, 1, [](int, int) { return std::uint16_t(40000); });
    EXPECT_EQ(PixelValueText(*grey16, 1, 0), "[40000]");
    auto grey = MakeGreyFloat(1, 1, [](int, int) { return 0.125f; });
    EXPECT_EQ(PixelValueText(*grey, 0, 0), "[0.125]");
    auto rgb = MakeRgb24(1, 1, [](int, int) { return std::array<std::uint8_t, 3>{1, 2, 3}; });
    EXPECT_EQ(PixelValueText(*rgb, 0, 0), " [R: 1, G: 2, B: 3]");
    auto rgb48 = MakeRgb48(1, 1, [](int, int) {
        return std::array<std::uint16_t, 3>{65535, 0, 300};
    });
    EXPECT_EQ(PixelValueText(*rgb48, 0, 0), " [R: 65535, G: 0, B: 300]");
    TFImage indexed;
    ASSERT_EQ(indexed.Allocate(true, 2, 1, 8), 0);
    indexed.Row(0)[1] = 5;
    indexed.RefreshDisplay();
    EXPECT_EQ(PixelValueText(indexed, 1, 0), " (5)  [R: 5, G: 5, B: 5]");
    // Outside the image there is nothing to read.
    EXPECT_EQ(PixelValueText(*rgb, 1, 0), "");
}

TEST(Readout, PointerPositionTruncatesByZoom) {
    auto image = MakeGrey16(1000, 10, [](int, int) { return std::uint16_t(0); });
    int x = -1, y = -1;
    ASSERT_TRUE(PixelUnderPointer(*image, 2.0f, 399, 3, x, y));
    EXPECT_EQ(x, 199);
    ASSERT_TRUE(PixelUnderPointer(*image, 0.5f, 399, 3, x, y));
    EXPECT_EQ(x, 798);
    EXPECT_EQ(y, 6);
    EXPECT_FALSE(PixelUnderPointer(*image, 1.0f, 1000, 0, x, y));
}

TEST(FolderList, SupportedImagesOnlyAndWrappingSteps) {
    TTempDir dir;
    for (const char* name : {"a.jpg", "b.JPG", "c.tif", "notes.txt", "d.XPM"})
        WriteBytes(dir.Path(name), "x");
    const auto list = BuildFolderList(dir.Path("b.JPG"));
    ASSERT_EQ(list.size(), 4u);
    for (const std::string& path : list)
        EXPECT_EQ(path.rfind(dir.Path(), 0), 0u) << path;
    const int index = FolderIndexOf(list, dir.Path("B.jpg"));
    ASSERT_GE(index, 0);
    EXPECT_EQ(list[index], dir.Path("b.JPG"));
    EXPECT_EQ(FolderIndexOf(list, dir.Path("notes.txt")), -1);

    EXPECT_EQ(NextFolderIndex(3, 4), 0);
    EXPECT_EQ(NextFolderIndex(-1, 4), 0);
    EXPECT_EQ(PreviousFolderIndex(0, 4), 3);
    EXPECT_EQ(PreviousFolderIndex(-1, 4), 3);
    EXPECT_EQ(NextFolderIndex(0, 0), -1);
}

} // namespace
