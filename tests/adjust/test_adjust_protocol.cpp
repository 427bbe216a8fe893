// The dialog protocol of the adjustment tools, driven without a display: preview passes and
// restarts, apply with write-back and undo, cancel, and closing while a pass runs.

#include "adjust/BriConThreads.h"
#include "adjust/Gamma.h"
#include "core/DataContainerUndo.h"
#include "core/platform/UiDispatcher.h"
#include "support/ImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

struct TRecordingHost : TAdjustHost {
    void RepaintImageView() override { ++Repaints; }
    void ShowProgress(const std::string& text) override { Progress.push_back(text); }
    void TakeUndoSnapshot(TFImage& image) override { Undo.UndoSave(image); }
    void CloseWithOk() override { ClosedWithOk = true; }
    void ResetDisplayMode() override { ++ModeResets; }
    void RefitImageView() override { ++Refits; }
    int Repaints = 0, ModeResets = 0, Refits = 0;
    bool ClosedWithOk = false;
    std::vector<std::string> Progress;
    TDataContainerUndo Undo;
};

std::vector<std::uint8_t> DisplayBytes(const TFImage& image) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < image.Height; ++y) {
        const std::uint8_t* row = image.DisplayBitmap.Row(y);
        bytes.insert(bytes.end(), row, row + 3 * image.Width);
    }
    return bytes;
}

// What a preview of these parameters must show.
std::vector<std::uint8_t> GammaPreview(const TFImage& image, float gamma) {
    const auto info = TAdjustImageInfo::Of(image);
    TAdjustPlanes planes(info.Width, info.Grey, info.Height);
    CopyImageToPlanes(image, planes);
    auto pass = TGammaTool::BuildPass({gamma}, info);
    std::vector<std::uint8_t> bytes(3 * static_cast<std::size_t>(info.Width) * info.Height);
    for (int y = 0; y < info.Height; ++y)
        pass->PreviewRow(planes, y, bytes.data() + 3 * static_cast<std::size_t>(info.Width) * y);
    return bytes;
}

auto Gradient(int width) {
    return [width](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x * 255 / width), std::uint8_t(y % 256),
                                           std::uint8_t((x + y) % 256)};
    };
}

// The preview has settled: its event was reset by the last pass's message.
bool Settled(TAdjustSession& session) {
    return !session.PreviewEvent()->IsSet() && !session.PreviewThread()->RestartRequested();
}

} // namespace

TEST(AdjustProtocol, PreviewRendersIntoTheDisplayAndRepaintsEvery500Rows) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeRgb24(40, 1200, Gradient(40));
    const auto before = DisplayBytes(*image);
    TGammaSession session(GammaProtocol, dispatcher, host);
    ASSERT_TRUE(session.Open(*image));
    session.UpdatePreview({2.0f}, false); // Preview unchecked: nothing happens
    EXPECT_FALSE(session.PreviewEvent()->IsSet());

    session.UpdatePreview({2.0f}, true);
    // Repaints at rows 500 and 1000, and at the end of the pass.
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return Settled(session) && host.Repaints >= 3; }));
    EXPECT_EQ(DisplayBytes(*image), GammaPreview(*image, 2.0f));
    EXPECT_NE(DisplayBytes(*image), before);

    session.Close(false);
    EXPECT_EQ(DisplayBytes(*image), before); // Cancel shows the untouched image again
    EXPECT_EQ(host.ModeResets, 0);
    EXPECT_EQ(host.Refits, 1);
    EXPECT_EQ(host.Progress.back(), "");
}

TEST(AdjustProtocol, TheLastChangeIsAlwaysRendered) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeGreyFloat(300, 2000, [](int x, int y) { return float(x * y % 977) + 0.5f; });
    TGammaSession session(GammaProtocol, dispatcher, host);
    ASSERT_TRUE(session.Open(*image));
    // Changes land before, during and after passes; only the last one may remain on screen.
    for (int i = 1; i <= 12; ++i) {
        session.UpdatePreview({0.5f * i}, true);
        dispatcher.ProcessPosted();
    }
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return Settled(session); }));
    EXPECT_EQ(DisplayBytes(*image), GammaPreview(*image, 6.0f));
    session.Close(false);
}

