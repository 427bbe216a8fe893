// Reading and writing FITS files: layout, scaling, sample kinds, and saving safely.

#include "core/FITS.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include "FitsBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

using namespace fitsbytes;

namespace {

std::vector<std::uint16_t> Words(const TFitsSamples& samples) {
    return {samples.Words(), samples.Words() + samples.Count};
}

std::vector<float> Floats(const TFitsSamples& samples) {
    return {samples.Floats(), samples.Floats() + samples.Count};
}

struct TRead {
    int Result = 0;
    int CardCount = 0;
    TFitsHeader Header;
    TFitsSamples Samples;
};

TRead Read(const std::string& path) {
    TRead read;
    read.Result = ReadFitsData(path, read.CardCount, read.Header, read.Samples);
    return read;
}

// Header cards from 5 image cards plus comments, END being card number total.
std::vector<std::string> CardsWithEnd(int bitpix, int naxis1, int naxis2, int total) {
    auto cards = ImageCards(bitpix, naxis1, naxis2);
    while (int(cards.size()) < total - 1)
        cards.push_back(CommentCard("padding"));
    cards.push_back(End());
    return cards;
}

} // namespace

TEST(FitsRead, DataStartsAtTheBlockAfterTheHeader) {
    TTempDir dir;
    for (int total : {36, 37}) {
        SCOPED_TRACE(total);
        const std::string path = dir.Path("start.fits");
        WriteBytes(path, Header(CardsWithEnd(16, 2, 1, total)) + Data<std::int16_t>({7, -8}));
        ASSERT_EQ(FileBytes(path).size(), total == 36 ? 5760u : 8640u);
        TMessageRecorder messages;
        const TRead read = Read(path);
        ASSERT_EQ(read.Result, 0);
        EXPECT_EQ(read.CardCount, total);
        EXPECT_EQ(read.Header.size(), std::size_t(total));
        EXPECT_EQ(read.Header.back(), End());
        EXPECT_EQ(Words(read.Samples), (std::vector<std::uint16_t>{7, 65528}));
        EXPECT_EQ(messages.Count(), 0u);
    }
}

TEST(FitsRead, HeaderCardsAreRecordsOf80) {
    TTempDir dir;
    // No END: every record is a card, a short last one padded with spaces.
    const std::string path = dir.Path("noend.fits");
    WriteBytes(path, Card("SIMPLE", "T") + Card("BITPIX", 16) + "NAXIS   = ");
    TMessageRecorder messages;
    int count = 0;
    const TFitsHeader header = ReadFitsHeader(path, count);
    ASSERT_EQ(count, 3);
    ASSERT_EQ(header.size(), 3u);
    EXPECT_EQ(header[2], std::string("NAXIS   = ").append(70, ' '));
    EXPECT_EQ(messages.Count(), 0u);

    ReadFitsHeader(dir.Path("missing.fits"), count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(messages.Last().Text,
              "An error occurred opening FITS file: " + dir.Path("missing.fits"));
}

TEST(FitsRead, SixteenBitScaling) {
    struct Row {
        const char* name;
        std::vector<std::string> scaling; // extra cards
        std::int16_t stored;
        std::uint16_t sample;
        bool writesBack; // writing the sample with the same header gives the stored value
    };
    const Row rows[] = {
        {"unsigned lowest", {Card("BZERO", "32768")}, -32768, 0, true},
        {"unsigned highest", {Card("BZERO", "3.276800E+0004")}, 32767, 65535, true},
        {"no BZERO, negative", {}, -5, 65531, true},
        {"BZERO beyond 16 bits", {Card("BZERO", "1000000")}, 0, 16960, true},
        {"scaled", {Card("BSCALE", "2"), Card("BZERO", "10")}, 3, 16, true},
        {"scaled negative", {Card("BSCALE", "2.0")}, -3, 65530, true},
        {"half rounds to even down", {Card("BSCALE", "0.5")}, 5, 2, false},
        {"half rounds to even up", {Card("BSCALE", "0.5")}, 7, 4, false},
        {"fractional BZERO", {Card("BZERO", "-1.5")}, 0, 65534, false},
        {"huge BZERO", {Card("BZERO", "1E30")}, 0, 0, false},
    };
    TTempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto cards = ImageCards(16, 1, 1);
        cards.insert(cards.end(), row.scaling.begin(), row.scaling.end());
        cards.push_back(End());
        const std::string path = dir.Path("scaled.fits");
        WriteBytes(path, Header(cards) + Data<std::int16_t>({row.stored}));
        TMessageRecorder messages;
        TRead read = Read(path);
        ASSERT_EQ(read.Result, 0);
        ASSERT_EQ(read.Samples.Count, 1);
        EXPECT_EQ(read.Samples.Words()[0], row.sample);
        if (row.writesBack) {
            const std::string again = dir.Path("again.fits");
            ASSERT_EQ(WriteFits(again, read.Header, read.Samples.Buffer.Data()), 0);
            EXPECT_EQ(FileBytes(again).substr(2880, 2), BigEndian(row.stored));
        }
        EXPECT_EQ(messages.Count(), 0u);
    }
}

