// The dialogs' run control without a toolkit: preview and final runs on a worker, progress,
// write-back with its clamps, cancel, refusals.

#include "core/DataContainer.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "core/platform/UiDispatcher.h"
#include "deconv/DeconvSession.h"
#include "deconv/DeconvolutionThread.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

class THostLog : public TDeconvHost {
public:
    void StateChanged() override { statuses.push_back(session->Status()); }
    void PreviewResult(const TDisplayBitmap& bitmap) override {
        previewWidth = bitmap.Width();
        previewHeight = bitmap.Height();
        previewCentre = bitmap.Row(bitmap.Height() / 2)[3 * (bitmap.Width() / 2)];
    }
    void TakeUndoSnapshot(TFImage& image) override { undo.UndoSave(image); }
    void ImageChanged() override { ++imageChanged; }
    void RecomputeDisplayMode() override { ++displayMode; }
    void CloseDialog(bool accepted) override { closed.push_back(accepted); }

    TDeconvSession* session = nullptr;
    std::vector<std::string> statuses;
    int previewWidth = 0, previewHeight = 0, previewCentre = -1;
    TDataContainerUndo undo;
    int imageChanged = 0, displayMode = 0;
    std::vector<bool> closed;
};

struct TFixture {
    explicit TFixture(TDeconvMethod method) : session(method, dispatcher, host) {
        host.session = &session;
    }
    bool WaitIdle() {
        return dispatcher.ProcessUntil(
            [&] { return !session.PreviewRunning() && !session.FinalRunning(); }, 60000);
    }
    TTestDispatcher dispatcher;
    THostLog host;
    TDeconvSession session;
};

TDeconvParams Params(int iterations, float sigma = 1.5f) {
    TDeconvParams p;
    p.Sigma = sigma;
    p.Iterations = iterations;
    return p;
}

// Bright star on a sloping sky.
std::uint16_t Star(int x, int y, int cx, int cy) {
    const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return static_cast<std::uint16_t>(1000 + 10 * x + 30000 * std::exp(-r2 / 6.0));
}

} // namespace

TEST(DeconvRunControl, PreviewOfASmallGreyImageShowsTheWholeImage) {
    TFixture f(TDeconvMethod::LucyRichardson);
    auto image = MakeGrey16(100, 80, [](int x, int y) { return Star(x, y, 50, 40); });
    f.session.Show(*image);
    EXPECT_EQ(f.session.Region().Right, 99);
    EXPECT_EQ(f.session.Region().Bottom, 79);
    f.session.PointerDown(50, 50);
    EXPECT_FALSE(f.session.DragTo(10, 10)); // nothing to scroll
    ASSERT_TRUE(f.session.StartPreview(Params(4)));
    EXPECT_FALSE(f.session.CancelEnabled());
    EXPECT_FALSE(f.session.OkEnabled());
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_EQ(f.host.previewWidth, 100);
    EXPECT_EQ(f.host.previewHeight, 80);
    EXPECT_TRUE(f.session.PreviewEnabled() && f.session.OkEnabled() && f.session.CancelEnabled());
    EXPECT_TRUE(f.session.CompletionEvent()->IsSet());
    EXPECT_EQ(f.session.Thread(), nullptr);
    // Progress went through every iteration and back to Idle; the image is untouched.
    const std::vector<std::string> expected = {"Iteration: 1", "Iteration: 2", "Iteration: 3",
                                               "Idle"};
    std::vector<std::string> seen;
    for (const auto& s : f.host.statuses)
        if (s.rfind("Iteration", 0) == 0 || (!seen.empty() && s == "Idle"))
            seen.push_back(s);
    seen.resize(std::min(seen.size(), expected.size()));
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(f.host.imageChanged, 0);
    EXPECT_TRUE(f.host.closed.empty());
    EXPECT_EQ(image->Grey16At(50, 40), Star(50, 40, 50, 40));
}

