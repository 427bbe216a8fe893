// Header cards: the builders' columns, keyword lookups and updates.

#include "core/FITS.h"
#include "support/MessageRecorder.h"

#include "FitsBytes.h"

#include <gtest/gtest.h>

using fitsbytes::Card;

namespace {

// Text between two 1-based columns, inclusive.
std::string Columns(const std::string& card, int first, int last) {
    return card.substr(first - 1, last - first + 1);
}

std::string KeywordMessage(const std::string& keyword) {
    return "An error occurred processing FITS keyword: " + keyword + ".";
}

} // namespace

TEST(FitsCards, ValuesEndInColumn30) {
    struct Row {
        std::string card, value;
    };
    const Row rows[] = {
        {RealCard("BZERO", 32768), "3.276800E+0004"},
        {RealCard("BSCALE", 1), "1.000000E+0000"},
        {RealCard("BZERO", 0), "0.000000E+0000"},
        {RealCard("DATAMIN", -0.5), "-5.000000E-0001"},
        {RealCard("TINY", 1.5e-300), "1.500000E-0300"},
        {RealCard("ROUND", 1.23456789), "1.234568E+0000"},
        {IntegerCard("BITPIX", -32), "-32"},
        {IntegerCard("NAXIS1", 4096), "4096"},
        {LogicalCard("SIMPLE", true), "T"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.card);
        ASSERT_EQ(row.card.size(), 80u);
        EXPECT_EQ(Columns(row.card, 9, 10), "= ");
        EXPECT_EQ(Columns(row.card, 31 - int(row.value.size()), 30), row.value);
        EXPECT_EQ(row.card[29 - row.value.size()], ' ');
        EXPECT_EQ(Columns(row.card, 31, 80), std::string(50, ' '));
    }
    EXPECT_EQ(Columns(RealCard("BZERO", 32768), 1, 8), "BZERO   ");
}

TEST(FitsCards, StringCardQuotes) {
    const std::string two = StringCard("ORIGIN", "ab");
    EXPECT_EQ(Columns(two, 11, 20), "'ab      '");
    const std::string ten = StringCard("ORIGIN", "0123456789");
    EXPECT_EQ(Columns(ten, 11, 22), "'0123456789'");
    EXPECT_EQ(ten[22], ' ');

    // A quote in the text is doubled, so the value still ends at the right quote.
    const std::string quoted = StringCard("ORIGNAME", "/home/o'neil/a.fits");
    EXPECT_EQ(Columns(quoted, 11, 32), "'/home/o''neil/a.fits'");

    // Long texts are cut by the closing quote in column 80, never inside a doubled quote.
    const std::string longText = StringCard("ORIGNAME", std::string(100, 'x'));
    ASSERT_EQ(longText.size(), 80u);
    EXPECT_EQ(longText[79], '\'');
    EXPECT_EQ(Columns(longText, 12, 79), std::string(68, 'x'));
    const std::string cutAtQuote = StringCard("ORIGNAME", std::string(67, 'x') + "'y");
    ASSERT_EQ(cutAtQuote.size(), 80u);
    EXPECT_EQ(Columns(cutAtQuote, 12, 79), std::string(67, 'x') + "'");
    EXPECT_EQ(cutAtQuote[79], ' ');
}

TEST(FitsCards, CommentAndBareCards) {
    EXPECT_EQ(CommentCard("https://zelvane.example/"),
              std::string("COMMENT https://zelvane.example/").append(48, ' '));
    EXPECT_EQ(BareCard("END"), fitsbytes::End());
}

TEST(FitsCards, NewHeaderForBothKinds) {
    TMessageRecorder messages;
    const TFitsHeader grey16 = NewFitsHeader(16, 640, 480, "/data/m31.fits", 32768, 1);
    ASSERT_EQ(grey16.size(), 11u);
    const char* keywords[] = {"SIMPLE  ", "BITPIX  ", "NAXIS   ", "NAXIS1  ",
                              "NAXIS2  ", "BZERO   ", "BSCALE  ", "ORIGIN  ",
                              "COMMENT ", "ORIGNAME", "END     "};
    for (std::size_t i = 0; i < grey16.size(); ++i) {
        EXPECT_EQ(grey16[i].substr(0, 8), keywords[i]);
        EXPECT_EQ(grey16[i].size(), 80u);
    }
    EXPECT_EQ(IntegerKeyword(grey16, "BITPIX"), 16);
    EXPECT_EQ(IntegerKeyword(grey16, "NAXIS"), 2);
    EXPECT_EQ(IntegerKeyword(grey16, "NAXIS1"), 640);
    EXPECT_EQ(IntegerKeyword(grey16, "NAXIS2"), 480);
    EXPECT_EQ(RealKeyword(grey16, "BZERO"), 32768.0);
    EXPECT_EQ(RealKeyword(grey16, "BSCALE"), 1.0);
    EXPECT_EQ(Columns(grey16[7], 11, 29), "'Zelvane Image 3.0'");
    EXPECT_EQ(Columns(grey16[8], 9, 32), "https://zelvane.example/");
    EXPECT_EQ(Columns(grey16[9], 11, 26), "'/data/m31.fits'");

    const TFitsHeader floats = NewFitsHeader(-32, 3, 2, "", 0, 1);
    ASSERT_EQ(floats.size(), 10u); // no ORIGNAME without a name
    EXPECT_FALSE(HasKeyword(floats, "ORIGNAME"));
    EXPECT_EQ(IntegerKeyword(floats, "BITPIX"), -32);
    EXPECT_EQ(messages.Count(), 0u);
}

