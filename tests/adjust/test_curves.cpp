// Curves: the spline and its tables, the exact neutral curve, the grey stretch, and the point
// editing of the dialog.

#include "adjust/CurveEditor.h"
#include "adjust/Curves.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<float> Table(const std::vector<TCurveXY>& points, float fullScale) {
    std::vector<float> table(AdjustTableSize, -1.0f);
    TCurveHelper(points, fullScale).BuildTable(table.data());
    return table;
}

// Editor points for input/output pairs.
TCurvePoints Editor(std::initializer_list<std::pair<int, int>> io) {
    TCurvePoints points;
    for (auto [x, out] : io)
        points.push_back({x, 255 - out, false});
    return points;
}

TAdjustImageInfo InfoOf(TImageKind kind, float dataMin = 0, float dataMax = 0) {
    TAdjustImageInfo info;
    info.Kind = kind;
    info.DataMin = dataMin;
    info.DataMax = dataMax;
    return info;
}

} // namespace

TEST(CurveHelper, SplineThroughTheWorkedPoints) {
    // Two points: the straight line.
    const auto line = Table({{0, 0}, {255, 127}}, 255);
    EXPECT_FLOAT_EQ(line[128], 127 * 128 / 255.0f);
    // Three points: through each of them, and the natural spline between (hand-computed).
    const auto three = Table({{0, 0}, {128, 200}, {255, 255}}, 255);
    EXPECT_FLOAT_EQ(three[0], 0);
    EXPECT_FLOAT_EQ(three[128], 200);
    EXPECT_FLOAT_EQ(three[255], 255);
    EXPECT_NEAR(three[64], 113.606, 0.001);
    // The points are scaled to the table's range: at 65535 the middle point is (32896, 51400).
    const auto wide = Table({{0, 0}, {128, 200}, {255, 255}}, 65535);
    EXPECT_FLOAT_EQ(wide[32896], 51400);
    EXPECT_FLOAT_EQ(wide[65535], 65535);
    // Order does not matter; entries above the full scale repeat the last.
    EXPECT_EQ(Table({{255, 255}, {128, 200}, {0, 0}}, 255), three);
    EXPECT_EQ(three[65535], 255);
}

TEST(CurveHelper, PointsSharingAnXMakeAWellDefinedStep) {
    struct {
        std::vector<TCurveXY> points;
        float fullScale;
        int at;
        float want;
    } cases[] = {
        {{{0, 0}, {100, 50}, {100, 200}, {255, 255}}, 255, 100, 200}, // the later point
        {{{0, 0}, {100, 50}, {100, 90}, {100, 200}, {255, 255}}, 255, 100, 200},
        {{{0, 0}, {255, 255}, {255, 100}}, 255, 255, 100},
        {{{0, 0}, {0, 30}, {255, 255}}, 255, 0, 30},
        // Scaling to a small data maximum folds neighbours onto one x.
        {{{0, 0}, {1, 40}, {2, 80}, {3, 120}, {255, 255}}, 10, 0, 5},
        {{{0, 0}, {255, 255}}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto table = Table(c.points, c.fullScale);
        for (int i = 0; i < AdjustTableSize; ++i)
            ASSERT_TRUE(std::isfinite(table[i]) && table[i] != -1.0f) << i;
        EXPECT_FLOAT_EQ(table[c.at], c.want);
    }
}

TEST(Curves, TheDefaultCurveIsExactlyNeutral) {
    // Every table of the default points maps every input to itself.
    for (float m : {255.0f, 65535.0f, 4321.0f, 1.0f}) {
        const TCurvesParams params;
        const TCurveTables tables = BuildCurveTables(params, InfoOf(TImageKind::Grey16, 0, m));
        EXPECT_TRUE(tables.Identity);
        for (int i = 0; i <= static_cast<int>(m); ++i)
            ASSERT_EQ(tables.Table[0][i], float(i)) << "full scale " << m;
    }
    // And OK with it gives every image back unchanged, grey ones with a raised minimum too.
    const auto rgb24 = [](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x), std::uint8_t(255 - x), std::uint8_t(y)};
    };
    const auto rgb48 = [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 257 + y), std::uint16_t(65535 - x),
                                            std::uint16_t(y)};
    };
    const auto grey16 = [](int x, int y) { return std::uint16_t(1000 + x * 13 + y); };
    const auto greyFloat = [](int x, int y) { return 0.37f + x * 0.0173f + y; };
    auto a = MakeRgb24(256, 2, rgb24);
    auto b = MakeRgb48(256, 2, rgb48);
    auto c = MakeGrey16(256, 2, grey16);
    auto d = MakeGreyFloat(256, 2, greyFloat);
    for (TFImage* image : {a.get(), b.get(), c.get(), d.get()})
        ASSERT_EQ(ApplyCurves(*image, TCurvesParams{}), 0);
    EXPECT_TRUE(SamePixels(*a, *MakeRgb24(256, 2, rgb24)));
    EXPECT_TRUE(SamePixels(*b, *MakeRgb48(256, 2, rgb48)));
    EXPECT_TRUE(SamePixels(*c, *MakeGrey16(256, 2, grey16)));
    EXPECT_TRUE(SamePixels(*d, *MakeGreyFloat(256, 2, greyFloat)));
}

