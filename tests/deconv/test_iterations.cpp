// The three iteration bodies on small planes.

#include "core/DataContainer.h"
#include "deconv/LucyRichardson.h"
#include "deconv/MaxEnt.h"
#include "deconv/Psf.h"
#include "deconv/VanCittert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kSide = 64;

using TPlane = std::unique_ptr<TDataContainer>;

TPlane MakePlane(const std::function<float(int, int)>& value, int side = kSide) {
    auto plane = std::make_unique<TDataContainer>(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            plane->SetValue(x, y, value(x, y));
    return plane;
}

// A blurred star field with a dark corner: structure, a wide range and exact zeros.
TPlane StarField() {
    return MakePlane([](int x, int y) {
        if (x < 8 && y < 8)
            return 0.0f;
        const double a = std::exp(-((x - 20) * (x - 20) + (y - 30) * (y - 30)) / 8.0);
        const double b = std::exp(-((x - 45) * (x - 45) + (y - 12) * (y - 12)) / 3.0);
        return static_cast<float>(10 + 900 * a + 400 * b + (x * 7 + y * 3) % 11);
    });
}

TPlane Identity() {
    return MakePlane([](int x, int y) { return x == 0 && y == 0 ? 1.0f : 0.0f; });
}

TPlane Gaussian(float sigma = 1.5f) {
    return BuildPsf(PsfKind::Gaussian, kSide, kSide, sigma, 2.5f);
}

std::vector<float> Values(const TDataContainer& plane) {
    return std::vector<float>(plane.Data(), plane.Data() + plane.Width() * plane.Height());
}

double Sum(const std::vector<float>& v) {
    double s = 0;
    for (float f : v)
        s += f;
    return s;
}

// Asks to stop once the given number of iterations has been reported.
class TStopAfter : public TIterationControl {
public:
    explicit TStopAfter(int stopAt) : stopAt_(stopAt) {}
    bool TerminateRequested() override { return reported + 1 >= stopAt_; }
    void IterationDone() override { ++reported; }
    int reported = 0;

private:
    int stopAt_;
};

using TBody =
    std::function<TIterationResult(TDataContainer&, TDataContainer&, int, TIterationControl*)>;

struct TMethod {
    const char* Name;
    TBody Run;
};

const TMethod kMethods[] = {
    {"LR plain", [](TDataContainer& d, TDataContainer& p, int n,
                    TIterationControl* c) { return LucyRichardsonIterate(d, p, n, false, c); }},
    {"LR aggressive", [](TDataContainer& d, TDataContainer& p, int n,
                         TIterationControl* c) { return LucyRichardsonIterate(d, p, n, true, c); }},
    {"Van Cittert", VanCittertIterate},
};

} // namespace

TEST(Iterations, IdentityPsfAndConstantPlanesStayPut) {
    for (const auto& m : kMethods) {
        auto observed = StarField();
        const auto before = Values(*observed);
        auto psf = Identity();
        ASSERT_EQ(m.Run(*observed, *psf, 5, nullptr), TIterationResult::Completed) << m.Name;
        const auto after = Values(*observed);
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_NEAR(after[i], before[i], 1e-3f * (1 + before[i])) << m.Name << " " << i;

        auto constant = MakePlane([](int, int) { return 37.5f; });
        auto wide = Gaussian(3);
        ASSERT_EQ(m.Run(*constant, *wide, 5, nullptr), TIterationResult::Completed);
        for (float v : Values(*constant))
            ASSERT_NEAR(v, 37.5f, 1e-3f) << m.Name;
    }
}

TEST(Iterations, RunOnARealBlurSharpensThePeak) {
    for (const auto& m : kMethods) {
        auto observed = StarField();
        const float peak = observed->Value(45, 12);
        auto psf = Gaussian();
        ASSERT_EQ(m.Run(*observed, *psf, 10, nullptr), TIterationResult::Completed);
        EXPECT_GT(observed->Value(45, 12), peak * 1.05f) << m.Name;
    }
}

TEST(LucyRichardson, ZerosStayZeroAndOneAggressiveIterationEqualsOnePlain) {
    for (bool aggressive : {false, true}) {
        auto observed = StarField();
        auto psf = Gaussian();
        ASSERT_EQ(LucyRichardsonIterate(*observed, *psf, 6, aggressive, nullptr),
                  TIterationResult::Completed);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(observed->Value(x, y), 0.0f);
    }
    auto a = StarField(), b = StarField();
    auto pa = Gaussian(), pb = Gaussian();
    LucyRichardsonIterate(*a, *pa, 1, true, nullptr);
    LucyRichardsonIterate(*b, *pb, 1, false, nullptr);
    EXPECT_EQ(Values(*a), Values(*b));
}

