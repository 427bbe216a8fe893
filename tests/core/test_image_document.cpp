#include "core/DataContainerUndo.h"
#include "core/ExifData.h"
#include "core/FileTypes.h"
#include "core/SaveByExtension.h"
#include "core/fimage.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

std::uint8_t DisplayGrey(const TFImage& image, int x, int y) {
    return image.DisplayBitmap.Row(y)[3 * x];
}

struct TRangeCase {
    const char* Name;
    bool Float;
    std::vector<float> Samples;
    float Low, High;
    std::uint8_t FirstDisplay;
};

TEST(ImageDocument, DataRangeAndDisplayOfGreyImages) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const TRangeCase cases[] = {
        {"all zero 16-bit", false, {0, 0, 0, 0}, 0, 1, 0},
        {"constant 16-bit shows white", false, {500, 500, 500, 500}, 500, 500, 255},
        {"16-bit range", false, {10, 20, 30, 1000}, 10, 1000, 0},
        {"float negatives clip to 0", true, {-5, 2, 4, 8}, 0, 8, 0},
        {"float all negative", true, {-5, -2, -4, -8}, 0, 1, 0},
        {"float NaN ignored", true, {nan, 2, 4, 8}, 2, 8, 0},
        {"constant float shows white", true, {3, 3, 3, 3}, 3, 3, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto sample = [&](int x, int y) { return c.Samples[y * 2 + x]; };
        auto image = c.Float ? MakeGreyFloat(2, 2, sample) : MakeGrey16(2, 2, [&](int x, int y) {
            return static_cast<std::uint16_t>(sample(x, y));
        });
        EXPECT_EQ(image->DataMin, c.Low);
        EXPECT_EQ(image->DisplayLow, c.Low);
        EXPECT_EQ(image->DataMax, c.High);
        EXPECT_EQ(image->DisplayHigh, c.High);
        EXPECT_EQ(DisplayGrey(*image, 0, 0), c.FirstDisplay);
    }
}

TEST(ImageDocument, GreyStretchRoundsHalvesToEven) {
    // Low 0, high 510: every odd sample lies exactly halfway between two display levels.
    auto image = MakeGrey16(6, 1, [](int x, int) { return static_cast<std::uint16_t>(x); });
    image->DisplayLow = 0;
    image->DisplayHigh = 510;
    image->RefreshDisplay();
    const std::uint8_t expected[] = {0, 0, 1, 2, 2, 2}; // 0, 0.5, 1, 1.5, 2, 2.5
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(DisplayGrey(*image, x, 0), expected[x]) << "sample " << x;

    const float samples[] = {-3, 253, 255, 600};
    auto floats = MakeGreyFloat(4, 1, [&](int x, int) { return samples[x]; });
    floats->DisplayLow = 0;
    floats->DisplayHigh = 510;
    floats->RefreshDisplay();
    EXPECT_EQ(DisplayGrey(*floats, 0, 0), 0);   // below low
    EXPECT_EQ(DisplayGrey(*floats, 1, 0), 126); // 126.5 -> 126
    EXPECT_EQ(DisplayGrey(*floats, 2, 0), 128); // 127.5 -> 128
    EXPECT_EQ(DisplayGrey(*floats, 3, 0), 255); // above high
}

TEST(ImageDocument, RowsAreAddressedTopDownAndColoursInStorageOrder) {
    auto image = MakeRgb24(2, 2, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x == 0 && y == 0 ? 255 : 0),
                                           10, 20};
    });
    std::uint8_t stored[3];
    image->Rgb24At(0, 0, stored);
    EXPECT_EQ(stored[0], 20); // blue first
    EXPECT_EQ(stored[2], 255);
    EXPECT_EQ(image->Row(0), image->ScanLine(1)); // image row 0 is the last storage row
    std::uint16_t rgb[3] = {7, 7, 7};
    image->RgbAt(0, 0, rgb);
    EXPECT_EQ(rgb[0], 255);
    EXPECT_EQ(rgb[1], 10);
    EXPECT_EQ(rgb[2], 20);
    const std::uint8_t* shown = image->DisplayBitmap.Row(0);
    EXPECT_EQ(shown[2], 255); // display bytes blue, green, red, top row first
    EXPECT_EQ(shown[0], 20);

    auto grey = MakeGrey16(1, 1, [](int, int) { return std::uint16_t{9}; });
    std::uint16_t untouched[3] = {1, 2, 3};
    grey->RgbAt(0, 0, untouched);
    EXPECT_EQ(untouched[0], 1);
    EXPECT_EQ(untouched[2], 3);
    EXPECT_EQ(grey->GreyValue(0, 0), 9.0f);
    EXPECT_EQ(image->GreyValue(0, 0), 0.0f);
}

struct TRoundTrip {
    const char* File;
    std::function<std::unique_ptr<TFImage>()> Make;
};