TEST(Curves, TheChannelDecidesWhichCurvesCount) {
    TCurvesParams params;
    params.Sets[CurveRgb] = Editor({{0, 0}, {255, 127}}); // halves
    params.Sets[CurveRed] = Editor({{0, 255}, {255, 0}}); // inverts
    params.Sets[CurveBlue] = Editor({{0, 0}, {255, 51}}); // fifths
    auto image = MakeRgb24(1, 1, [](int, int) {
        return std::array<std::uint8_t, 3>{200, 200, 200};
    });
    auto copy = MakeRgb24(1, 1, [](int, int) {
        return std::array<std::uint8_t, 3>{200, 200, 200};
    });
    ASSERT_EQ(ApplyCurves(*image, params), 0); // "RGB": the composite only
    std::uint16_t rgb[3] = {};
    image->RgbAt(0, 0, rgb);
    EXPECT_EQ(rgb[0], 100); // 99.6
    EXPECT_EQ(rgb[1], 100);
    EXPECT_EQ(rgb[2], 100);
    params.Channel = CurveGreen; // the channel curves only
    ASSERT_EQ(ApplyCurves(*copy, params), 0);
    copy->RgbAt(0, 0, rgb);
    EXPECT_EQ(rgb[0], 55);
    EXPECT_EQ(rgb[1], 200);
    EXPECT_EQ(rgb[2], 40);
}

TEST(Curves, GreyResultsAreStretchedFromTheCurvedMinimum) {
    // Output half the input: T = i / 2 over 0..DataMax, bottom T(1000) = 500, top T(5000) = 2500,
    // result (T(v) - 500) * 1.25, for both grey kinds.
    TCurvesParams half;
    half.Sets[CurveRgb] = Editor({{0, 0}, {254, 127}});
    const std::uint16_t values[] = {1000, 3000, 5000};
    auto grey16 = MakeGrey16(3, 1, [&](int x, int) { return values[x]; });
    auto greyFloat = MakeGreyFloat(3, 1, [&](int x, int) { return float(values[x]); });
    ASSERT_EQ(ApplyCurves(*grey16, half), 0);
    ASSERT_EQ(ApplyCurves(*greyFloat, half), 0);
    const float want[] = {0, 1250, 2500};
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(grey16->Grey16At(x, 0), want[x]) << x;
        EXPECT_NEAR(greyFloat->GreyFloatAt(x, 0), want[x], 0.1) << x;
    }

    // A flat curve over the data range leaves the image as it was.
    TCurvesParams flat;
    flat.Sets[CurveRgb] = Editor({{0, 100}, {255, 100}});
    auto image = MakeGrey16(3, 1, [&](int x, int) { return values[x]; });
    EXPECT_EQ(TCurvesTool::BuildPass(flat, TAdjustImageInfo::Of(*image)), nullptr);
    ASSERT_EQ(ApplyCurves(*image, flat), 0);
    EXPECT_EQ(image->Grey16At(1, 0), 3000);
}