TEST(LucyRichardson, AggressiveDeconvolvesEachEstimateAgain) {
    auto plain = StarField(), aggressive = StarField();
    auto p1 = Gaussian(), p2 = Gaussian();
    LucyRichardsonIterate(*plain, *p1, 3, false, nullptr);
    LucyRichardsonIterate(*aggressive, *p2, 3, true, nullptr);
    EXPECT_NE(Values(*plain), Values(*aggressive));
}

TEST(Iterations, TerminateLeavesTheSpecifiedPlane) {
    // Stopped in iteration 3 of 10: plain Lucy-Richardson and Van Cittert keep the observed
    // plane; aggressive Lucy-Richardson keeps the estimate of the iteration that just ran.
    for (const auto& m : kMethods) {
        auto observed = StarField();
        const auto before = Values(*observed);
        auto psf = Gaussian();
        TStopAfter stop(3);
        ASSERT_EQ(m.Run(*observed, *psf, 10, &stop), TIterationResult::Terminated) << m.Name;
        EXPECT_EQ(stop.reported, 2) << m.Name;
        if (std::string(m.Name) == "LR aggressive") {
            auto three = StarField();
            auto p = Gaussian();
            LucyRichardsonIterate(*three, *p, 3, true, nullptr);
            EXPECT_EQ(Values(*observed), Values(*three));
        } else {
            EXPECT_EQ(Values(*observed), before) << m.Name;
        }
    }
}

TEST(VanCittert, ResultStaysWithinZeroAndTheObservedMaximum) {
    auto observed = MakePlane([](int x, int y) {
        return (x == 30 && y == 30) ? 5000.0f : static_cast<float>((x * 13 + y * 7) % 50);
    });
    auto psf = BuildPsf(PsfKind::Cauchy, kSide, kSide, 2, 2.5f);
    ASSERT_EQ(VanCittertIterate(*observed, *psf, 20, nullptr), TIterationResult::Completed);
    for (float v : Values(*observed)) {
        ASSERT_GE(v, 0.0f);
        ASSERT_LE(v, 5000.0f);
    }
}

TEST(VanCittert, NoPositiveBlurredSampleLeavesThePlane) {
    auto observed = MakePlane([](int, int) { return -3.0f; });
    auto psf = Gaussian();
    EXPECT_EQ(VanCittertIterate(*observed, *psf, 4, nullptr), TIterationResult::Failed);
    for (float v : Values(*observed))
        ASSERT_EQ(v, -3.0f);
}

TEST(MaxEnt, FirstIterationIsFlatAtTheMeanWithZerosCountedAsOne) {
    auto observed = StarField();
    auto withOnes = Values(*observed);
    for (float& v : withOnes)
        if (v == 0.0f)
            v = 1.0f;
    const double mean = Sum(withOnes) / withOnes.size();
    auto psf = Gaussian();
    ASSERT_EQ(MaxEntIterate(*observed, *psf, 1, nullptr), TIterationResult::Completed);
    for (float v : Values(*observed))
        ASSERT_NEAR(v, mean, mean * 1e-5);
}

TEST(MaxEnt, ConservesFluxAndStaysPositive) {
    for (int iterations : {2, 7, 25}) {
        auto observed = StarField();
        auto withOnes = Values(*observed);
        for (float& v : withOnes)
            if (v == 0.0f)
                v = 1.0f;
        auto psf = Gaussian();
        ASSERT_EQ(MaxEntIterate(*observed, *psf, iterations, nullptr), TIterationResult::Completed);
        const auto result = Values(*observed);
        EXPECT_NEAR(Sum(result), Sum(withOnes), Sum(withOnes) * 1e-5) << iterations;
        for (float v : result)
            ASSERT_GE(v, 0.0f);
    }
}

TEST(MaxEnt, TerminateLeavesTheObservedPlaneWithZerosAsOne) {
    auto observed = StarField();
    auto expected = Values(*observed);
    for (float& v : expected)
        if (v == 0.0f)
            v = 1.0f;
    auto psf = Gaussian();
    TStopAfter stop(3);
    ASSERT_EQ(MaxEntIterate(*observed, *psf, 10, &stop), TIterationResult::Terminated);
    EXPECT_EQ(Values(*observed), expected);
}

TEST(Iterations, PlaneTheTransformCannotTakeFailsAndKeepsTheData) {
    for (const auto& m : kMethods) {
        auto observed = MakePlane([](int x, int y) { return float(x + y); }, 48);
        const auto before = Values(*observed);
        auto psf = BuildPsf(PsfKind::Gaussian, 48, 48, 1, 2.5f);
        EXPECT_EQ(m.Run(*observed, *psf, 3, nullptr), TIterationResult::Failed) << m.Name;
        EXPECT_EQ(Values(*observed), before) << m.Name;
    }
}
