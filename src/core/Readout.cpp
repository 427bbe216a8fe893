#include "core/Readout.h"

#include "core/fimage.h"

#include <cmath>
#include <cstdio>

namespace {

// Fixed decimals, as "0.000" formats.
std::string Fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string Triple(const std::string& r, const std::string& g, const std::string& b) {
    std::string text = " [R: ";
    text.append(r).append(", G: ").append(g).append(", B: ").append(b).append("]");
    return text;
}

std::string Bracketed(const std::string& value) {
    std::string text = "[";
    text.append(value).append("]");
    return text;
}

} // namespace

std::string ImageSizeText(int width, int height, int bitsPerPixel) {
    char text[80];
    std::snprintf(text, sizeof text, "%d x %d x %d BPP", width, height, bitsPerPixel);
    return text;
}

std::string ZoomText(float factor) {
    // "####.##": optional digits only, so trailing zeros, a bare point and a lone 0 go.
    std::string text = Fixed(static_cast<double>(factor) * 100.0, 2);
    while (!text.empty() && text.back() == '0' && text.find('.') != std::string::npos)
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    std::size_t start = 0;
    if (text.size() > 1 && text[0] == '0' && text[1] == '.')
        start = 1;
    if (text == "0")
        start = 1;
    return text.substr(start).append("%");
}

std::string PositionText(int x, int y) {
    char text[64];
    std::snprintf(text, sizeof text, "X: %d, Y: %d", x, y);
    return text;
}

std::string PixelValueText(const TFImage& image, int x, int y) {
    if (image.Empty() || x < 0 || y < 0 || x >= image.Width || y >= image.Height)
        return {};
    switch (image.Kind()) {
    case TImageKind::Indexed8: {
        std::uint8_t bgr[3] = {0, 0, 0};
        if (image.Palette)
            image.IndexColour(x, y, bgr);
        char index[16];
        std::snprintf(index, sizeof index, " (%d) ", image.Index8At(x, y));
        return std::string(index).append(
            Triple(std::to_string(bgr[2]), std::to_string(bgr[1]), std::to_string(bgr[0])));
    }
    case TImageKind::RGB24:
    case TImageKind::RGB48: {
        std::uint16_t rgb[3] = {0, 0, 0};
        image.RgbAt(x, y, rgb);
        return Triple(std::to_string(rgb[0]), std::to_string(rgb[1]), std::to_string(rgb[2]));
    }
    case TImageKind::Grey16:
        return Bracketed(std::to_string(image.Grey16At(x, y)));
    case TImageKind::GreyFloat:
        return Bracketed(Fixed(image.GreyFloatAt(x, y), 3));
    case TImageKind::Other:
        if (image.BitsPerPixel == 96 && FreeImage_GetImageType(image.PixelBitmap) == FIT_RGBF) {
            float rgb[3];
            image.RgbFloatAt(x, y, rgb);
            return Triple(Fixed(rgb[0], 4), Fixed(rgb[1], 4), Fixed(rgb[2], 4));
        }
        return {};
    }
    return {};
}

bool PixelUnderPointer(const TFImage& image, float zoom, int pointerX, int pointerY, int& x,
                       int& y) {
    if (zoom <= 0)
        return false;
    const double px = std::trunc(pointerX / static_cast<double>(zoom));
    const double py = std::trunc(pointerY / static_cast<double>(zoom));
    if (px < 0 || py < 0 || px > image.Width - 1 || py > image.Height - 1)
        return false;
    x = static_cast<int>(px);
    y = static_cast<int>(py);
    return true;
}
