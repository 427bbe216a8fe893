#include "deconv/Psf.h"

#include "core/DataContainer.h"
#include "core/DisplayBitmap.h"
#include "core/Messages.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

double PsfValue(PsfKind kind, int dx, int dy, double sigma, double kurtosis) {
    const double s = sigma;
    const double r2 = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
    switch (kind) {
    case PsfKind::Gaussian:
        return std::exp(-r2 / (2.0 * s * s));
    case PsfKind::Exponential:
        return std::exp(-std::abs(dx) / (s * s)) * std::exp(-std::abs(dy) / (s * s));
    case PsfKind::Cauchy: {
        const double q = r2 / s;
        return 1.0 / (1.0 + q * q);
    }
    case PsfKind::Moffat: {
        const double q = r2 / s;
        return std::pow(1.0 + q * q, -kurtosis);
    }
    }
    return 0.0;
}

std::unique_ptr<TDataContainer> BuildPsf(PsfKind kind, int width, int height, float sigma,
                                         float kurtosis) {
    try {
        auto plane = std::make_unique<TDataContainer>(width, height);
        const int cx = width / 2, cy = height / 2;
        for (int y = 0; y < height; ++y) {
            const int dy = y - cy;
            const int py = ((dy % height) + height) % height;
            for (int x = 0; x < width; ++x) {
                const int dx = x - cx;
                const int px = ((dx % width) + width) % width;
                plane->SetValue(px, py,
                                static_cast<float>(PsfValue(kind, dx, dy, sigma, kurtosis)));
            }
        }
        return plane;
    } catch (...) {
        ReportError(ErrBuildPsf);
        return nullptr;
    }
}

std::unique_ptr<TDisplayBitmap> DrawPsfPreview(PsfKind kind, int width, int height, float sigma,
                                               float kurtosis) {
    try {
        auto bitmap = std::make_unique<TDisplayBitmap>();
        bitmap->SetSize(width, height);
        const int cx = width / 2, cy = height / 2;
        for (int y = 0; y < std::min(height, 64); ++y) {
            std::uint8_t* row = bitmap->Row(y);
            for (int x = 0; x < std::min(width, 64); ++x) {
                const float value =
                    static_cast<float>(PsfValue(kind, x - cx, y - cy, sigma, kurtosis));
                const double g = std::clamp(RoundEven(255.0 * value), 0.0, 255.0);
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = static_cast<std::uint8_t>(g);
            }
        }
        return bitmap;
    } catch (...) {
        ReportError(ErrDrawPsfPreview);
        return nullptr;
    }
}

std::optional<PsfKind> PsfKindFromName(const std::string& name) {
    const char* const names[] = {"gaussian", "exponential", "cauchy", "moffat"};
    for (int i = 0; i < 4; ++i)
        if (name == names[i])
            return static_cast<PsfKind>(i);
    return std::nullopt;
}

int PaddedFftSize(int n) {
    if (n < 0 || n > 8192)
        return n;
    int side = 64;
    while (side < n)
        side *= 2;
    return side;
}