TEST(FitsRead, FloatSamples) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    TTempDir dir;
    TMessageRecorder messages;
    {
        const std::string path = dir.Path("f32.fits");
        WriteBytes(path, Header(CardsWithEnd(-32, 5, 1, 6)) +
                             Data<float>({0.5f, -1.0f, nan, inf, 1e-40f}));
        const TRead read = Read(path);
        ASSERT_EQ(read.Result, 0);
        const auto v = Floats(read.Samples);
        ASSERT_EQ(v.size(), 5u);
        EXPECT_EQ(v[0], 0.5f);
        EXPECT_EQ(v[1], -1.0f);
        EXPECT_TRUE(std::isnan(v[2]));
        EXPECT_EQ(v[3], inf);
        EXPECT_EQ(v[4], 1e-40f);
    }
    {
        auto cards = ImageCards(-32, 2, 1);
        cards.push_back(Card("BZERO", "1.0"));
        cards.push_back(Card("BSCALE", "2.0"));
        cards.push_back(End());
        const std::string path = dir.Path("scaled32.fits");
        WriteBytes(path, Header(cards) + Data<float>({0.25f, nan}));
        const TRead read = Read(path);
        ASSERT_EQ(read.Result, 0);
        EXPECT_EQ(read.Samples.Floats()[0], 1.5f);
        EXPECT_TRUE(std::isnan(read.Samples.Floats()[1]));
    }
    {
        // Doubles become single floats; the scaling is applied in double precision first.
        auto cards = ImageCards(-64, 2, 2);
        cards.push_back(Card("BZERO", "1E10"));
        cards.push_back(End());
        const std::string path = dir.Path("f64.fits");
        WriteBytes(path, Header(cards) + Data<double>({-1e10 + 0.125, 1e300, std::nan(""), 2.0}));
        const TRead read = Read(path);
        ASSERT_EQ(read.Result, 0);
        EXPECT_EQ(read.Samples.Bitpix, -64);
        const auto v = Floats(read.Samples);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_EQ(v[0], 0.125f);
        EXPECT_EQ(v[1], inf);
        EXPECT_TRUE(std::isnan(v[2]));
        EXPECT_EQ(v[3], 1e10f);
    }
    EXPECT_EQ(messages.Count(), 0u);
}

TEST(FitsRead, OneAxisIsOneRowAndDataNeedNoPadding) {
    TTempDir dir;
    const std::string path = dir.Path("row.fits");
    WriteBytes(path, Header({Card("SIMPLE", "T"), Card("BITPIX", 16), Card("NAXIS", 1),
                             Card("NAXIS1", 3), End()}) +
                         Data<std::int16_t>({1, 2, 3}, false));
    TMessageRecorder messages;
    TRead read = Read(path);
    ASSERT_EQ(read.Result, 0);
    EXPECT_EQ(Words(read.Samples), (std::vector<std::uint16_t>{1, 2, 3}));

    // Written back as one row too, not as an empty image.
    const std::string again = dir.Path("again.fits");
    ASSERT_EQ(WriteFits(again, read.Header, read.Samples.Buffer.Data(), 3), 0);
    EXPECT_EQ(FileBytes(again).substr(2880, 6), Data<std::int16_t>({1, 2, 3}, false));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST(FitsWrite, BlockLayoutEndsWithTheZeroChunk) {
    struct Row {
        int bitpix, width, height;
        std::size_t fileSize;
    };
    const Row rows[] = {
        {16, 3, 2, 5760},    // 6 values and 1434 zeros
        {16, 1440, 1, 8640}, // one full block, then one of zeros
        {16, 1441, 1, 8640}, {-32, 720, 1, 8640}, {-32, 3, 2, 5760},
    };
    TTempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.bitpix) + " " + std::to_string(row.width));
        const std::size_t n = std::size_t(row.width) * row.height;
        std::vector<std::uint16_t> words(n, 0x1234);
        std::vector<float> floats(n, 1.0f);
        TFitsHeader header =
            NewFitsHeader(row.bitpix, row.width, row.height, "", row.bitpix == 16 ? 32768 : 0, 1);
        const std::string path = dir.Path("layout.fits");
        TMessageRecorder messages;
        ASSERT_EQ(WriteFits(path, header,
                            row.bitpix == 16 ? static_cast<const void*>(words.data())
                                             : static_cast<const void*>(floats.data()),
                            std::int64_t(n)),
                  0);
        EXPECT_EQ(messages.Count(), 0u);
        const std::string bytes = FileBytes(path);
        ASSERT_EQ(bytes.size(), row.fileSize);
        // Header: cards, then spaces to the block.
        EXPECT_EQ(bytes.substr(0, 80), header[0]);
        EXPECT_EQ(bytes.substr(header.size() * 80, 2880 - header.size() * 80),
                  std::string(2880 - header.size() * 80, ' '));
        const std::string value =
            row.bitpix == 16 ? BigEndian<std::int16_t>(0x1234 - 32768) : BigEndian(1.0f);
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(bytes.substr(2880 + i * value.size(), value.size()), value) << i;
        const std::size_t dataEnd = 2880 + n * value.size();
        EXPECT_EQ(bytes.substr(dataEnd), std::string(bytes.size() - dataEnd, '\0'));
    }
}

