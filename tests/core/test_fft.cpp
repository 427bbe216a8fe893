#include "core/DataContainer.h"
#include "core/Fft.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Cd = std::complex<double>;

// Plain O(n^2) DFT in double; sign -1 forward, +1 inverse (unscaled).
void Dft(std::vector<Cd>& v, int sign) {
    const int n = static_cast<int>(v.size());
    std::vector<Cd> out(n), w(n);
    for (int k = 0; k < n; ++k)
        w[k] = std::polar(1.0, sign * 2.0 * M_PI * k / n);
    for (int k = 0; k < n; ++k) {
        Cd sum = 0;
        for (int j = 0; j < n; ++j)
            sum += v[j] * w[long(j) * k % n];
        out[k] = sum;
    }
    v = out;
}

void DftRows(std::vector<Cd>& m, int w, int h, int sign, double scale) {
    for (int y = 0; y < h; ++y) {
        std::vector<Cd> row(m.begin() + y * w, m.begin() + (y + 1) * w);
        Dft(row, sign);
        for (int x = 0; x < w; ++x)
            m[y * w + x] = row[x] * scale;
    }
}

void DftColumns(std::vector<Cd>& m, int w, int h, int sign, double scale) {
    for (int x = 0; x < w; ++x) {
        std::vector<Cd> col(h);
        for (int y = 0; y < h; ++y)
            col[y] = m[y * w + x];
        Dft(col, sign);
        for (int y = 0; y < h; ++y)
            m[y * w + x] = col[y] * scale;
    }
}

double Norm(const std::vector<Cd>& m) {
    double s = 0;
    for (const Cd& c : m)
        s += std::norm(c);
    return std::sqrt(s);
}

Cd SpectrumOf(const TDataContainer& d, int x, int y) {
    float re, im;
    d.SpectrumAt(x, y, re, im);
    return {re, im};
}

// Error bound of a single-precision FFT of n points on input of this norm, before scaling.
double Tolerance(double n, double inputNorm) {
    return 2.0 * FLT_EPSILON * (std::log2(n) + 1) * inputNorm;
}

struct FftCase {
    int width, height, vectorFloats;
};

void PrintTo(const FftCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " with " << c.vectorFloats << "-float vectors";
}

std::string Name(const testing::TestParamInfo<FftCase>& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) + "_v" +
           std::to_string(info.param.vectorFloats);
}

class FftAgainstDft : public testing::TestWithParam<FftCase> {
protected:
    void SetUp() override {
        if (!FftUseVectorWidth(GetParam().vectorFloats))
            GTEST_SKIP() << "processor lacks these vectors";
    }
    void TearDown() override {
        for (int floats : {16, 8, 4})
            if (FftUseVectorWidth(floats))
                break;
    }
    std::mt19937 rng{1234};
    std::uniform_real_distribution<float> uniform{-1.0f, 1.0f};
};