TEST(DeconvRunControl, DraggingALargeImageClampsTheRegion) {
    TFixture f(TDeconvMethod::VanCittert);
    auto image = MakeRgb24(300, 300, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x),
                                           static_cast<std::uint8_t>(y), 40};
    });
    f.session.Show(*image);
    f.session.PointerDown(200, 100);
    ASSERT_TRUE(f.session.DragTo(100, 100)); // pointer 100 to the left: the image follows
    EXPECT_EQ(f.session.Region().Left, 44);
    EXPECT_EQ(f.session.Region().Right, 299);
    EXPECT_EQ(f.session.Region().Top, 0);
    const std::uint8_t fill[3] = {1, 2, 3};
    const TDisplayBitmap picture = f.session.RegionPicture(fill);
    EXPECT_EQ(picture.Row(0)[2], 44); // red of pixel (44, 0)
    ASSERT_TRUE(f.session.StartPreview(Params(3)));
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_EQ(f.host.previewWidth, 256);
}

TEST(DeconvRunControl, FinalGreyRunIsClampedToThePreviousMaximum) {
    for (TDeconvMethod method :
         {TDeconvMethod::LucyRichardson, TDeconvMethod::VanCittert, TDeconvMethod::MaxEnt}) {
        TFixture f(method);
        auto image = MakeGrey16(90, 70, [](int x, int y) {
            const double r2 = (x - 40) * (x - 40) + (y - 30) * (y - 30);
            return static_cast<std::uint16_t>(std::min(40000.0, 200 + 80000 * std::exp(-r2 / 5.0)));
        });
        f.session.Show(*image);
        ASSERT_TRUE(f.session.StartFinal(Params(15)));
        EXPECT_TRUE(f.session.CancelEnabled());
        ASSERT_TRUE(f.WaitIdle());
        ASSERT_EQ(f.host.closed, std::vector<bool>{true});
        EXPECT_TRUE(f.host.undo.Available());
        EXPECT_EQ(f.host.imageChanged, 1);
        EXPECT_EQ(f.host.displayMode, method == TDeconvMethod::VanCittert ? 0 : 1);
        std::uint16_t top = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 90; ++x)
                top = std::max(top, image->Grey16At(x, y));
        EXPECT_LE(top, 40000);
        EXPECT_GT(top, 0);
    }
}

TEST(DeconvRunControl, NeutralColourRunReturnsEveryColour) {
    // A PSF far narrower than a pixel leaves Van Cittert with nothing to do; the luminance and
    // colour differences must then rebuild the exact colours.
    TFixture f(TDeconvMethod::VanCittert);
    auto image = MakeRgb48(70, 40, [](int x, int y) {
        if (x == 3 && y == 3)
            return std::array<std::uint16_t, 3>{30000, 0, 0};
        return std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(x * 900),
                                            static_cast<std::uint16_t>(y * 1500),
                                            static_cast<std::uint16_t>(65535 - x * 300)};
    });
    auto original = MakeRgb48(70, 40, [&](int x, int y) {
        std::uint16_t c[3];
        image->Rgb48At(x, y, c);
        return std::array<std::uint16_t, 3>{c[0], c[1], c[2]};
    });
    f.session.Show(*image);
    ASSERT_TRUE(f.session.StartFinal(Params(3, 0.1f)));
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_TRUE(SamePixels(*image, *original));
    // Undo brings back the snapshot taken before the write.
    EXPECT_TRUE(f.host.undo.UndoRestore(*image));
    EXPECT_TRUE(SamePixels(*image, *original));
}

TEST(DeconvRunControl, ColourFinalRunOnTheFullPlaneSize) {
    TFixture f(TDeconvMethod::LucyRichardson);
    auto image = MakeRgb24(130, 70, [](int x, int y) {
        return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(Star(x, y, 60, 30) >> 8), 90,
                                           static_cast<std::uint8_t>(y)};
    });
    f.session.Show(*image);
    ASSERT_TRUE(f.session.StartFinal(Params(5)));
    ASSERT_NE(f.session.Thread(), nullptr);
    EXPECT_EQ(f.session.Thread()->DataPlane->Width(), 256);
    EXPECT_EQ(f.session.Thread()->DataPlane->Height(), 128);
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_EQ(f.host.closed, std::vector<bool>{true});
    EXPECT_EQ(f.host.displayMode, 0); // colour runs leave the display-mode window alone
}

