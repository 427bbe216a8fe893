#include "adjust/CurvesHelper.h"

#include "adjust/AdjustPass.h"
#include "core/Numeric.h"

#include <algorithm>

TCurveHelper::TCurveHelper(const std::vector<TCurveXY>& points, float fullScale)
    : fullScale_(fullScale) {
    std::vector<TCurveXY> scaled(points.begin(),
                                 points.begin() + std::min<std::size_t>(points.size(), MaxPoints));
    for (TCurveXY& p : scaled) {
        p.X = static_cast<int>(RoundEven(p.X * static_cast<double>(fullScale) / 255.0));
        p.Y = static_cast<int>(RoundEven(p.Y * static_cast<double>(fullScale) / 255.0));
    }
    std::stable_sort(scaled.begin(), scaled.end(),
                     [](const TCurveXY& a, const TCurveXY& b) { return a.X < b.X; });
    // A run of equal x keeps its first and last point: the step they make.
    for (std::size_t k = 0; k < scaled.size(); ++k) {
        const bool inner = k > 0 && k + 1 < scaled.size() && scaled[k - 1].X == scaled[k].X &&
                           scaled[k + 1].X == scaled[k].X;
        if (inner)
            continue;
        x_.push_back(scaled[k].X);
        y_.push_back(scaled[k].Y);
    }

    // Second derivatives of the natural spline.
    const int n = Count();
    y2_.assign(n, 0.0);
    std::vector<double> u(n, 0.0);
    for (int k = 1; k + 1 < n; ++k) {
        const double sig = (x_[k] - x_[k - 1]) / (x_[k + 1] - x_[k - 1]);
        const double p = sig * y2_[k - 1] + 2;
        y2_[k] = (sig - 1) / p;
        double d;
        if (x_[k + 1] == x_[k] || x_[k] == x_[k - 1])
            d = (y_[k + 1] - y_[k]) / (x_[k + 1] - x_[k] + 1) -
                (y_[k] - y_[k - 1]) / (x_[k] - x_[k - 1] + 1);
        else
            d = (y_[k + 1] - y_[k]) / (x_[k + 1] - x_[k]) -
                (y_[k] - y_[k - 1]) / (x_[k] - x_[k - 1]);
        u[k] = (6 * d / (x_[k + 1] - x_[k - 1]) - sig * u[k - 1]) / p;
    }
    if (n > 0)
        y2_[n - 1] = 0;
    for (int k = n - 2; k >= 0; --k)
        y2_[k] = y2_[k] * y2_[k + 1] + u[k];
}

double TCurveHelper::Segment(int lo, double i) const {
    const int hi = lo + 1;
    const double h = x_[hi] - x_[lo];
    if (h == 0)
        return y_[hi]; // the input at a step takes its later point
    const double a = (x_[hi] - i) / h;
    const double b = (i - x_[lo]) / h;
    return a * y_[lo] + b * y_[hi] +
           ((a * a * a - a) * y2_[lo] + (b * b * b - b) * y2_[hi]) * h * h / 6;
}

double TCurveHelper::Interpolate(double i) const {
    const int n = Count();
    if (n == 0)
        return 0;
    if (n == 1)
        return y_[0];
    int lo = 0, hi = n - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (i < x_[mid])
            hi = mid;
        else
            lo = mid;
    }
    return Segment(lo, i);
}

void TCurveHelper::BuildTable(float* table) const {
    const int n = Count();
    const int last = std::clamp(static_cast<int>(RoundEven(fullScale_)), 0, AdjustTableSize - 1);
    if (n < 2) {
        std::fill(table, table + AdjustTableSize, static_cast<float>(Interpolate(0)));
        return;
    }
    // Inputs rise one by one, so the segment is found by walking instead of by bisection: the
    // segment is the last one whose left x is at most i (the bisection's answer).
    int lo = 0;
    for (int i = 0; i <= last; ++i) {
        while (lo + 2 < n && x_[lo + 1] <= i)
            ++lo;
        table[i] = static_cast<float>(Segment(lo, i));
    }
    std::fill(table + last + 1, table + AdjustTableSize, table[last]);
}