TEST(CurveEditor, AddDragDeleteAndEndPoints) {
    TCurveEditor editor;
    using E = TCurveEditor;
    ASSERT_EQ(editor.Points(), DefaultCurvePoints());

    // A left press away from the points adds one, and the drag moves it (limited to 0..255).
    EXPECT_EQ(editor.MouseDown(E::LeftButton, 100, 60), E::RedrawAndPreview);
    EXPECT_EQ(editor.MouseMove(120, 300), E::RedrawAndPreview);
    EXPECT_EQ(editor.MouseUp(), E::RedrawAndPreview);
    EXPECT_EQ(editor.Points()[1], (TCurvePoint{120, 255, false}));
    EXPECT_EQ(editor.MouseMove(10, 10), E::None); // nothing held

    // A press near a point picks it up without a preview; a move carries it.
    EXPECT_EQ(editor.MouseDown(E::LeftButton, 122, 253), E::Redraw);
    editor.MouseMove(130, 200);
    editor.MouseUp();
    EXPECT_EQ(editor.Points()[1], (TCurvePoint{130, 200, false}));

    // End points are neither moved nor deleted.
    EXPECT_EQ(editor.MouseDown(E::LeftButton, 1, 254), E::None);
    EXPECT_EQ(editor.MouseDown(E::RightButton, 254, 2), E::RedrawAndPreview);
    EXPECT_EQ(editor.MouseDown(E::RightButton, 50, 50), E::None); // nothing there
    EXPECT_EQ(editor.Points().size(), 3u);
    EXPECT_EQ(editor.MouseDown(E::RightButton, 132, 198), E::RedrawAndPreview);
    EXPECT_EQ(editor.Points(), DefaultCurvePoints());
}

TEST(CurveEditor, AtMost256PointsAndSetsPerChannel) {
    TCurveEditor editor;
    using E = TCurveEditor;
    for (int i = 0; i < 254; ++i) { // 4 pixels apart, so none is near another
        editor.MouseDown(E::LeftButton, 2 + (i % 60) * 4, 20 + (i / 60) * 40);
        editor.MouseUp();
    }
    ASSERT_EQ(editor.Points().size(), 256u);
    EXPECT_EQ(editor.MouseDown(E::LeftButton, 128, 240), E::None);
    EXPECT_EQ(editor.Points().size(), 256u);

    // Red's points survive a visit to "RGB"; the composite stays at its default.
    editor.Reset();
    editor.SelectChannel(CurveRed);
    editor.MouseDown(E::LeftButton, 64, 64);
    editor.MouseUp();
    editor.SelectChannel(CurveRgb);
    EXPECT_EQ(editor.Points(), DefaultCurvePoints());
    editor.SelectChannel(CurveRed);
    ASSERT_EQ(editor.Points().size(), 3u);
    const TCurvesParams params = editor.Params();
    EXPECT_EQ(params.Channel, CurveRed);
    EXPECT_EQ(params.Sets[CurveRed].size(), 3u);
    EXPECT_EQ(params.Sets[CurveGreen], DefaultCurvePoints());
    editor.Open();
    EXPECT_EQ(editor.Channel(), CurveRgb);
    EXPECT_EQ(editor.Params().Sets[CurveRed], DefaultCurvePoints());
    // The drawn default curve: the diagonal, kept off the border rows.
    const auto rows = editor.CurveRows();
    EXPECT_EQ(rows[0], 254);
    EXPECT_EQ(rows[100], 155);
    EXPECT_EQ(rows[255], 1);
}