TEST(ImageDocument, SavedFilesReadBackIdentically) {
    TTempDir dir;
    auto colour = [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x * 40),
                                           static_cast<std::uint8_t>(y * 70), 200};
    };
    auto deep = [](int x, int y) {
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(x * 9000),
                                            static_cast<std::uint16_t>(y * 20000), 65535};
    };
    auto ramp16 = [](int x, int y) { return static_cast<std::uint16_t>(x * 1000 + y * 17); };
    auto rampF = [](int x, int y) { return x * 0.25f - y * 3.5f; };
    const TRoundTrip cases[] = {
        {"rgb.png", [&] { return MakeRgb24(5, 3, colour); }},
        {"rgb.bmp", [&] { return MakeRgb24(5, 3, colour); }},
        {"rgb.tif", [&] { return MakeRgb24(5, 3, colour); }},
        {"rgb.ppm", [&] { return MakeRgb24(5, 3, colour); }},
        {"rgb48.tif", [&] { return MakeRgb48(5, 3, deep); }},
        {"grey16.tif", [&] { return MakeGrey16(5, 3, ramp16); }},
        {"grey16.fits", [&] { return MakeGrey16(5, 3, ramp16); }},
        {"float.tiff", [&] { return MakeGreyFloat(5, 3, rampF); }},
        {"float.fit", [&] { return MakeGreyFloat(5, 3, rampF); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        TMessageRecorder messages;
        auto original = c.Make();
        const std::string path = dir.Path(c.File);
        ASSERT_EQ(SaveImageByExtension(*original, path), 0);
        EXPECT_EQ(original->FileName, path);
        TFImage loaded;
        ASSERT_GE(loaded.LoadFromFile(path), 0);
        EXPECT_TRUE(SamePixels(*original, loaded));
        EXPECT_EQ(loaded.FileName, path);
        EXPECT_EQ(messages.Count(), 0u);
    }
}

TEST(ImageDocument, LoadFailuresGiveTheirMessages) {
    TTempDir dir;
    WriteBytes(dir.Path("notes.xyz"), "plain text, not an image");
    WriteBytes(dir.Path("odd.tga"), "plain text, not an image");
    WriteBytes(dir.Path("fake.fits"), "plain text, not an image");
    {
        TMessageRecorder messages;
        TFImage image;
        EXPECT_LT(image.LoadFromFile(dir.Path("notes.xyz")), 0);
        ASSERT_EQ(messages.Count(), 1u);
        EXPECT_EQ(messages.Last().Kind, TMessageKind::Warning);
        EXPECT_EQ(messages.Last().Text, dir.Path("notes.xyz") +
                                            " cannot be opened because it is in an unrecognized "
                                            "file format.");
        EXPECT_TRUE(image.Empty());
    }
    {
        TMessageRecorder messages;
        TFImage image;
        EXPECT_LT(image.LoadFromFile(dir.Path("odd.tga")), 0);
        EXPECT_EQ(messages.Count(), 0u); // unidentified Targa content fails silently
    }
    {
        TMessageRecorder messages;
        TFImage image;
        EXPECT_LT(image.LoadFromFile(dir.Path("fake.fits")), 0); // goes to the FITS reader
        EXPECT_GE(messages.Count(), 1u);
        EXPECT_TRUE(image.Empty());
    }
    {
        // A PNG signature with nothing behind it: recognised, but FreeImage gives no bitmap.
        WriteBytes(dir.Path("broken.png"), std::string("\x89PNG\r\n\x1a\n", 8) + "junk");
        TMessageRecorder messages;
        TFImage image;
        EXPECT_LT(image.LoadFromFile(dir.Path("broken.png")), 0);
        ASSERT_EQ(messages.Count(), 1u);
        EXPECT_EQ(messages.Last().Text,
                  dir.Path("broken.png") +
                      " cannot be opened because it contains an unrecognized data format.");
    }
}

TEST(ImageDocument, FailedSaveKeepsThePreviousFile) {
    TTempDir dir;
    auto floats = MakeGreyFloat(4, 4, [](int x, int) { return x * 1.5f; });
    const std::string png = dir.Path("keep.png");
    WriteBytes(png, "previous contents");
    {
        TMessageRecorder messages;
        EXPECT_EQ(floats->SaveToFile(png), -1);                  // PNG cannot hold float samples
        EXPECT_EQ(floats->SaveToFile(dir.Path("keep.bmp")), -1); // nor can BMP
        EXPECT_EQ(messages.Last().Text, "An error occurred saving this file.");
    }
    EXPECT_EQ(FileBytes(png), "previous contents");
    {
        TMessageRecorder messages;
        EXPECT_EQ(floats->SaveToFile(dir.Path("x.pgm")), -1); // no save format for .PGM
        EXPECT_EQ(messages.Last().Text, "An error occurred saving this file.");
        EXPECT_FALSE(std::filesystem::exists(dir.Path("x.pgm")));
    }
    {
        TMessageRecorder messages;
        auto colour = MakeRgb24(2, 2, [](int, int) {
            return std::array<std::uint8_t, 3>{1, 2, 3};
        });
        EXPECT_EQ(colour->SaveAsFits(dir.Path("c.fits")), -1);
        EXPECT_EQ(messages.Last().Kind, TMessageKind::Error);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("c.fits")));
        EXPECT_TRUE(colour->FileName.empty());
    }
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(ImageDocument, TiffCompressionFlags) {
    const std::pair<int, int> table[] = {{0, 0x0800}, {1, 0x0200}, {2, 0x0400}, {3, 0x0100},
                                         {4, 0x1000}, {5, 0x2000}, {6, 0x0200}, {-1, 0x0200}};
    for (auto [index, flag] : table)
        EXPECT_EQ(TiffSaveFlag(index), flag) << index;
}

