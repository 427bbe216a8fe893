// Broken and hostile FITS files: each is refused with a message, and nothing is read or
// allocated beyond what the file holds.

#include "core/FITS.h"
#include "core/fimage.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include "FitsBytes.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fitsbytes;

namespace {

const std::string Dimensions = "Only FITS files with 1 or 2 dimensions are supported.";
const std::string DataType =
    "This FITS file contains a data type which is not currently supported.";
const std::string Size = "This FITS file has an image size which is not supported";
const std::string Truncated = "This FITS file is truncated";
const std::string Parsing = "An error occurred parsing the FITS header.";

std::string Image(int bitpix, int naxis1, int naxis2, const std::string& data) {
    auto cards = ImageCards(bitpix, naxis1, naxis2);
    cards.push_back(End());
    return Header(cards) + data;
}

std::string WithCards(std::vector<std::string> cards, const std::string& data = "") {
    cards.push_back(End());
    return Header(cards) + data;
}

// One byte changed, as a damaged file would have it.
std::string Patched(std::string bytes, std::size_t at, char c) {
    bytes.at(at) = c;
    return bytes;
}

} // namespace

TEST(FitsHostile, RefusedWithAMessage) {
    struct Row {
        const char* name;
        std::string bytes;
        std::string message; // the last message starts with this
    };
    const std::string someData(2880, '\0');
    const Row rows[] = {
        {"empty file", "", Dimensions},
        {"text file", "plain text, not an image", Dimensions},
        {"no END, no data",
         Card("SIMPLE", "T") + Card("BITPIX", 16) + Card("NAXIS", 2) + Card("NAXIS1", 2) +
             Card("NAXIS2", 2),
         Truncated},
        {"NAXIS 3",
         WithCards({Card("BITPIX", 16), Card("NAXIS", 3), Card("NAXIS1", 2), Card("NAXIS2", 2),
                    Card("NAXIS3", 2)},
                   someData),
         Dimensions},
        {"NAXIS 0", WithCards({Card("BITPIX", 16), Card("NAXIS", 0)}, someData), Dimensions},
        {"NAXIS missing", WithCards({Card("BITPIX", 16), Card("NAXIS1", 2)}, someData), Dimensions},
        {"BITPIX 8", Image(8, 2, 2, someData), DataType},
        {"BITPIX 32", Image(32, 2, 2, someData), DataType},
        {"BITPIX not a number", Patched(Image(16, 2, 2, someData), 80 + 29, 'x'), DataType},
        {"negative width", Image(16, -2, 2, someData), Size},
        {"negative height", Image(16, 2, -2, someData), Size},
        {"zero height", Image(16, 2, 0, someData), Size},
        {"width not a number", Patched(Image(16, 2, 2, someData), 3 * 80 + 29, '?'), Size},
        {"one axis of zero",
         WithCards({Card("BITPIX", 16), Card("NAXIS", 1), Card("NAXIS1", 0)}, someData), Size},
        {"product overflows 32 bits", Image(16, 65536, 65536, someData), Size},
        {"product beyond an image", Image(-32, 46341, 46341, someData), Size},
        {"huge promise, tiny file", Image(-64, 40000, 40000, someData), Truncated},
        {"truncated data unit", Image(16, 10, 10, std::string(99 * 2 + 1, '\1')), Truncated},
        {"header only", Image(-32, 4, 4, ""), Truncated},
        {"one value short", Image(-32, 3, 2, Data<float>({1, 2, 3, 4, 5}, false)), Truncated},
    };
    TTempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.Path("hostile.fits");
        WriteBytes(path, row.bytes);
        {
            TMessageRecorder messages;
            int cards = -1;
            TFitsHeader header = {"stale"};
            TFitsSamples samples;
            EXPECT_EQ(ReadFitsData(path, cards, header, samples), -1);
            ASSERT_GE(messages.Count(), 1u);
            EXPECT_EQ(messages.Last().Kind, TMessageKind::Error);
            EXPECT_EQ(messages.Last().Text.rfind(row.message, 0), 0u) << messages.Last().Text;
            EXPECT_TRUE(samples.Buffer.Empty());
            EXPECT_EQ(samples.Count, 0);
            EXPECT_EQ(cards, int(header.size())); // the header read replaces the caller's
        }
        {
            // The document stays empty, whichever way it gets there.
            TMessageRecorder messages;
            TFImage image;
            EXPECT_LT(image.LoadFromFile(path), 0);
            EXPECT_TRUE(image.Empty());
            EXPECT_GE(messages.Count(), 1u);
        }
    }
}

TEST(FitsHostile, TruncationMessageSaysWhatIsMissing) {
    TTempDir dir;
    const std::string path = dir.Path("short.fits");
    WriteBytes(path, Image(16, 10, 10, std::string(99 * 2 + 1, '\1')));
    TMessageRecorder messages;
    int cards = 0;
    TFitsHeader header;
    TFitsSamples samples;
    EXPECT_EQ(ReadFitsData(path, cards, header, samples), -1);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"This FITS file is truncated: its header describes 100 "
                                       "values but the data unit holds only 99."});
}

TEST(FitsHostile, FilesThatAreNoHeaderAtAll) {
    TTempDir dir;
    TMessageRecorder messages;
    int cards = 0;
    TFitsHeader header;
    TFitsSamples samples;

    EXPECT_EQ(ReadFitsData(dir.Path("missing.fits"), cards, header, samples), -1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"An error occurred opening FITS file: " +
                                                         dir.Path("missing.fits")});

    // A folder opens but cannot be read.
    messages.Clear();
    std::filesystem::create_directory(dir.Path("folder.fits"));
    EXPECT_EQ(ReadFitsData(dir.Path("folder.fits"), cards, header, samples), -1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Parsing});

    // A large file without END is not scanned card by card to its end.
    messages.Clear();
    const std::string big = dir.Path("big.fits");
    WriteBytes(big, "");
    std::filesystem::resize_file(big, std::uintmax_t(64) << 20);
    EXPECT_EQ(ReadFitsData(big, cards, header, samples), -1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Parsing});
    EXPECT_LT(header.size(), 200000u);
}
