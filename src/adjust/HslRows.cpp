#include "adjust/HslRows.h"

#include <algorithm>
#include <cstring>

namespace {

// Pixels per stage; the stage buffers live on the stack.
constexpr int Chunk = 256;

// Two pixels at once. Lane-wise operations round exactly as the scalar ones, and a select
// between computed values costs no branch, which random colours would mispredict.
typedef double V2 __attribute__((vector_size(2 * sizeof(double))));

inline V2 Splat(double v) {
    return V2{v, v};
}

inline V2 Load(const double* p) {
    V2 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(double* p, V2 v) {
    std::memcpy(p, &v, sizeof v);
}

// HueToChannel; both ramps share one division.
inline V2 Channel(V2 h, V2 m2, V2 m1) {
    const V2 c60 = Splat(60), c180 = Splat(180), c240 = Splat(240), c360 = Splat(360);
    const V2 down = h - c360, up = h + c360;
    h = h > c360 ? down : (h < 0 ? up : h);
    const V2 d = m2 - m1;
    const V2 rising = d * h, falling = d * (c240 - h);
    const V2 ramp = m1 + (h < c60 ? rising : falling) / c60;
    return h < c60 ? ramp : h < c180 ? m2 : h < c240 ? ramp : m1;
}

} // namespace

THslRowMapper::THslRowMapper(const THSIParams& params, double fullScale)
    : params_(params), m_(fullScale), saturation_(params.Saturation / 100.0),
      lambda_(params.Lightness / 100.0) {
    v_ = static_cast<float>(m_ * (lambda_ > 0 ? lambda_ : -lambda_));
    w_ = static_cast<float>(m_ - v_);
    mv_ = m_ * v_;
    if (m_ >= 0 && m_ <= 65535) {
        unit_.resize(static_cast<std::size_t>(m_) + 1);
        for (std::size_t i = 0; i < unit_.size(); ++i)
            unit_[i] = static_cast<double>(i) / m_;
    }
}

double THslRowMapper::Unit(float v) const {
    if (v > 0 && v < static_cast<float>(unit_.size())) {
        const auto i = static_cast<std::size_t>(v);
        if (static_cast<float>(i) == v)
            return unit_[i];
    }
    return v / m_;
}

void THslRowMapper::Map(const float* rgb, int count, double* out) const {
    for (int x = 0; x < count; x += Chunk)
        MapChunk(rgb + 3 * x, std::min(Chunk, count - x), out + 3 * x);
}

// Each value is computed by the very operations of AdjustHsl, in the same order.
void THslRowMapper::MapChunk(const float* rgb, int count, double* out) const {
    double red[Chunk + 1], green[Chunk + 1], blue[Chunk + 1];
    for (int i = 0; i < count; ++i) {
        red[i] = Unit(rgb[3 * i]);
        green[i] = Unit(rgb[3 * i + 1]);
        blue[i] = Unit(rgb[3 * i + 2]);
    }
    if (count % 2 != 0) // a spare lane, computed and dropped
        red[count] = green[count] = blue[count] = 0;

    const V2 zero = Splat(0), one = Splat(1), half = Splat(0.5), two = Splat(2);
    const V2 c60 = Splat(60), c120 = Splat(120), c240 = Splat(240), c360 = Splat(360);
    const V2 saturation = Splat(saturation_), hueShift = Splat(params_.Hue);
    for (int i = 0; i < count; i += 2) {
        const V2 r = Load(red + i), g = Load(green + i), b = Load(blue + i);
        // std::max and std::min of the list: ties keep the first.
        V2 max = r, min = r;
        max = max < g ? g : max;
        max = max < b ? b : max;
        min = g < min ? g : min;
        min = b < min ? b : min;
        V2 l = (max + min) / two;
        const auto grey = max == min;
        const V2 delta = max - min;
        const V2 sum = max + min, rest = two - max - min;
        const V2 sat = delta / (l <= half ? sum : rest);
        const V2 fromRed = (g - b) * c60, fromGreen = (b - r) * c60, fromBlue = (r - g) * c60;
        const V2 q = (r == max ? fromRed : g == max ? fromGreen : fromBlue) / delta;
        const V2 q120 = q + c120, q240 = q + c240;
        V2 h = r == max ? q : g == max ? q120 : q240;
        V2 wrapped = h + c360;
        h = h < zero ? wrapped : h;
        V2 s = sat + saturation;
        h += hueShift;
        wrapped = h + c360;
        h = h < zero ? wrapped : h;
        wrapped = h - c360;
        h = h > c360 ? wrapped : h;
        s = s > one ? one : s;
        s = s >= zero ? s : zero;
        s = grey ? zero : s;
        l = l > one ? one : l;
        l = l >= zero ? l : zero;
        const V2 dark = l * (one + s), bright = l + s - l * s;
        const V2 m2 = l <= half ? dark : bright;
        const V2 m1 = two * l - m2;
        const auto flat = s == zero;
        Store(red + i, flat ? l : Channel(h + c120, m2, m1));
        Store(green + i, flat ? l : Channel(h, m2, m1));
        Store(blue + i, flat ? l : Channel(h - c120, m2, m1));
    }

    // Back to 0..M, blended towards white or black.
    for (double* c : {red, green, blue}) {
        for (int i = 0; i < count; ++i)
            c[i] *= m_;
        const double w = w_;
        if (lambda_ > 0) {
            for (int i = 0; i < count; ++i)
                c[i] = (c[i] * w + mv_) / m_;
        } else if (lambda_ != 0) {
            for (int i = 0; i < count; ++i)
                c[i] = c[i] * w / m_;
        }
        for (int i = 0; i < count; ++i)
            c[i] = c[i] > m_ ? m_ : !(c[i] >= 0) ? 0 : c[i];
    }
    for (int i = 0; i < count; ++i) {
        out[3 * i] = red[i];
        out[3 * i + 1] = green[i];
        out[3 * i + 2] = blue[i];
    }
}
