// Writes the bundled sample: a synthetic 16-bit star field with sky glow, noise and a faint
// nebula, saved through the program's own FITS writer.

#include "core/fimage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelvane-make-sample OUT.fits\n");
        return 2;
    }
    constexpr int width = 640, height = 480;
    std::vector<double> sky(static_cast<std::size_t>(width) * height);
    std::mt19937 random(20261211);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - 420.0) / 90.0, dy = (y - 170.0) / 60.0;
            const double nebula = 2600.0 * std::exp(-(dx * dx + dy * dy)) *
                                  (0.7 + 0.3 * std::sin(x * 0.05 + y * 0.03));
            sky[static_cast<std::size_t>(y) * width + x] = 1200.0 + 0.8 * y + nebula;
        }
    // Stars: a power law of brightness, a slightly soft Gaussian profile.
    for (int i = 0; i < 260; ++i) {
        const double cx = uniform(random) * width, cy = uniform(random) * height;
        const double flux = 1800.0 * std::pow(uniform(random) + 0.05, -1.2);
        const double sigma = 1.1 + 0.5 * uniform(random);
        const int r = static_cast<int>(std::ceil(sigma * 5));
        for (int y = std::max(0, int(cy) - r); y <= std::min(height - 1, int(cy) + r); ++y)
            for (int x = std::max(0, int(cx) - r); x <= std::min(width - 1, int(cx) + r); ++x) {
                const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                sky[static_cast<std::size_t>(y) * width + x] +=
                    flux / (2 * M_PI * sigma * sigma) * std::exp(-d2 / (2 * sigma * sigma));
            }
    }
    TFImage image;
    if (image.CreateGrey(width, height, 16, 0, 0) < 0)
        return 1;
    std::normal_distribution<double> noise(0.0, 1.0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double v = sky[static_cast<std::size_t>(y) * width + x];
            const double sample = v + std::sqrt(v) * noise(random);
            image.SetGrey16(x, y, static_cast<std::uint16_t>(std::clamp(sample, 0.0, 65535.0)));
        }
    return image.SaveAsFits(argv[1]) < 0 ? 1 : 0;
}
