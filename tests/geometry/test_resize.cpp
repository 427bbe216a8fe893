#include "core/DataContainerUndo.h"
#include "core/Messages.h"
#include "core/fimage.h"
#include "geometry/Flip.h"
#include "geometry/Resize.h"
#include "geometry/ResizeSize.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <vector>

namespace {

std::vector<std::unique_ptr<TFImage>> EveryKind(int w, int h) {
    std::vector<std::unique_ptr<TFImage>> images;
    images.push_back(MakeGrey16(w, h, [](int x, int y) { return x * 1000 + y; }));
    images.push_back(MakeGreyFloat(w, h, [](int x, int y) { return x - 2.5f * y; }));
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

struct TMessageLog {
    std::vector<TMessage> Messages;
    TMessageSink Previous;
    TMessageLog() {
        Previous = SetMessageSink([this](const TMessage& m) {
            Messages.push_back(m);
            return TMessageResult::Ok;
        });
    }
    ~TMessageLog() { SetMessageSink(Previous); }
};

TEST(Resize, NearestAtFullSizeReproducesEveryKind) {
    for (auto& image : EveryKind(7, 5)) {
        SCOPED_TRACE(KindName(image->Kind()));
        const auto before = CopyOf(*image);
        ASSERT_EQ(ResizeImage(*image, ResampleMethod::NearestNeighbor, 7, 5, nullptr), 0);
        EXPECT_TRUE(SamePixels(*image, *before));
    }
}

TEST(Resize, KindResolutionAndSizeAreKept) {
    for (auto& image : EveryKind(6, 4)) {
        SCOPED_TRACE(KindName(image->Kind()));
        const TImageKind kind = image->Kind();
        FreeImage_SetDotsPerMeterX(image->PixelBitmap, 2835);
        FreeImage_SetDotsPerMeterY(image->PixelBitmap, 1417);
        image->ReadProperties();
        ASSERT_EQ(ResizeImage(*image, ResampleMethod::Mitchell, 13, 3, nullptr), 0);
        EXPECT_EQ(image->Kind(), kind);
        EXPECT_EQ(image->Width, 13);
        EXPECT_EQ(image->Height, 3);
        EXPECT_EQ(image->DotsPerMetreX, 2835u);
        EXPECT_EQ(image->DotsPerMetreY, 1417u);
        EXPECT_EQ(image->DisplayBitmap.Width(), 13);
    }
}

// A hard step overshoots with the cubic kernels: Grey16 and colour results are clamped to their
// range on the way back, GreyFloat keeps the overshoot.
TEST(Resize, WriteBackClampsIntegerKindsAndKeepsFloatOvershoot) {
    auto step = [](int x) { return x < 4 ? 0 : 65535; };
    auto grey16 = MakeGrey16(8, 1, [&](int x, int) { return step(x); });
    auto greyFloat = MakeGreyFloat(8, 1, [&](int x, int) { return static_cast<float>(step(x)); });
    auto rgb24 = MakeRgb24(8, 1, [](int x, int) {
        const std::uint8_t v = x < 4 ? 0 : 255;
        return std::array<std::uint8_t, 3>{v, v, v};
    });
    for (TFImage* image : {grey16.get(), greyFloat.get(), rgb24.get()})
        ASSERT_EQ(ResizeImage(*image, ResampleMethod::Lagrange, 29, 1, nullptr), 0);
    float low = 0, high = 0;
    std::uint16_t low16 = 65535, high16 = 0;
    std::uint8_t low8 = 255, high8 = 0;
    for (int x = 0; x < 29; ++x) {
        low = std::min(low, greyFloat->GreyFloatAt(x, 0));
        high = std::max(high, greyFloat->GreyFloatAt(x, 0));
        low16 = std::min(low16, grey16->Grey16At(x, 0));
        high16 = std::max(high16, grey16->Grey16At(x, 0));
        std::uint8_t bgr[3] = {};
        rgb24->Rgb24At(x, 0, bgr);
        low8 = std::min(low8, bgr[1]);
        high8 = std::max(high8, bgr[1]);
    }
    EXPECT_LT(low, 0);
    EXPECT_GT(high, 65535);
    EXPECT_EQ(low16, 0);
    EXPECT_EQ(high16, 65535);
    EXPECT_EQ(low8, 0);
    EXPECT_EQ(high8, 255);
    EXPECT_LT(greyFloat->DataMin, greyFloat->DataMax);
}

TEST(Resize, FitsHeaderFollowsAndUndoBringsTheSizeBack) {
    auto image = MakeGrey16(10, 8, [](int x, int y) { return x * 100 + y; });
    image->FitsHeader = NewFitsHeader(16, 10, 8, "test", 32768, 1);
    const auto before = CopyOf(*image);
    TDataContainerUndo undo;
    ASSERT_EQ(ResizeImage(*image, ResampleMethod::Bilinear, 5, 4, &undo), 0);
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS1"), 5);
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS2"), 4);
    EXPECT_EQ(image->DataMax, 806); // sample (8, 6) lands on output (4, 3)
    ASSERT_TRUE(undo.Available());
    ASSERT_TRUE(undo.UndoRestore(*image));
    EXPECT_TRUE(SamePixels(*image, *before));
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS1"), 10);
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS2"), 8);
}

TEST(Resize, IndexedImageBecomesRgb24AndUndoGivesItBack) {
    TFImage image;
    ASSERT_EQ(image.Allocate(true, 3, 2, 8), 0);
    image.Row(0)[0] = 40;
    image.Row(1)[2] = 200;
    image.RefreshDisplay();
    const auto before = CopyOf(image);
    ASSERT_TRUE(ResizeConvertsToRgb24(image));
    TDataContainerUndo undo;
    ASSERT_EQ(ResizeImage(image, ResampleMethod::NearestNeighbor, 6, 4, &undo), 0);
    EXPECT_EQ(image.Kind(), TImageKind::RGB24);
    std::uint8_t bgr[3] = {};
    image.Rgb24At(1, 1, bgr);
    EXPECT_EQ(bgr[0], 40);
    EXPECT_EQ(bgr[2], 40);
    image.Rgb24At(5, 3, bgr);
    EXPECT_EQ(bgr[1], 200);
    ASSERT_TRUE(undo.UndoRestore(image));
    EXPECT_EQ(image.Kind(), TImageKind::Indexed8);
    EXPECT_TRUE(SamePixels(image, *before));
}

TEST(Resize, SidesRoundingToZeroBecomeOne) {
    EXPECT_EQ(PercentTargetSize(1, 30, 120), (TResizeSize{1, 1}));
    EXPECT_EQ(PercentTargetSize(2.5, 30, 100), (TResizeSize{1, 2})); // 0.75 -> 1, 2.5 -> 2
    EXPECT_EQ(PercentTargetSize(3200, 4000, 10), (TResizeSize{65535, 320}));
    EXPECT_EQ(AbsoluteTargetSize(0.4, 12.5), (TResizeSize{1, 12}));
    auto image = MakeGrey16(3, 3, [](int, int) { return 5; });
    ASSERT_EQ(ResizeImage(*image, ResampleMethod::Bicubic, 0, 0, nullptr), 0);
    EXPECT_EQ(image->Width, 1);
    EXPECT_EQ(image->Height, 1);
    EXPECT_EQ(image->Grey16At(0, 0), 5);
}

TEST(Resize, CommonDimensionsIgnoreTheAspect) {
    EXPECT_STREQ(CommonDimensionText(5), "1600 x 1200");
    const TResizeSize size = CommonDimension(5);
    auto image = MakeRgb24(16, 16, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x),
                                           static_cast<std::uint8_t>(y), 0};
    });
    ASSERT_EQ(ResizeImage(*image, ResampleMethod::Bilinear, size.Width, size.Height, nullptr), 0);
    EXPECT_EQ(image->Width, 1600);
    EXPECT_EQ(image->Height, 1200);
}

