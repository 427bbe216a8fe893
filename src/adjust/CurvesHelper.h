#pragma once
// A natural cubic spline through control points, and the lookup table built from it.
//
// Points sharing an x form a step: inputs below that x follow the curve into the first of them,
// the input x itself and those above start from the last; any between are ignored. This keeps
// every division defined, whatever points the editor or the scaling to the table's range produce.

#include <vector>

struct TCurveXY {
    int X = 0, Y = 0;
};

class TCurveHelper {
public:
    static constexpr int MaxPoints = 256;

    // points in any order (at most MaxPoints are used), on the 0..255 scale; each is scaled to
    // fullScale as x := Round(x * M / 255), y := Round(y * M / 255).
    TCurveHelper(const std::vector<TCurveXY>& points, float fullScale);

    // Entries 0..Round(M) from the spline; the entries above repeat the last one. The table
    // holds 65536 entries.
    void BuildTable(float* table) const;
    // The spline at input i (scaled terms).
    double Interpolate(double i) const;
    int Count() const { return static_cast<int>(x_.size()); }

private:
    double Segment(int lo, double i) const;

    std::vector<double> x_, y_, y2_;
    float fullScale_;
};
