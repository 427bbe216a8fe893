#include "support/ImageFixtures.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

std::unique_ptr<TFImage> MakeGrey16(int width, int height,
                                    const std::function<std::uint16_t(int, int)>& value) {
    auto image = std::make_unique<TFImage>();
    image->CreateGrey(width, height, 16, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetGrey16(x, y, value(x, y));
    image->ComputeDataRange();
    image->RefreshDisplay();
    return image;
}

std::unique_ptr<TFImage> MakeGreyFloat(int width, int height,
                                       const std::function<float(int, int)>& value) {
    auto image = std::make_unique<TFImage>();
    image->CreateGrey(width, height, 32, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetGreyFloat(x, y, value(x, y));
    image->ComputeDataRange();
    image->RefreshDisplay();
    return image;
}

std::unique_ptr<TFImage>
MakeRgb24(int width, int height,
          const std::function<std::array<std::uint8_t, 3>(int, int)>& value) {
    auto image = std::make_unique<TFImage>();
    image->CreateColour(width, height, 24, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto c = value(x, y);
            image->SetRgb24(x, y, (c[0] << 16) | (c[1] << 8) | c[2]);
        }
    image->RefreshDisplay();
    return image;
}

std::unique_ptr<TFImage>
MakeRgb48(int width, int height,
          const std::function<std::array<std::uint16_t, 3>(int, int)>& value) {
    auto image = std::make_unique<TFImage>();
    image->CreateColour(width, height, 48, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto c = value(x, y);
            image->SetRgb48(x, y, c.data());
        }
    image->RefreshDisplay();
    return image;
}

std::unique_ptr<TFImage> CopyOf(const TFImage& image) {
    auto copy = std::make_unique<TFImage>();
    copy->AdoptBitmap(FreeImage_Clone(image.PixelBitmap), image.IsHighPrecisionGrey);
    return copy;
}

bool SamePixels(const TFImage& a, const TFImage& b) {
    if (a.Kind() != b.Kind() || a.Width != b.Width || a.Height != b.Height ||
        a.BitsPerPixel != b.BitsPerPixel)
        return false;
    const std::size_t rowBytes = (static_cast<std::size_t>(a.Width) * a.BitsPerPixel + 7) / 8;
    for (int y = 0; y < a.Height; ++y)
        if (std::memcmp(a.Row(y), b.Row(y), rowBytes) != 0)
            return false;
    return true;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}
