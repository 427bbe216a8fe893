#include "adjust/HslRows.h"

#include <algorithm>
#include <cstring>

namespace {

// Lanes of the widest vector, the padding of the run buffers.
constexpr int MaxLanes = 4;
static_assert(THslRowMapper::RunBuffer >= THslRowMapper::Run + MaxLanes);

// Two or four pixels at once. Lane-wise operations round exactly as the scalar ones, and a
// select between computed values costs no branch, which random colours would mispredict. The
// helpers take vectors by reference and are always inlined, so the four-lane code exists only
// inside the function compiled for the wider registers.
typedef double V2 __attribute__((vector_size(2 * sizeof(double))));
typedef double V4 __attribute__((vector_size(4 * sizeof(double))));

template <class V> [[gnu::always_inline]] inline void Load(V& v, const double* p) {
    std::memcpy(&v, p, sizeof v);
}

template <class V> [[gnu::always_inline]] inline void Store(double* p, const V& v) {
    std::memcpy(p, &v, sizeof v);
}

// Constants are broadcast as x - V{}: subtracting +0 gives x exactly, -0 included.

// HueToChannel in two halves: whether the channel is on a ramp, with the ramp's numerator (the
// division by 60 comes later), and its value otherwise.
template <class V, class M>
[[gnu::always_inline]] inline void ChannelParts(const V& hue, const V& m2, const V& m1,
                                                V& numerator, V& flat, M& ramp) {
    const V c60 = (60.0 - V{}), c180 = (180.0 - V{}), c240 = (240.0 - V{}), c360 = (360.0 - V{}),
            zero = (0.0 - V{});
    const V down = hue - c360, up = hue + c360;
    const V h = hue > c360 ? down : (hue < zero ? up : hue);
    const V d = m2 - m1;
    const V rising = d * h, falling = d * (c240 - h);
    numerator = h < c60 ? rising : falling;
    ramp = (h < c60) | ((h < c240) & ~(h < c180));
    flat = h < c180 ? m2 : m1;
}

// The channels (0..1 in, 0..M out) of count pixels, in place; count is padded to the lanes.
// Each value is computed by the very operations of AdjustHsl, in the same order.
template <class V>
[[gnu::always_inline]] inline void MapLanes(const THslConstants& k, double* red, double* green,
                                            double* blue, int count) {
    constexpr int Lanes = sizeof(V) / sizeof(double);
    const V zero = (0.0 - V{}), one = (1.0 - V{}), half = (0.5 - V{}), two = (2.0 - V{});
    const V c60 = (60.0 - V{}), c120 = (120.0 - V{}), c240 = (240.0 - V{}), c360 = (360.0 - V{});
    const V saturation = (k.Saturation - V{}), hueShift = (k.Hue - V{});
    const V m = (k.M - V{}), w = (k.W - V{}), mv = (k.MV - V{});
    for (int i = 0; i < count; i += Lanes) {
        V r, g, b;
        Load(r, red + i);
        Load(g, green + i);
        Load(b, blue + i);
        // std::max and std::min of the list: ties keep the first.
        V max = r, min = r;
        max = max < g ? g : max;
        max = max < b ? b : max;
        min = g < min ? g : min;
        min = b < min ? b : min;
        V l = (max + min) / two;
        const auto grey = max == min;
        const V delta = max - min;
        const V sum = max + min, rest = two - max - min;
        const V sat = delta / (l <= half ? sum : rest);
        const V fromRed = (g - b) * c60, fromGreen = (b - r) * c60, fromBlue = (r - g) * c60;
        const V q = (r == max ? fromRed : g == max ? fromGreen : fromBlue) / delta;
        const V q120 = q + c120, q240 = q + c240;
        V h = r == max ? q : g == max ? q120 : q240;
        V wrapped = h + c360;
        h = h < zero ? wrapped : h;
        V s = sat + saturation;
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
        const V dark = l * (one + s), bright = l + s - l * s;
        const V m2 = l <= half ? dark : bright;
        const V m1 = two * l - m2;
        const auto flat = s == zero;
        // A hue has one channel on a ramp (or none), so one division serves the pixel;
        // settings far outside their range can put two there, which take one each.
        const V hues[3] = {h + c120, h, h - c120};
        V numerator[3], out[3];
        decltype(h < h) ramp[3];
        for (int c = 0; c < 3; ++c)
            ChannelParts(hues[c], m2, m1, numerator[c], out[c], ramp[c]);
        const auto ramps = ramp[0] + ramp[1] + ramp[2]; // 0 to -3
        bool single = true;
        for (int j = 0; j < Lanes; ++j)
            single = single && ramps[j] >= -1;
        if (single) {
            const V value = m1 + (ramp[0]   ? numerator[0]
                                  : ramp[1] ? numerator[1]
                                            : numerator[2]) /
                                     c60;
            for (int c = 0; c < 3; ++c)
                out[c] = ramp[c] ? value : out[c];
        } else {
            for (int c = 0; c < 3; ++c)
                out[c] = ramp[c] ? m1 + numerator[c] / c60 : out[c];
        }
        // Back to 0..M, blended towards white or black, limited.
        for (V& c : out) {
            c = flat ? l : c;
            c *= m;
            if (k.Lambda > 0)
                c = (c * w + mv) / m;
            else if (k.Lambda != 0)
                c = c * w / m;
            c = c > m ? m : c >= zero ? c : zero;
        }
        Store(red + i, out[0]);
        Store(green + i, out[1]);
        Store(blue + i, out[2]);
    }
}

void MapLanes2(const THslConstants& k, double* red, double* green, double* blue, int count) {
    MapLanes<V2>(k, red, green, blue, count);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
// Without fused multiply-add, so every operation still rounds on its own.
__attribute__((target("avx"))) void MapLanes4(const THslConstants& k, double* red, double* green,
                                              double* blue, int count) {
    MapLanes<V4>(k, red, green, blue, count);
}

bool HasAvx() {
    static const bool has = __builtin_cpu_supports("avx");
    return has;
}
#else
void MapLanes4(const THslConstants& k, double* red, double* green, double* blue, int count) {
    MapLanes<V2>(k, red, green, blue, count);
}

bool HasAvx() {
    return false;
}
#endif

} // namespace

THslRowMapper::THslRowMapper(const THSIParams& params, double fullScale, bool wide)
    : m_(fullScale), wide_(wide && HasAvx()) {
    k_.M = fullScale;
    k_.Saturation = params.Saturation / 100.0;
    k_.Hue = params.Hue;
    k_.Lambda = params.Lightness / 100.0;
    const float v = static_cast<float>(m_ * (k_.Lambda > 0 ? k_.Lambda : -k_.Lambda));
    const float w = static_cast<float>(m_ - v);
    k_.W = w;
    k_.MV = m_ * v;
}

void THslRowMapper::Map(const float* rgb, int count, double* out) const {
    double red[RunBuffer], green[RunBuffer], blue[RunBuffer];
    for (int x = 0; x < count; x += Run) {
        const int n = std::min(Run, count - x);
        MapRun(rgb + 3 * x, n, red, green, blue);
        for (int i = 0; i < n; ++i) {
            out[3 * (x + i)] = red[i];
            out[3 * (x + i) + 1] = green[i];
            out[3 * (x + i) + 2] = blue[i];
        }
    }
}

void THslRowMapper::MapRun(const float* rgb, int count, double* red, double* green,
                           double* blue) const {
    for (int i = 0; i < count; ++i) {
        red[i] = rgb[3 * i] / m_;
        green[i] = rgb[3 * i + 1] / m_;
        blue[i] = rgb[3 * i + 2] / m_;
    }
    for (int i = count; i < count + MaxLanes; ++i) // spare lanes, computed and dropped
        red[i] = green[i] = blue[i] = 0;
    (wide_ ? MapLanes4 : MapLanes2)(k_, red, green, blue, count);
}