TEST(ImageDocument, JpegExifIsReadByExtensionAndCarriedIntoSavedFiles) {
    TTempDir dir;
    auto photo = MakeRgb24(16, 8, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x * 15),
                                           static_cast<std::uint8_t>(y * 30), 90};
    });
    const std::string jpg = dir.Path("photo.jpg");
    ASSERT_EQ(photo->SaveAsJpeg(jpg, 90), 0);
    {
        TExifData exif;
        exif.SetPixelSize(16, 8);
        ASSERT_TRUE(exif.WriteToFile(jpg));
    }
    std::filesystem::copy_file(jpg, dir.Path("photo.jpe"));

    TFImage withExif;
    ASSERT_GE(withExif.LoadFromFile(jpg), 0);
    EXPECT_EQ(withExif.ExifData->PixelWidth(), 16);
    TFImage jpe;
    ASSERT_GE(jpe.LoadFromFile(dir.Path("photo.jpe")), 0);
    EXPECT_TRUE(jpe.ExifData->Empty());

    // The document changes size (as a resize does): the saved block records the new size.
    withExif.ReleasePixels();
    ASSERT_EQ(withExif.CreateColour(4, 2, 24, 0, 0), 0);
    const std::string saved = dir.Path("small.jpeg");
    ASSERT_EQ(withExif.SaveAsJpeg(saved, 75), 0);
    TExifData reread;
    ASSERT_TRUE(reread.ReadFromFile(saved));
    EXPECT_EQ(reread.PixelWidth(), 4);
    EXPECT_EQ(reread.PixelHeight(), 2);
}

TEST(ImageDocument, PackedDibRoundTripAndHostileInput) {
    auto colour = MakeRgb24(3, 2, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x * 80),
                                           static_cast<std::uint8_t>(y * 100), 7};
    });
    const auto packed = colour->SaveToPackedDib();
    ASSERT_FALSE(packed.empty());
    TFImage pasted;
    ASSERT_EQ(pasted.LoadFromPackedDib(packed.data(), packed.size()), 0);
    EXPECT_TRUE(SamePixels(*colour, pasted));

    // 8 bits with biClrUsed 0: a 256-entry palette precedes the rows.
    TFImage indexed;
    ASSERT_EQ(indexed.Allocate(true, 2, 1, 8), 0);
    indexed.Row(0)[1] = 200;
    auto indexedPacked = indexed.SaveToPackedDib();
    std::memset(indexedPacked.data() + 32, 0, 4);
    TFImage indexedPasted;
    ASSERT_EQ(indexedPasted.LoadFromPackedDib(indexedPacked.data(), indexedPacked.size()), 0);
    EXPECT_EQ(indexedPasted.Index8At(1, 0), 200);
    EXPECT_EQ(indexedPasted.PaletteSize(), 256u);

    std::vector<std::uint8_t> truncated(packed.begin(), packed.end() - 4);
    TFImage refused;
    EXPECT_EQ(refused.LoadFromPackedDib(truncated.data(), truncated.size()), -1);
    EXPECT_EQ(refused.LoadFromPackedDib(packed.data(), 20), -1);
    std::vector<std::uint8_t> huge = packed;
    const std::int32_t width = 1 << 30;
    std::memcpy(huge.data() + 4, &width, 4);
    EXPECT_EQ(refused.LoadFromPackedDib(huge.data(), huge.size()), -1);
    EXPECT_TRUE(refused.Empty());
}

TEST(ImageDocument, OneAxisFitsImageGrownByAToolKeepsEveryRow) {
    TTempDir dir;
    auto image = MakeGreyFloat(4, 3, [](int x, int y) { return x + 10.0f * y; });
    image->FitsHeader = NewFitsHeader(-32, 4, 1, "", 0, 1);
    image->FitsHeader.erase(image->FitsHeader.begin() + 4); // the NAXIS2 card
    UpdateIntegerKeyword(image->FitsHeader, "NAXIS", 1);
    const std::string path = dir.Path("grown.fits");
    ASSERT_EQ(image->SaveAsFits(path), 0);
    TFImage loaded;
    ASSERT_GE(loaded.LoadFromFile(path), 0);
    EXPECT_EQ(loaded.Height, 3);
    EXPECT_TRUE(SamePixels(*image, loaded));
}

} // namespace