TEST(Resize, AspectArithmeticOfTheFields) {
    EXPECT_EQ(AspectHeightForWidth(100, 400, 300), 75);
    EXPECT_EQ(AspectWidthForHeight(75, 400, 300), 100);
    EXPECT_EQ(AspectHeightForWidth(5, 4, 2), 2); // 2.5 rounds to even
    EXPECT_EQ(AspectHeightForWidth(7, 4, 2), 4); // 3.5 rounds to even
}

// Caps the address space at what the process uses now plus some room, so that a big allocation
// fails on any machine, whatever its memory.
struct TAddressSpaceCap {
    rlimit Previous{};
    explicit TAddressSpaceCap(std::size_t room) {
        getrlimit(RLIMIT_AS, &Previous);
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit cap = Previous;
        cap.rlim_cur = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + room;
        setrlimit(RLIMIT_AS, &cap);
    }
    ~TAddressSpaceCap() { setrlimit(RLIMIT_AS, &Previous); }
};

// A target that cannot fit into memory: a message, and image and undo snapshot untouched.
TEST(Resize, TooLargeTargetLeavesImageAndUndoAlone) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator aborts instead of failing";
#endif
    auto image = MakeRgb48(4, 3, [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(x),
                                            static_cast<std::uint16_t>(y), 3};
    });
    TDataContainerUndo undo;
    const auto original = CopyOf(*image);
    ASSERT_EQ(FlipHorizontal(*image, &undo), 0); // the snapshot now holds the original
    const auto flipped = CopyOf(*image);
    TMessageLog log;
    std::vector<int> progress;
    {
        const TAddressSpaceCap cap(std::size_t{1} << 30);
        EXPECT_EQ(ResizeImage(*image, ResampleMethod::Bicubic, 65535, 65535, &undo,
                              [&](int p) { progress.push_back(p); }),
                  -1);
    }
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(log.Messages[0].Text, ResizeMemoryMessage(65535, 65535));
    EXPECT_EQ(progress, std::vector<int>{ResampleProgressDone}); // the panel is not left stale
    EXPECT_TRUE(SamePixels(*image, *flipped));
    ASSERT_TRUE(undo.UndoRestore(*image));
    EXPECT_TRUE(SamePixels(*image, *original));
}

} // namespace