TEST(FitsKeywords, MatchThePaddedKeywordExactly) {
    TMessageRecorder messages;
    const TFitsHeader header = {Card("NAXIS1", 5), Card("NAXIS2", 7), "END"};
    EXPECT_FALSE(HasKeyword(header, "NAXIS"));
    EXPECT_EQ(IntegerKeyword(header, "NAXIS"), 0);
    EXPECT_FALSE(HasKeyword(header, "naxis1"));
    EXPECT_TRUE(HasKeyword(header, "END")); // a card shorter than 8 characters still matches
    EXPECT_EQ(IntegerKeyword(header, "NAXIS2"), 7);
    EXPECT_EQ(messages.Count(), 0u);
}

TEST(FitsKeywords, IntegerValues) {
    struct Row {
        std::string value;
        int expected;
        bool message;
    };
    const Row rows[] = {
        {"42", 42, false}, {"+7", 7, false},         {"-12", -12, false},
        {"1.5", 0, true},  {"abc", 0, true},         {"", 0, true},
        {"+-3", 0, true},  {"99999999999", 0, true}, {"12 34", 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("value '" + row.value + "'");
        TMessageRecorder messages;
        EXPECT_EQ(IntegerKeyword({Card("NAXIS1", row.value)}, "NAXIS1"), row.expected);
        ASSERT_EQ(messages.Count(), row.message ? 1u : 0u);
        if (row.message) {
            EXPECT_EQ(messages.Last().Kind, TMessageKind::Error);
            EXPECT_EQ(messages.Last().Text, KeywordMessage("NAXIS1"));
        }
    }
    TMessageRecorder messages;
    // The last card decides; a bad card ends the search with 0.
    EXPECT_EQ(IntegerKeyword({Card("NAXIS1", 3), Card("NAXIS1", 4)}, "NAXIS1"), 4);
    EXPECT_EQ(IntegerKeyword({Card("NAXIS1", "x"), Card("NAXIS1", 4)}, "NAXIS1"), 0);
    EXPECT_EQ(messages.Count(), 1u);
    // Only columns 11-30 hold the value; a comment behind it does not disturb it.
    EXPECT_EQ(IntegerKeyword({Card("NAXIS1", 9).replace(31, 9, "/ columns")}, "NAXIS1"), 9);
}

TEST(FitsKeywords, RealValues) {
    struct Row {
        std::string value;
        double expected;
        bool message;
    };
    const Row rows[] = {
        {"1.0", 1.0, false},
        {"1", 1.0, false},
        {"3.276800E+0004", 32768.0, false},
        {"-2.5e-3", -0.0025, false},
        {".5", 0.5, false},
        {"1.0D+00", 0, true},
        {"inf", 0, true},
        {"nan", 0, true},
        {"1,5", 0, true},
        {"1e999", 0, true},
        {"'1.0'", 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("value '" + row.value + "'");
        TMessageRecorder messages;
        EXPECT_EQ(RealKeyword({Card("BSCALE", row.value)}, "BSCALE"), row.expected);
        ASSERT_EQ(messages.Count(), row.message ? 1u : 0u);
        if (row.message) {
            EXPECT_EQ(messages.Last().Text, KeywordMessage("BSCALE"));
        }
    }
    TMessageRecorder messages;
    // A left-justified value (trailing spaces in the field) reads too.
    EXPECT_EQ(RealKeyword({std::string("BSCALE  = 2.5").append(67, ' ')}, "BSCALE"), 2.5);
    // Later cards are still read after a bad one; a bad last card gives 0.
    EXPECT_EQ(RealKeyword({Card("BZERO", "1D0"), Card("BZERO", "7.5")}, "BZERO"), 7.5);
    EXPECT_EQ(RealKeyword({Card("BZERO", "7.5"), Card("BZERO", "1D0")}, "BZERO"), 0.0);
    EXPECT_EQ(messages.Count(), 2u);
}

TEST(FitsKeywords, UpdateIntegerKeyword) {
    TFitsHeader header = {Card("NAXIS", 2), Card("NAXIS1", 5).replace(31, 9, "/ columns"),
                          Card("NAXIS1", 6), BareCard("END")};
    const TFitsHeader before = header;
    UpdateIntegerKeyword(header, "NAXIS1", -123456);
    EXPECT_EQ(header[1], Card("NAXIS1", -123456).replace(31, 9, "/ columns"));
    EXPECT_EQ(header[2], before[2]); // only the first match
    EXPECT_EQ(header[0], before[0]);

    UpdateIntegerKeyword(header, "NAXIS2", 9);
    EXPECT_EQ(header.size(), before.size());
    EXPECT_FALSE(HasKeyword(header, "NAXIS2"));

    TFitsHeader shortCard = {"BITPIX  = 8"};
    UpdateIntegerKeyword(shortCard, "BITPIX", -32);
    EXPECT_EQ(shortCard[0], "BITPIX  =" + std::string(18, ' ') + "-32");
}
