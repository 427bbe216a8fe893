#include "adjust/ColourConversions.h"

#include <algorithm>

namespace {

// Hue of a saturated colour from its largest channel, in 0..360.
double HueOf(double r, double g, double b, double max, double delta) {
    double h;
    if (r == max)
        h = (g - b) * 60 / delta;
    else if (g == max)
        h = (b - r) * 60 / delta + 120;
    else
        h = (r - g) * 60 / delta + 240;
    return h < 0 ? h + 360 : h;
}

} // namespace

void RgbToHsl(double r, double g, double b, double& h, double& l, double& s) {
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    l = (max + min) / 2;
    if (max == min) {
        s = 0;
        h = UndefinedHue;
        return;
    }
    const double delta = max - min;
    s = l <= 0.5 ? delta / (max + min) : delta / (2 - max - min);
    h = HueOf(r, g, b, max, delta);
}

double HueToChannel(double h, double m2, double m1) {
    if (h > 360)
        h -= 360;
    else if (h < 0)
        h += 360;
    if (h < 60)
        return m1 + (m2 - m1) * h / 60;
    if (h < 180)
        return m2;
    if (h < 240)
        return m1 + (m2 - m1) * (240 - h) / 60;
    return m1;
}

void HslToRgb(double h, double l, double s, double& r, double& g, double& b) {
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    if (s != 0) {
        r = HueToChannel(h + 120, m2, m1);
        g = HueToChannel(h, m2, m1);
        b = HueToChannel(h - 120, m2, m1);
    } else if (IsUndefinedHue(h)) {
        r = g = b = l;
    }
}

void RgbToHsv(double r, double g, double b, double& h, double& s, double& v) {
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double delta = max - min;
    v = max;
    s = max == 0 ? 0 : delta / max;
    h = s == 0 ? UndefinedHue : HueOf(r, g, b, max, delta);
    v /= 255;
}

void HsvToRgb(double h, double s, double v, double& r, double& g, double& b) {
    if (s == 0) {
        if (IsUndefinedHue(h))
            r = g = b = v;
        return;
    }
    double hh = h == 360 ? 0 : h;
    hh /= 60;
    const double i = std::trunc(hh);
    // A hue outside 0..360 (or NaN) leaves the outputs as they were.
    if (!(i >= 0 && i <= 5))
        return;
    const double f = hh - i;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (static_cast<int>(i)) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    case 5:
        r = v, g = p, b = q;
        break;
    default:
        break;
    }
}
