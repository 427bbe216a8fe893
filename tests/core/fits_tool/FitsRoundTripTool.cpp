// Test helper for the astropy round trip: writes fixed images through the document's FITS save,
// and prints what the document reads from a FITS file as JSON.

#include "core/fimage.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Width = 7, Height = 5;

// The same patterns are computed by fits_astropy_roundtrip.py.
std::uint16_t Pattern16(int x, int y) {
    if (x == 0 && y == 0)
        return 0;
    if (x == 1 && y == 0)
        return 65535;
    return static_cast<std::uint16_t>((x * 9973 + y * 13007) % 65536);
}

float Pattern32(int x, int y) {
    if (x == 0 && y == 0)
        return NAN;
    return static_cast<float>((x - 3) * 1.25 + y * 1000.5);
}

int Write(bool words, const char* path) {
    TFImage image;
    if (image.CreateGrey(Width, Height, words ? 16 : 32, 0, 0) < 0)
        return 1;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (words)
                image.SetGrey16(x, y, Pattern16(x, y));
            else
                image.SetGreyFloat(x, y, Pattern32(x, y));
        }
    return image.SaveAsFits(path) < 0 ? 1 : 0;
}

int Read(const char* path) {
    TFImage image;
    if (image.LoadFromFile(path) < 0)
        return 1;
    const bool words = image.BitsPerPixel == 16;
    std::printf("{\"width\": %d, \"height\": %d, \"kind\": \"%s\", \"rows\": [", image.Width,
                image.Height, words ? "Grey16" : "GreyFloat");
    for (int y = 0; y < image.Height; ++y) {
        std::printf("%s[", y ? ", " : "");
        for (int x = 0; x < image.Width; ++x) {
            const float v = words ? image.Grey16At(x, y) : image.GreyFloatAt(x, y);
            if (std::isnan(v))
                std::printf("%snull", x ? ", " : "");
            else
                std::printf("%s%.9g", x ? ", " : "", v);
        }
        std::printf("]");
    }
    std::printf("]}\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5) { // write16|write32 FILE WIDTH HEIGHT
        Width = std::atoi(argv[3]);
        Height = std::atoi(argv[4]);
        argc = 3;
    }
    if (argc == 3 && std::strcmp(argv[1], "write16") == 0)
        return Write(true, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "write32") == 0)
        return Write(false, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "read") == 0)
        return Read(argv[2]);
    std::fprintf(stderr, "usage: zelvane_fits_roundtrip_tool write16|write32 FILE [WIDTH HEIGHT]\n"
                         "       zelvane_fits_roundtrip_tool read FILE\n");
    return 2;
}
