#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

namespace {

// Overwrites every sample's bytes so a restore has something to undo.
void Scribble(TFImage& image) {
    const std::size_t rowBytes =
        (static_cast<std::size_t>(image.Width) * image.BitsPerPixel + 7) / 8;
    for (int y = 0; y < image.Height; ++y)
        for (std::size_t i = 0; i < rowBytes; ++i)
            image.Row(y)[i] ^= 0x5A;
}

TEST(Undo, RestoresEveryKindAndIsUsedOnce) {
    std::vector<std::unique_ptr<TFImage>> images;
    images.push_back(MakeRgb24(3, 2, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x),
                                           static_cast<std::uint8_t>(y), 9};
    }));
    images.push_back(MakeRgb48(3, 2, [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(x * 999), 1,
                                            static_cast<std::uint16_t>(y)};
    }));
    images.push_back(
        MakeGrey16(3, 2, [](int x, int y) { return static_cast<std::uint16_t>(x + 7 * y); }));
    images.push_back(MakeGreyFloat(3, 2, [](int x, int y) { return x - 0.5f * y; }));
    auto indexed = std::make_unique<TFImage>();
    indexed->Allocate(true, 3, 2, 8);
    indexed->Row(1)[2] = 77;
    indexed->RefreshDisplay();
    images.push_back(std::move(indexed));

    for (auto& image : images) {
        SCOPED_TRACE(KindName(image->Kind()));
        const auto reference = CopyOf(*image);
        TDataContainerUndo undo;
        ASSERT_TRUE(undo.UndoSave(*image));
        EXPECT_TRUE(undo.Available());
        Scribble(*image);
        EXPECT_FALSE(SamePixels(*image, *reference));
        ASSERT_TRUE(undo.UndoRestore(*image));
        EXPECT_TRUE(SamePixels(*image, *reference));
        EXPECT_FALSE(undo.Available());
        EXPECT_FALSE(undo.UndoRestore(*image)); // one level only
    }
}

TEST(Undo, SecondSnapshotReplacesTheFirst) {
    auto image = MakeGrey16(2, 1, [](int, int) { return std::uint16_t{100}; });
    TDataContainerUndo undo;
    undo.UndoSave(*image);
    image->SetGrey16(0, 0, 200);
    undo.UndoSave(*image);
    image->SetGrey16(0, 0, 300);
    ASSERT_TRUE(undo.UndoRestore(*image));
    EXPECT_EQ(image->Grey16At(0, 0), 200);
}

TEST(Undo, RestoresSizeHeaderAndFullDisplayRange) {
    auto image =
        MakeGrey16(10, 8, [](int x, int y) { return static_cast<std::uint16_t>(100 + x * y); });
    image->FitsHeader = NewFitsHeader(16, 10, 8, "", 32768, 1);
    image->DisplayLow = 120;
    image->DisplayHigh = 130; // narrowed in the display-mode window
    TDataContainerUndo undo;
    ASSERT_TRUE(undo.UndoSave(*image));
    // A tool shrinks the image.
    image->ReleasePixels();
    ASSERT_EQ(image->CreateGrey(5, 4, 16, 0, 0), 0);
    UpdateIntegerKeyword(image->FitsHeader, "NAXIS1", 5);
    UpdateIntegerKeyword(image->FitsHeader, "NAXIS2", 4);
    ASSERT_TRUE(undo.UndoRestore(*image));
    EXPECT_EQ(image->Width, 10);
    EXPECT_EQ(image->Height, 8);
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS1"), 10);
    EXPECT_EQ(IntegerKeyword(image->FitsHeader, "NAXIS2"), 8);
    EXPECT_EQ(image->Grey16At(9, 7), 100 + 63);
    EXPECT_EQ(image->DisplayLow, 100);
    EXPECT_EQ(image->DisplayHigh, 163);
    EXPECT_EQ(image->DisplayBitmap.Width(), 10);
}

TEST(Undo, KindChangedByAToolComesBack) {
    TFImage image;
    image.Allocate(true, 4, 4, 8);
    image.Row(0)[0] = 5;
    TDataContainerUndo undo;
    ASSERT_TRUE(undo.UndoSave(image));
    image.AdoptBitmap(FreeImage_ConvertTo24Bits(image.PixelBitmap), false);
    ASSERT_EQ(image.Kind(), TImageKind::RGB24);
    ASSERT_TRUE(undo.UndoRestore(image));
    EXPECT_EQ(image.Kind(), TImageKind::Indexed8);
    EXPECT_EQ(image.Index8At(0, 0), 5);
}

} // namespace