TEST(FitsWrite, RoundTripsThroughTheReader) {
    TTempDir dir;
    TMessageRecorder messages;
    const std::vector<std::uint16_t> words = {0, 1, 32767, 32768, 65534, 65535};
    TFitsHeader header = NewFitsHeader(16, 3, 2, dir.Path("w.fits"), 32768, 1);
    ASSERT_EQ(WriteFits(dir.Path("w.fits"), header, words.data()), 0);
    TRead read = Read(dir.Path("w.fits"));
    ASSERT_EQ(read.Result, 0);
    EXPECT_EQ(Words(read.Samples), words);
    EXPECT_EQ(read.Header, header);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> floats = {-0.0f, 1.5f, nan, -1e30f, 3.0e-39f, 65536.0f};
    // A header carrying BITPIX 32 is written, and left, as -32.
    header = NewFitsHeader(32, 3, 2, "", 0, 1);
    ASSERT_EQ(WriteFits(dir.Path("f.fits"), header, floats.data()), 0);
    EXPECT_EQ(IntegerKeyword(header, "BITPIX"), -32);
    read = Read(dir.Path("f.fits"));
    ASSERT_EQ(read.Result, 0);
    EXPECT_EQ(IntegerKeyword(read.Header, "BITPIX"), -32);
    const auto v = Floats(read.Samples);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[1], 1.5f);
    EXPECT_TRUE(std::isnan(v[2]));
    EXPECT_EQ(v[3], -1e30f);
    EXPECT_EQ(v[4], 3.0e-39f);
    EXPECT_EQ(v[5], 65536.0f);

    // Scaled floats write the inverse of the reading scale.
    header = NewFitsHeader(-32, 2, 1, "", 100, 4);
    const std::vector<float> scaled = {100.0f, 108.0f};
    ASSERT_EQ(WriteFits(dir.Path("s.fits"), header, scaled.data()), 0);
    EXPECT_EQ(FileBytes(dir.Path("s.fits")).substr(2880, 8), Data<float>({0.0f, 2.0f}, false));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST(FitsWrite, FailuresKeepThePreviousFile) {
    TTempDir dir;
    const std::string path = dir.Path("keep.fits");
    WriteBytes(path, "previous contents");
    const std::vector<std::uint16_t> words(6, 1);
    const std::string error2001 = "An error has occured. Please note error number: 2001.";
    struct Row {
        const char* name;
        TFitsHeader header;
        std::int64_t count;
    };
    const Row rows[] = {
        {"unsupported BITPIX", NewFitsHeader(8, 3, 2, "", 0, 1), 6},
        {"no size", NewFitsHeader(16, 0, 2, "", 0, 1), 6},
        {"negative size", NewFitsHeader(16, -3, 2, "", 0, 1), 6},
        {"header larger than the buffer", NewFitsHeader(16, 300, 200, "", 0, 1), 6},
    };
    for (auto row : rows) {
        SCOPED_TRACE(row.name);
        TMessageRecorder messages;
        EXPECT_EQ(WriteFits(path, row.header, words.data(), row.count), -1);
        EXPECT_EQ(messages.Last().Text, error2001);
        EXPECT_EQ(FileBytes(path), "previous contents");
    }
    TMessageRecorder messages;
    TFitsHeader header = NewFitsHeader(16, 3, 2, "", 32768, 1);
    EXPECT_EQ(WriteFits(dir.Path("no/such/folder/x.fits"), header, words.data()), -1);
    EXPECT_EQ(messages.Last().Text, error2001);
    // Nothing but the file we made is left in the folder (no temporary files).
    ASSERT_EQ(WriteFits(path, header, words.data()), 0);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}
