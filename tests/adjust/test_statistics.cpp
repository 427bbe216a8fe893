// Statistics routines, the report rows and its CSV text.

#include "adjust/Statistics.h"
#include "adjust/StatisticsReport.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(Histogram, ColourBins) {
    auto rgb24 = MakeRgb24(1, 1, [](int, int) { return std::array<std::uint8_t, 3>{10, 20, 30}; });
    TColourHistogram h;
    ASSERT_EQ(RegionColourHistogram(WholeImage(*rgb24), *rgb24, h), 0);
    EXPECT_EQ(h.Counts[10][0], 1u);
    EXPECT_EQ(h.Counts[20][1], 1u);
    EXPECT_EQ(h.Counts[30][2], 1u);
    EXPECT_EQ(h.Scale, 1.0);

    auto rgb48 = MakeRgb48(1, 1, [](int, int) {
        return std::array<std::uint16_t, 3>{65535, 0, 257};
    });
    ASSERT_EQ(RegionColourHistogram(WholeImage(*rgb48), *rgb48, h), 0);
    EXPECT_EQ(h.Counts[255][0], 1u);
    EXPECT_EQ(h.Counts[0][1], 1u);
    EXPECT_EQ(h.Counts[1][2], 1u);
}

TEST(Histogram, GreyBinsCountFromZeroToTheMaximum) {
    const std::uint16_t values[] = {255, 510, 510};
    auto image = MakeGrey16(3, 1, [&](int x, int) { return values[x]; });
    TGreyHistogram h;
    ASSERT_EQ(RegionGreyHistogram(WholeImage(*image), *image, h), 0);
    EXPECT_EQ(h.Bins[128], 1); // Round(127.5)
    EXPECT_EQ(h.Bins[255], 2);
    EXPECT_DOUBLE_EQ(h.Scale, 0.5);
    EXPECT_EQ(h.Minimum, 255);
    EXPECT_EQ(h.Maximum, 510);

    auto zero = MakeGrey16(4, 4, [](int, int) { return std::uint16_t(0); });
    ASSERT_EQ(RegionGreyHistogram(WholeImage(*zero), *zero, h), 0);
    EXPECT_EQ(h.Scale, 1.0);
    for (double bin : h.Bins)
        ASSERT_EQ(bin, 0);
}

TEST(Histogram, NegativeGreyDataReportTheirFault) {
    TMessageRecorder messages;
    auto image = MakeGreyFloat(2, 1, [](int x, int) { return x ? -1.0f : -5.0f; });
    TGreyHistogram h;
    EXPECT_LT(RegionGreyHistogram(WholeImage(*image), *image, h), 0);
    ASSERT_EQ(messages.Count(TMessageKind::Error), 1u);
    EXPECT_EQ(messages.Last().Text, "An error has occured. Please note error number: 3001.");
}

TEST(Statistics, GreyAndColour) {
    const std::uint16_t values[] = {2, 4, 4, 4, 5, 5, 7, 9};
    auto grey = MakeGrey16(4, 2, [&](int x, int y) { return values[x + 4 * y]; });
    TGreyStatistics g;
    ASSERT_EQ(RegionGreyStatistics(WholeImage(*grey), *grey, g), 0);
    EXPECT_EQ(g.Count, 8);
    EXPECT_DOUBLE_EQ(g.Sum, 40);
    EXPECT_DOUBLE_EQ(g.Mean, 5);
    EXPECT_DOUBLE_EQ(g.StdDev, 2); // population form
    EXPECT_EQ(g.Minimum, 2);
    EXPECT_EQ(g.Maximum, 9);

    auto colour = MakeRgb24(2, 1, [](int x, int) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x ? 10 : 0), 7, 200};
    });
    TColourStatistics c;
    ASSERT_EQ(RegionColourStatistics(WholeImage(*colour), *colour, c), 0);
    EXPECT_DOUBLE_EQ(c.Mean[0], 5);
    EXPECT_DOUBLE_EQ(c.StdDev[0], 5);
    EXPECT_DOUBLE_EQ(c.StdDev[1], 0);
    EXPECT_EQ(c.Maximum[2], 200);
    EXPECT_DOUBLE_EQ(ImageMean(*colour), (0 + 10 + 14 + 400) / 6.0);
    EXPECT_DOUBLE_EQ(ImageMean(*grey), 5);
}

TEST(Statistics, RegionsOutsideTheImageAreRefused) {
    TMessageRecorder messages;
    auto grey = MakeGrey16(2, 2, [](int, int) { return std::uint16_t(1); });
    double lo = 0, hi = 0;
    EXPECT_LT(RegionGreyMinMax({0, 0, 2, 1}, *grey, lo, hi), 0);
    EXPECT_EQ(messages.Last().Text, "An error has occured. Please note error number: 3000.");
}

TEST(StatisticsReport, RowsAndCsv) {
    auto colour = MakeRgb24(3, 2, [](int, int) { return std::array<std::uint8_t, 3>{1, 2, 3}; });
    colour->FileName = "/some/folder/moon.png";
    auto grey = MakeGrey16(2, 2, [](int x, int) { return std::uint16_t(x ? 3 : 1); });
    grey->FileName = "/x/m31.fits";

    TStatisticsReport report;
    report.AddImage(*colour);
    report.AddImage(*grey);
    ASSERT_EQ(report.Rows().size(), 4u);
    EXPECT_EQ(report.Rows()[0],
              (TStatisticsRow{"moon.png", "R", "3 x 2", "24", "1.000", "1.000", "1.000", "0.000"}));
    EXPECT_EQ(report.Rows()[2][1], "B");
    EXPECT_EQ(report.Rows()[3],
              (TStatisticsRow{"m31.fits", "*", "2 x 2", "16", "1.000", "3.000", "2.000", "1.000"}));
    EXPECT_EQ(report.Csv().substr(0, 60),
              std::string("moon.png,R,3 x 2,24,1.000,1.000,1.000,0.000\r\nmoon.png,G,3 x 2,24,")
                  .substr(0, 60));

    TTempDir dir;
    ASSERT_TRUE(report.SaveCsv(dir.Path("report.csv")));
    EXPECT_EQ(FileBytes(dir.Path("report.csv")), report.Csv());
    EXPECT_FALSE(report.SaveCsv(dir.Path("missing/report.csv")));

    report.Delete(0);
    report.Delete(99);
    EXPECT_EQ(report.Rows().size(), 3u);
    report.Clear();
    EXPECT_TRUE(report.Rows().empty());
}