TEST_P(FftAgainstDft, ForwardMatchesTheDefinition) {
    const auto [w, h, vf] = GetParam();
    TDataContainer d(w, h);
    std::vector<Cd> ref(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float v = uniform(rng);
            d.SetValue(x, y, v);
            ref[y * w + x] = v;
        }
    const double tol = Tolerance(double(w) * h, Norm(ref));
    ASSERT_EQ(d.ForwardTransform(), 0);
    DftRows(ref, w, h, -1, 1.0);
    DftColumns(ref, w, h, -1, 1.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_LE(std::abs(SpectrumOf(d, x, y) - ref[y * w + x]), tol) << x << "," << y;
}

// An arbitrary (not Hermitian) spectrum: the rows' inverse stays in the spectrum, the real part
// of the full inverse lands in the plane.
TEST_P(FftAgainstDft, InverseLeavesRowPassInSpectrumAndRealPartInPlane) {
    const auto [w, h, vf] = GetParam();
    TDataContainer d(w, h);
    std::vector<Cd> ref(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float re = uniform(rng), im = uniform(rng);
            d.SetSpectrum(x, y, re, im);
            ref[y * w + x] = {re, im};
        }
    const double tol = Tolerance(double(w) * h, Norm(ref)) / (double(w) * h);
    ASSERT_EQ(d.InverseTransform(), 0);
    for (int y = 0; y < h; ++y) {
        std::vector<Cd> row(ref.begin() + y * w, ref.begin() + (y + 1) * w);
        const double rowTol = Tolerance(w, Norm(row)) / w;
        Dft(row, +1);
        for (int x = 0; x < w; ++x)
            ASSERT_LE(std::abs(SpectrumOf(d, x, y) - row[x] / double(w)), rowTol) << x << "," << y;
    }
    DftRows(ref, w, h, +1, 1.0 / w);
    DftColumns(ref, w, h, +1, 1.0 / h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_NEAR(d.Value(x, y), ref[y * w + x].real(), tol) << x << "," << y;
}

TEST_P(FftAgainstDft, ForwardThenInverseGivesThePlaneBack) {
    const auto [w, h, vf] = GetParam();
    TDataContainer d(w, h);
    std::vector<float> original(w * h);
    for (float& v : original)
        v = uniform(rng);
    std::copy(original.begin(), original.end(), d.Data());
    ASSERT_EQ(d.ForwardTransform(), 0);
    ASSERT_EQ(d.InverseTransform(), 0);
    // Values within 1, so the error per value stays near the bound of one transform.
    const double tol = Tolerance(double(w) * h, 1.0);
    for (int i = 0; i < w * h; ++i)
        ASSERT_NEAR(d.Data()[i], original[i], tol) << i;
}

// Narrow and flat planes take the padded and partial-block paths; 256 x 256 has full blocks
// and a partial block of rows.
INSTANTIATE_TEST_SUITE_P(Sizes, FftAgainstDft, testing::ValuesIn([] {
                             std::vector<FftCase> cases;
                             const int sizes[][2] = {{1, 1},   {1, 16},   {16, 1},  {2, 2},
                                                     {4, 8},   {16, 8},   {64, 32}, {8, 128},
                                                     {128, 2}, {256, 256}};
                             for (int vf : {4, 8, 16})
                                 for (const auto& s : sizes)
                                     cases.push_back({s[0], s[1], vf});
                             return cases;
                         }()),
                         Name);

TEST(Fft, OnePixelSpectrumIsItsValue) {
    TDataContainer d(1, 1);
    d.SetValue(0, 0, -3.75f);
    ASSERT_EQ(d.ForwardTransform(), 0);
    EXPECT_EQ(SpectrumOf(d, 0, 0), Cd(-3.75, 0));
}

TEST(Fft, ConstantPlaneHasOnlyTheZeroFrequency) {
    const int w = 64, h = 16;
    TDataContainer d(w, h);
    for (int i = 0; i < w * h; ++i)
        d.Data()[i] = 0.75f;
    ASSERT_EQ(d.ForwardTransform(), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(SpectrumOf(d, x, y), (x == 0 && y == 0 ? Cd(0.75 * w * h, 0) : Cd(0, 0)))
                << x << "," << y;
}

TEST(Fft, RefusesSidesThatAreNotPowersOfTwoUpTo4096AndTouchesNothing) {
    const int sizes[][2] = {{3, 4}, {4, 6}, {12, 8}, {8192, 2}, {2, 8192}, {0, 0}, {-4, 4}};
    for (const auto& s : sizes) {
        TDataContainer d(s[0], s[1]);
        if (d.Data()) {
            d.SetValue(s[0] - 1, s[1] - 1, 5.0f);
            d.SetSpectrum(0, 0, 7.0f, -7.0f);
        }
        EXPECT_EQ(d.ForwardTransform(), -1) << s[0] << "x" << s[1];
        EXPECT_EQ(d.InverseTransform(), -1) << s[0] << "x" << s[1];
        if (d.Data()) {
            EXPECT_EQ(d.Value(s[0] - 1, s[1] - 1), 5.0f);
            EXPECT_EQ(SpectrumOf(d, 0, 0), Cd(7, -7));
            EXPECT_EQ(SpectrumOf(d, s[0] - 1, s[1] - 1), Cd(0, 0));
        }
    }
}

// The work is split between workers in slices with their own scratch space: the split must not
// change a single bit, whether one plane uses several workers or several planes run at once.
TEST(Fft, WorkerCountAndConcurrentPlanesDoNotChangeResults) {
    const int w = 1024, h = 256; // large enough to be split
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> uniform(0.0f, 100.0f);
    TDataContainer one(w, h), many(w, h), other(w, h);
    for (int i = 0; i < w * h; ++i)
        one.Data()[i] = many.Data()[i] = other.Data()[i] = uniform(rng);
    one.SetTransformWorkers(1);
    ASSERT_EQ(one.ForwardTransform(), 0);
    std::thread t([&] { other.ForwardTransform(); });
    ASSERT_EQ(many.ForwardTransform(), 0);
    t.join();
    for (int i = 0; i < 2 * w * h; ++i) {
        ASSERT_EQ(many.Spectrum()[i], one.Spectrum()[i]) << i;
        ASSERT_EQ(other.Spectrum()[i], one.Spectrum()[i]) << i;
    }
    ASSERT_EQ(one.InverseTransform(), 0);
    ASSERT_EQ(many.InverseTransform(), 0);
    for (int i = 0; i < w * h; ++i)
        ASSERT_EQ(many.Data()[i], one.Data()[i]) << i;
}

} // namespace
