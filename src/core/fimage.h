#pragma once
// The image document: one open image at full precision, its display bitmap, metadata and the
// display stretch of high-precision grey data.

#include "core/DisplayBitmap.h"
#include "core/FITS.h"
#include "core/ImageKind.h"

#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TExifData;

// FreeImage TIFF save flag for an entry of the TIFF compression list.
int TiffSaveFlag(int compressionIndex);

class TFImage {
public:
    TFImage();
    ~TFImage();
    TFImage(const TFImage&) = delete;
    TFImage& operator=(const TFImage&) = delete;

    std::string FileName;
    int Width = 0;
    int Height = 0;
    std::uint8_t BitsPerPixel = 0;
    int FileFormat = FIF_UNKNOWN;
    FIBITMAP* PixelBitmap = nullptr;
    std::uint32_t LoadStartTime = 0;
    std::uint32_t LoadEndTime = 0;
    TDisplayBitmap DisplayBitmap;
    RGBQUAD* Palette = nullptr;
    unsigned DotsPerMetreX = 0;
    unsigned DotsPerMetreY = 0;
    std::unique_ptr<TExifData> ExifData;
    bool IsHighPrecisionGrey = false;
    TFitsHeader FitsHeader;
    float DisplayLow = 0;
    float DisplayHigh = 0;
    float DataMin = 0;
    float DataMax = 0;

    TImageKind Kind() const { return KindOf(BitsPerPixel, IsHighPrecisionGrey); }
    bool Empty() const { return PixelBitmap == nullptr; }

    // Allocation: 0, or -1 with the fields unchanged.
    int CreateColour(int width, int height, int bitsPerPixel, unsigned dpmX, unsigned dpmY);
    int CreateGrey(int width, int height, int bitsPerPixel, unsigned dpmX, unsigned dpmY);
    int Allocate(bool greyPalette, int width, int height, int bitsPerPixel, unsigned redMask = 0,
                 unsigned greenMask = 0, unsigned blueMask = 0);
    void ReleasePixels();
    void ReadProperties();
    // Takes ownership of a FreeImage bitmap (a converted copy, a pasted image...).
    void AdoptBitmap(FIBITMAP* bitmap, bool highPrecisionGrey);
    // Moves the pixels (and their memory) of another document into this one; source ends empty.
    void TakePixelsFrom(TFImage& source);

    // Files. Loading: negative on failure. Saving: 0 or -1; an empty path means FileName.
    int LoadFromFile(const std::string& path);
    int LoadFits(const std::string& path);
    int SaveToFile(const std::string& path);
    int SaveAsJpeg(const std::string& path, int quality);
    int SaveAsTiff(const std::string& path, int compressionIndex);
    int SaveAsFits(const std::string& path);

    void RefreshDisplay();
    int ComputeDataRange();

    // Clipboard transfer as packed device-independent bitmap bytes (header, palette, rows).
    int LoadFromPackedDib(const std::uint8_t* data, std::size_t size);
    std::vector<std::uint8_t> SaveToPackedDib() const;

    // Pixel accessors: (x, y) with (0, 0) top-left; no bounds checks.
    std::uint8_t* Row(int y) const {
        return bits_ + static_cast<std::ptrdiff_t>(Height - 1 - y) * pitch_;
    }
    std::uint8_t* ScanLine(int storageRow) const;
    unsigned Pitch() const { return pitch_; }

    std::uint8_t Index8At(int x, int y) const { return Row(y)[x]; }
    void IndexColour(int x, int y, std::uint8_t out[3]) const {
        const RGBQUAD& q = Palette[Index8At(x, y)];
        out[0] = q.rgbBlue;
        out[1] = q.rgbGreen;
        out[2] = q.rgbRed;
    }
    void Rgb24At(int x, int y, std::uint8_t out[3]) const {
        const std::uint8_t* p = Row(y) + 3 * x;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    }
    void SetRgb24(int x, int y, std::uint32_t value) const {
        std::uint8_t* p = Row(y) + 3 * x;
        p[0] = value & 0xFF;
        p[1] = (value >> 8) & 0xFF;
        p[2] = (value >> 16) & 0xFF;
    }
    void Rgb48At(int x, int y, std::uint16_t out[3]) const {
        const std::uint16_t* p = reinterpret_cast<const std::uint16_t*>(Row(y)) + 3 * x;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    }
    void SetRgb48(int x, int y, const std::uint16_t value[3]) const {
        std::uint16_t* p = reinterpret_cast<std::uint16_t*>(Row(y)) + 3 * x;
        p[0] = value[0];
        p[1] = value[1];
        p[2] = value[2];
    }
    void RgbFloatAt(int x, int y, float out[3]) const {
        const float* p = reinterpret_cast<const float*>(Row(y)) + 3 * x;
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
    }
    std::uint16_t Grey16At(int x, int y) const {
        return reinterpret_cast<const std::uint16_t*>(Row(y))[x];
    }
    void SetGrey16(int x, int y, std::uint16_t value) const {
        reinterpret_cast<std::uint16_t*>(Row(y))[x] = value;
    }
    float GreyFloatAt(int x, int y) const { return reinterpret_cast<const float*>(Row(y))[x]; }
    void SetGreyFloat(int x, int y, float value) const {
        reinterpret_cast<float*>(Row(y))[x] = value;
    }
    float GreyValue(int x, int y) const {
        switch (Kind()) {
        case TImageKind::Grey16:
            return Grey16At(x, y);
        case TImageKind::GreyFloat:
            return GreyFloatAt(x, y);
        default:
            return 0;
        }
    }
    // Red, green, blue as 16-bit values: RGB24 bytes unscaled, RGB48 words; other kinds untouched.
    void RgbAt(int x, int y, std::uint16_t out[3]) const {
        if (BitsPerPixel == 24 && !IsHighPrecisionGrey) {
            const std::uint8_t* p = Row(y) + 3 * x;
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
        } else if (BitsPerPixel == 48 && !IsHighPrecisionGrey) {
            Rgb48At(x, y, out);
        }
    }
    RGBQUAD* PaletteEntries() const;
    unsigned PaletteSize() const;

private:
    void CacheBits();
    void RefreshGreyDisplay();
    void RefreshFloatColourDisplay();
    void CopyUnscaled(FIBITMAP* source);
    int SaveThroughFreeImage(const std::string& path, FREE_IMAGE_FORMAT format, int flags);

    // Pixels of bitmaps made here live in page-buffer memory: fresh pages from FreeImage's heap
    // cost a fault each, huge pages almost nothing. Empty for bitmaps FreeImage allocated itself.
    FIBITMAP* AllocatePixels(FREE_IMAGE_TYPE type, int width, int height, int bpp,
                             TPageBuffer& memory);
    int CreatePixels(FREE_IMAGE_TYPE type, int width, int height, int bitsPerPixel, unsigned dpmX,
                     unsigned dpmY, bool highPrecisionGrey);
    TPageBuffer pixelMemory_;
    std::uint8_t* bits_ = nullptr;
    unsigned pitch_ = 0;
};