TEST(DeconvRunControl, CancelDuringAFinalRunLeavesImageAndUndoUntouched) {
    TFixture f(TDeconvMethod::LucyRichardson);
    auto image = MakeGreyFloat(200, 200, [](int x, int y) { return float(Star(x, y, 90, 90)); });
    auto original = MakeGreyFloat(200, 200, [](int x, int y) { return float(Star(x, y, 90, 90)); });
    f.session.Show(*image);
    TDeconvParams p = Params(1000);
    p.Aggressive = false;
    ASSERT_TRUE(f.session.StartFinal(p));
    ASSERT_TRUE(f.dispatcher.ProcessUntil(
        [&] { return f.session.Status().rfind("Iteration: 2", 0) == 0; }));
    EXPECT_FALSE(f.session.CanClose());
    f.session.Cancel();
    EXPECT_EQ(f.session.Status(), "Stopping - please wait...");
    EXPECT_FALSE(f.session.CancelEnabled());
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_EQ(f.host.closed, std::vector<bool>{false});
    EXPECT_FALSE(f.host.undo.Available());
    EXPECT_EQ(f.host.imageChanged, 0);
    EXPECT_TRUE(SamePixels(*image, *original));
    EXPECT_TRUE(f.session.CanClose());
}

TEST(DeconvRunControl, RefusalsReturnToIdle) {
    TMessageRecorder messages;
    // A side beyond what the transform takes.
    {
        TFixture f(TDeconvMethod::MaxEnt);
        auto image = MakeGreyFloat(5000, 30, [](int x, int) { return float(x % 100); });
        f.session.Show(*image);
        EXPECT_FALSE(f.session.StartFinal(Params(2)));
        EXPECT_EQ(messages.Count(TMessageKind::Error), 1u);
        EXPECT_EQ(f.session.Status(), "Idle");
        EXPECT_TRUE(f.session.OkEnabled() && f.session.PreviewEnabled());
        // The preview still works: the region of the long side.
        ASSERT_TRUE(f.session.StartPreview(Params(2)));
        ASSERT_TRUE(f.WaitIdle());
        EXPECT_EQ(f.host.previewWidth, 256);
        EXPECT_EQ(f.host.previewHeight, 30);
    }
    // A grey image whose samples are all equal previews mid grey.
    {
        TFixture f(TDeconvMethod::LucyRichardson);
        auto image = MakeGrey16(64, 64, [](int, int) { return std::uint16_t(500); });
        image->DisplayLow = image->DisplayHigh = 500;
        f.session.Show(*image);
        ASSERT_TRUE(f.session.StartPreview(Params(2)));
        ASSERT_TRUE(f.WaitIdle());
        EXPECT_EQ(f.host.previewCentre, 128);
    }
    EXPECT_EQ(messages.Count(TMessageKind::Error), 1u);
}

TEST(DeconvRunControl, MessagesFromAnotherWorkerAreIgnored) {
    TFixture f(TDeconvMethod::VanCittert);
    auto image = MakeGrey16(64, 64, [](int x, int y) { return Star(x, y, 30, 30); });
    f.session.Show(*image);
    ASSERT_TRUE(f.session.StartFinal(Params(3)));
    const auto& info = MethodInfo(TDeconvMethod::VanCittert);
    f.session.HandleMessage(info.DoneMessage, f.session.Thread()->ThreadId() + 1000);
    f.session.HandleMessage(info.CancelMessage, f.session.Thread()->ThreadId() + 1000);
    EXPECT_TRUE(f.session.FinalRunning());
    ASSERT_TRUE(f.WaitIdle());
    EXPECT_EQ(f.host.closed, std::vector<bool>{true});
}