TEST(AdjustProtocol, ApplyWritesBackTakesUndoAndClosesWithOk) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeGrey16(64, 900, [](int x, int y) { return std::uint16_t(200 + x * y); });
    auto expected = MakeGrey16(64, 900, [](int x, int y) { return std::uint16_t(200 + x * y); });
    auto original = MakeGrey16(64, 900, [](int x, int y) { return std::uint16_t(200 + x * y); });
    ASSERT_EQ(ApplyGamma(*expected, 2.5f), 0);

    TGammaSession session(GammaProtocol, dispatcher, host);
    ASSERT_TRUE(session.Open(*image));
    session.UpdatePreview({2.5f}, true);
    ASSERT_TRUE(session.Apply({2.5f}));
    EXPECT_TRUE(session.Busy());
    EXPECT_FALSE(session.CanClose());
    EXPECT_FALSE(session.Apply({2.5f})); // one apply at a time
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return host.ClosedWithOk; }));
    EXPECT_FALSE(session.Busy());
    session.Close(true);

    EXPECT_TRUE(SamePixels(*image, *expected));
    EXPECT_EQ(image->DataMin, expected->DataMin);
    EXPECT_EQ(image->DataMax, expected->DataMax);
    EXPECT_EQ(host.ModeResets, 1);
    ASSERT_FALSE(host.Progress.empty());
    EXPECT_EQ(host.Progress[host.Progress.size() - 2], "100%");
    EXPECT_EQ(host.Progress.back(), "");

    ASSERT_TRUE(host.Undo.Available());
    ASSERT_TRUE(host.Undo.UndoRestore(*image));
    EXPECT_TRUE(SamePixels(*image, *original));
}

TEST(AdjustProtocol, ASkippedApplyLeavesEverySampleAsItWas) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    auto image = MakeGreyFloat(3, 2, [&](int x, int) { return x == 1 ? nan : 8.0f; });
    TGammaSession session(GammaProtocol, dispatcher, host);
    ASSERT_TRUE(session.Open(*image));
    ASSERT_TRUE(session.Apply({3.0f}));
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return host.ClosedWithOk; }));
    session.Close(true);
    EXPECT_TRUE(std::isnan(image->GreyFloatAt(1, 1)));
    EXPECT_EQ(image->GreyFloatAt(2, 1), 8.0f);
}

TEST(AdjustProtocol, ClosingDuringAPassEndsItAndDropsLateMessages) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeGreyFloat(1000, 3000, [](int x, int y) { return float(x + y); });
    const auto before = DisplayBytes(*image);
    {
        TGammaSession session(GammaProtocol, dispatcher, host);
        ASSERT_TRUE(session.Open(*image));
        session.UpdatePreview({3.3f}, true);
        while (host.Repaints == 0 && session.PreviewThread()->PassesCompleted() == 0)
            dispatcher.ProcessPosted(); // a pass is under way
        session.Close(false);
        EXPECT_EQ(DisplayBytes(*image), before);
        EXPECT_EQ(dispatcher.ProcessPosted(), 2); // PreviewPassDone and PreviewEnded, ignored
        // Reopening works with fresh events.
        ASSERT_TRUE(session.Open(*image));
        session.UpdatePreview({1.0f}, true);
    }
    // The session went while its messages were still queued: they are dropped.
    EXPECT_EQ(dispatcher.ProcessPosted(), 0);
}

TEST(BriConProtocol, PreviewThenApplyGivesTheBatchResult) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeRgb48(50, 700, [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 1000), std::uint16_t(y * 90), 7};
    });
    auto expected = MakeRgb48(50, 700, [](int x, int y) {
        return std::array<std::uint16_t, 3>{std::uint16_t(x * 1000), std::uint16_t(y * 90), 7};
    });
    const TBriConParams params{20, -30};
    ASSERT_EQ(ApplyBriCon(*expected, params), 0);

    TBriConSession session(dispatcher, host);
    session.Open(*image);
    session.UpdatePreview(params, true);
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return host.Repaints >= 1; }));
    // The preview shows the high bytes of the mapped values.
    const TBriConMapping mapping(*image, session.Mean(), params);
    std::uint8_t row[150];
    mapping.PreviewRow(*image, 699, row);
    EXPECT_EQ(std::memcmp(row, image->DisplayBitmap.Row(699), sizeof row), 0);

    session.Apply(params);
    EXPECT_TRUE(host.ClosedWithOk);
    session.Close();
    EXPECT_TRUE(SamePixels(*image, *expected));
    EXPECT_EQ(host.Progress[host.Progress.size() - 2], "100%");
    EXPECT_EQ(host.Progress.back(), "");
    EXPECT_TRUE(host.Undo.Available());
    EXPECT_EQ(DisplayBytes(*image), DisplayBytes(*expected));
}

TEST(BriConProtocol, GreyApplyResetsTheDisplayModeAndOneRowReportsAll) {
    TTestDispatcher dispatcher;
    TRecordingHost host;
    auto image = MakeGrey16(5, 1, [](int x, int) { return std::uint16_t(100 * x + 100); });
    TBriConSession session(dispatcher, host);
    session.Open(*image);
    session.Apply({0, 0});
    session.Close();
    EXPECT_EQ(image->Grey16At(4, 0), 65535);
    EXPECT_EQ(image->DisplayHigh, 65535);
    EXPECT_EQ(host.ModeResets, 1);
    EXPECT_EQ(host.Progress, (std::vector<std::string>{"100%", ""}));
}
