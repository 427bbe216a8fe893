#include "core/fimage.h"

#include "core/AtomicFile.h"
#include "core/ExifData.h"
#include "core/FileTypes.h"
#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/platform/Tick.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <new>
#include <utility>

namespace {

// FreeImage reports through a callback; its texts are not ours to show.
void QuietFreeImage(FREE_IMAGE_FORMAT, const char*) {}

// libtiff prints every tag it does not know (EXIF and GeoTIFF tags of ordinary files) to stderr;
// FreeImage reports real failures by returning no bitmap.
void QuietTiff(const char*, const char*, va_list) {}

struct TFreeImageSetup {
    TFreeImageSetup() {
        FreeImage_SetOutputMessage(QuietFreeImage);
        TIFFSetErrorHandler(QuietTiff);
        TIFFSetWarningHandler(QuietTiff);
    }
};

void EnsureFreeImage() {
    static TFreeImageSetup setup;
}

// A FreeImage bitmap that frees itself.
struct TTempBitmap {
    FIBITMAP* Bitmap;
    explicit TTempBitmap(FIBITMAP* bitmap) : Bitmap(bitmap) {}
    ~TTempBitmap() {
        if (Bitmap)
            FreeImage_Unload(Bitmap);
    }
    TTempBitmap(const TTempBitmap&) = delete;
    TTempBitmap& operator=(const TTempBitmap&) = delete;
};

constexpr double RangeMinimumStart = 2e32;

} // namespace

TFImage::TFImage() : ExifData(std::make_unique<TExifData>()) {
    EnsureFreeImage();
}

TFImage::~TFImage() {
    if (PixelBitmap)
        FreeImage_Unload(PixelBitmap);
}

void TFImage::CacheBits() {
    bits_ = PixelBitmap ? FreeImage_GetBits(PixelBitmap) : nullptr;
    pitch_ = PixelBitmap ? FreeImage_GetPitch(PixelBitmap) : 0;
}

void TFImage::ReadProperties() {
    if (!PixelBitmap) {
        Width = Height = 0;
        BitsPerPixel = 0;
        CacheBits();
        return;
    }
    Width = static_cast<int>(FreeImage_GetWidth(PixelBitmap));
    Height = static_cast<int>(FreeImage_GetHeight(PixelBitmap));
    BitsPerPixel = static_cast<std::uint8_t>(FreeImage_GetBPP(PixelBitmap));
    DotsPerMetreX = FreeImage_GetDotsPerMeterX(PixelBitmap);
    DotsPerMetreY = FreeImage_GetDotsPerMeterY(PixelBitmap);
    CacheBits();
}

void TFImage::ReleasePixels() {
    if (PixelBitmap)
        FreeImage_Unload(PixelBitmap);
    PixelBitmap = nullptr;
    pixelMemory_.Release();
    Palette = nullptr;
    Width = Height = 0;
    BitsPerPixel = 0;
    CacheBits();
}

void TFImage::AdoptBitmap(FIBITMAP* bitmap, bool highPrecisionGrey) {
    if (PixelBitmap && PixelBitmap != bitmap) {
        FreeImage_Unload(PixelBitmap);
        pixelMemory_.Release();
    }
    PixelBitmap = bitmap;
    Palette = nullptr;
    IsHighPrecisionGrey = highPrecisionGrey;
    ReadProperties();
}

void TFImage::TakePixelsFrom(TFImage& source) {
    if (&source == this)
        return;
    FIBITMAP* bitmap = std::exchange(source.PixelBitmap, nullptr);
    TPageBuffer memory = std::move(source.pixelMemory_);
    const bool grey = source.IsHighPrecisionGrey;
    source.ReleasePixels();
    AdoptBitmap(bitmap, grey);
    pixelMemory_ = std::move(memory);
}

FIBITMAP* TFImage::AllocatePixels(FREE_IMAGE_TYPE type, int width, int height, int bpp,
                                  TPageBuffer& memory) {
    if (width <= 0 || height <= 0)
        return nullptr;
    const std::size_t pitch = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    if (pitch > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return nullptr;
    try {
        memory = TPageBuffer(pitch * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBitsEx(FALSE, memory.As<BYTE>(), type, width, height,
                                                      static_cast<int>(pitch), bpp, 0, 0, 0, FALSE);
    if (!bitmap)
        memory.Release();
    return bitmap;
}

int TFImage::CreatePixels(FREE_IMAGE_TYPE type, int width, int height, int bitsPerPixel,
                          unsigned dpmX, unsigned dpmY, bool highPrecisionGrey) {
    TPageBuffer memory;
    FIBITMAP* bitmap = AllocatePixels(type, width, height, bitsPerPixel, memory);
    if (!bitmap)
        return -1;
    FreeImage_SetDotsPerMeterX(bitmap, dpmX);
    FreeImage_SetDotsPerMeterY(bitmap, dpmY);
    AdoptBitmap(bitmap, highPrecisionGrey);
    pixelMemory_ = std::move(memory);
    return 0;
}

int TFImage::CreateColour(int width, int height, int bitsPerPixel, unsigned dpmX, unsigned dpmY) {
    if (bitsPerPixel != 24 && bitsPerPixel != 48)
        return -1;
    return CreatePixels(bitsPerPixel == 24 ? FIT_BITMAP : FIT_RGB16, width, height, bitsPerPixel,
                        dpmX, dpmY, IsHighPrecisionGrey);
}

int TFImage::CreateGrey(int width, int height, int bitsPerPixel, unsigned dpmX, unsigned dpmY) {
    if (bitsPerPixel != 16 && bitsPerPixel != 32)
        return -1;
    return CreatePixels(bitsPerPixel == 16 ? FIT_UINT16 : FIT_FLOAT, width, height, bitsPerPixel,
                        dpmX, dpmY, true);
}

int TFImage::Allocate(bool greyPalette, int width, int height, int bitsPerPixel, unsigned redMask,
                      unsigned greenMask, unsigned blueMask) {
    if (width <= 0 || height <= 0)
        return -1;
    FIBITMAP* bitmap =
        FreeImage_Allocate(width, height, bitsPerPixel, redMask, greenMask, blueMask);
    if (!bitmap)
        return -1;
    if (greyPalette && (bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8)) {
        RGBQUAD* palette = FreeImage_GetPalette(bitmap);
        const unsigned count = FreeImage_GetColorsUsed(bitmap);
        for (unsigned i = 0; palette && i < count; ++i)
            palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = static_cast<BYTE>(i);
    }
    AdoptBitmap(bitmap, false);
    return 0;
}

std::uint8_t* TFImage::ScanLine(int storageRow) const {
    if (!PixelBitmap || storageRow < 0 || storageRow >= Height)
        return nullptr;
    return FreeImage_GetScanLine(PixelBitmap, storageRow);
}

RGBQUAD* TFImage::PaletteEntries() const {
    return PixelBitmap ? FreeImage_GetPalette(PixelBitmap) : nullptr;
}

unsigned TFImage::PaletteSize() const {
    return PixelBitmap ? FreeImage_GetColorsUsed(PixelBitmap) : 0;
}

int TFImage::LoadFromFile(const std::string& path) {
    try {
        LoadStartTime = MillisecondTick();
        const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 16);
        const std::string ext = UpperExtension(path);
        if (format == FIF_UNKNOWN) {
            if (ext == ".TGA" || ext == ".TARGA" || ext == ".MNG" || ext == ".PCD" ||
                ext == ".WBMP" || ext == ".CUT")
                return -1;
            if (ext == ".FTS" || ext == ".FIT" || ext == ".FITS")
                return LoadFits(path) < 0 ? -1 : 0;
            ShowWarning(path + " cannot be opened because it is in an unrecognized file format.");
            return -1;
        }
        FileFormat = format;
        FIBITMAP* bitmap =
            FreeImage_Load(format, path.c_str(), format == FIF_JPEG ? JPEG_ACCURATE : 0);
        if (!bitmap) {
            ShowWarning(path +
                        " cannot be opened because it contains an unrecognized data format.");
            return -1;
        }
        const FREE_IMAGE_TYPE type = FreeImage_GetImageType(bitmap);
        if (type == FIT_UINT32) {
            // 32-bit integer grey becomes float grey: the rest of the program reads 32-bit grey
            // samples as floats.
            FIBITMAP* asFloat = FreeImage_ConvertToFloat(bitmap);
            FreeImage_Unload(bitmap);
            if (!asFloat) {
                ShowWarning(path +
                            " cannot be opened because it contains an unrecognized data format.");
                return -1;
            }
            bitmap = asFloat;
        }
        AdoptBitmap(bitmap, false);
        if (type == FIT_UINT16 || type == FIT_UINT32 || type == FIT_FLOAT) {
            IsHighPrecisionGrey = true;
            ComputeDataRange();
        }
        FileName = path;
        RefreshDisplay();
        LoadEndTime = MillisecondTick();
        if (ext == ".JPG" || ext == ".JPEG")
            ExifData->ReadFromFile(path);
        return static_cast<int>(LoadEndTime - LoadStartTime);
    } catch (const std::exception&) {
        ShowWarning("An error occurred opening the file " + path + ".");
        return -1;
    }
}

int TFImage::LoadFits(const std::string& path) {
    TFitsSamples samples;
    int cardCount = 0;
    if (ReadFitsData(path, cardCount, FitsHeader, samples) < 0)
        return -1;
    const int bitpix = IntegerKeyword(FitsHeader, "BITPIX");
    const int width = IntegerKeyword(FitsHeader, "NAXIS1");
    int height = IntegerKeyword(FitsHeader, "NAXIS2");
    if (IntegerKeyword(FitsHeader, "NAXIS") == 1)
        height = 1;
    const bool words = bitpix == 16;
    if (CreateGrey(width, height, words ? 16 : 32, 0, 0) < 0) {
        ShowWarning("An error occurred opening the file " + path + ".");
        return -1;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * (words ? 2 : 4);
    const auto* source = samples.Buffer.As<const std::uint8_t>();
    ParallelFor(height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            std::memcpy(Row(y), source + rowBytes * y, rowBytes);
    });
    FileName = path;
    ComputeDataRange();
    RefreshDisplay();
    return 0;
}

int TFImage::ComputeDataRange() {
    try {
        if (!PixelBitmap || !IsHighPrecisionGrey || (BitsPerPixel != 16 && BitsPerPixel != 32))
            return 0;
        double minimum = RangeMinimumStart;
        double maximum = 0;
        // Each core scans a band of rows; the bands' extremes are merged afterwards.
        const int bands = std::max(1, WorkerCount());
        if (BitsPerPixel == 16) {
            std::vector<unsigned> los(bands, 65535), his(bands, 0);
            ParallelForSlices(Height, Height >= 256 ? bands : 1, [&](int band, int y0, int y1) {
                unsigned lo = 65535, hi = 0;
                for (int y = y0; y < y1; ++y) {
                    const auto* row = reinterpret_cast<const std::uint16_t*>(Row(y));
                    for (int x = 0; x < Width; ++x) {
                        lo = std::min<unsigned>(lo, row[x]);
                        hi = std::max<unsigned>(hi, row[x]);
                    }
                }
                los[band] = lo;
                his[band] = hi;
            });
            if (Width > 0 && Height > 0) {
                minimum = *std::min_element(los.begin(), los.end());
                maximum = *std::max_element(his.begin(), his.end());
            }
            if (maximum == 0)
                maximum = 1;
        } else {
            // Comparisons are false for NaN, so NaN samples never set the range.
            const float start = static_cast<float>(RangeMinimumStart);
            std::vector<float> los(bands, start), his(bands, 0);
            ParallelForSlices(Height, Height >= 256 ? bands : 1, [&](int band, int y0, int y1) {
                float lo = start, hi = 0;
                for (int y = y0; y < y1; ++y) {
                    const auto* row = reinterpret_cast<const float*>(Row(y));
                    for (int x = 0; x < Width; ++x) {
                        const float v = row[x];
                        lo = v < lo ? v : lo;
                        hi = v > hi ? v : hi;
                    }
                }
                los[band] = lo;
                his[band] = hi;
            });
            const float lo = *std::min_element(los.begin(), los.end());
            const float hi = *std::max_element(his.begin(), his.end());
            minimum = lo < static_cast<float>(RangeMinimumStart) ? lo : RangeMinimumStart;
            maximum = hi;
            if (minimum < 0)
                minimum = 0;
            if (maximum < 0)
                maximum = 1;
            if (maximum == 0)
                maximum = 1;
        }
        DisplayLow = DataMin = static_cast<float>(minimum);
        DisplayHigh = DataMax = static_cast<float>(maximum);
        return 0;
    } catch (const std::exception&) {
        DisplayLow = DataMin = 0;
        DisplayHigh = DataMax = 255;
        return -1;
    }
}

void TFImage::CopyUnscaled(FIBITMAP* source) {
    ParallelFor(Height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            std::memcpy(DisplayBitmap.Row(y), FreeImage_GetScanLine(source, Height - 1 - y),
                        static_cast<std::size_t>(Width) * 3);
    });
}

void TFImage::RefreshGreyDisplay() {
    const double low = DisplayLow;
    const double scale = 255.0 / (static_cast<double>(DisplayHigh) - low);
    auto level = [&](double v) -> std::uint8_t {
        float t = static_cast<float>(RoundEven((v - low) * scale));
        if (t > 255)
            t = 255;
        if (!(t >= 0))
            t = 0;
        return static_cast<std::uint8_t>(RoundEven(t));
    };
    auto put = [](std::uint8_t* out, std::uint8_t g) { out[0] = out[1] = out[2] = g; };
    if (BitsPerPixel == 16) {
        // Every one of the 65536 samples maps through the exact formula once.
        std::vector<std::uint8_t> table(65536);
        for (int v = 0; v < 65536; ++v)
            table[v] = level(v);
        ParallelFor(Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const auto* row = reinterpret_cast<const std::uint16_t*>(Row(y));
                std::uint8_t* out = DisplayBitmap.Row(y);
                // Four-byte stores, each overlapping the next pixel; the last pixel of the row
                // is written alone so nothing spills into the next row.
                for (int x = 0; x + 1 < Width; ++x) {
                    const std::uint32_t grey = table[row[x]] * 0x010101u;
                    std::memcpy(out + 3 * x, &grey, 4);
                }
                put(out + 3 * (Width - 1), table[row[Width - 1]]);
            }
        });
        return;
    }
    ParallelFor(Height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const auto* row = reinterpret_cast<const float*>(Row(y));
            std::uint8_t* out = DisplayBitmap.Row(y);
            for (int x = 0; x < Width; ++x)
                put(out + 3 * x, level(row[x]));
        }
    });
}

void TFImage::RefreshFloatColourDisplay() {
    const int channels = BitsPerPixel / 32; // 3, or 4 with alpha
    double maximum[3] = {0, 0, 0};
    double minimum[3] = {RangeMinimumStart, RangeMinimumStart, RangeMinimumStart};
    for (int y = 0; y < Height; ++y) {
        const auto* row = reinterpret_cast<const float*>(Row(y));
        for (int x = 0; x < Width; ++x)
            for (int c = 0; c < 3; ++c) {
                const double v = row[channels * x + c];
                if (v > maximum[c])
                    maximum[c] = v;
                if (v < minimum[c])
                    minimum[c] = v;
            }
    }
    double factor[3];
    for (int c = 0; c < 3; ++c)
        factor[c] = maximum[c] > 0 ? 255.0 / maximum[c] : 0.0;
    ParallelFor(Height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const auto* row = reinterpret_cast<const float*>(Row(y));
            std::uint8_t* out = DisplayBitmap.Row(y);
            for (int x = 0; x < Width; ++x)
                for (int c = 0; c < 3; ++c) {
                    double t = RoundEven((row[channels * x + c] - minimum[c]) * factor[c]);
                    t = t > 255 ? 255 : (t >= 0 ? t : 0);
                    out[3 * x + 2 - c] = static_cast<std::uint8_t>(t); // red is the third byte
                }
        }
    });
}

void TFImage::RefreshDisplay() {
    try {
        DisplayBitmap.SetSize(Width, Height);
        if (!PixelBitmap || Width == 0 || Height == 0)
            return;
        const FREE_IMAGE_TYPE type = FreeImage_GetImageType(PixelBitmap);
        if (BitsPerPixel <= 8 && !IsHighPrecisionGrey) {
            Palette = FreeImage_GetPalette(PixelBitmap);
        }
        if (IsHighPrecisionGrey && (BitsPerPixel == 16 || BitsPerPixel == 32)) {
            if (DisplayLow == DisplayHigh)
                DisplayBitmap.Fill(255);
            else
                RefreshGreyDisplay();
            return;
        }
        if (type == FIT_RGBF || type == FIT_RGBAF) {
            RefreshFloatColourDisplay();
            return;
        }
        if (type == FIT_BITMAP && BitsPerPixel == 24) {
            CopyUnscaled(PixelBitmap);
            return;
        }
        // Palette, packed, 32-bit and 48-bit colour: through a 24-bit copy. Integer and double
        // grey types FreeImage scales to 8 bits first.
        FIBITMAP* standard = nullptr;
        if (type != FIT_BITMAP && type != FIT_RGB16 && type != FIT_RGBA16)
            standard = FreeImage_ConvertToStandardType(PixelBitmap, TRUE);
        TTempBitmap standardCopy(standard);
        TTempBitmap copy(FreeImage_ConvertTo24Bits(standard ? standard : PixelBitmap));
        if (copy.Bitmap)
            CopyUnscaled(copy.Bitmap);
        else
            DisplayBitmap.Fill(0);
    } catch (const std::exception&) {
        // the display keeps what it got
    }
}

// FreeImage writes some pixel types it cannot represent (float samples into a BMP) without
// complaint; such a file would be garbage, so it is refused up front.
static bool CanWrite(FREE_IMAGE_FORMAT format, FIBITMAP* bitmap) {
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(bitmap);
    if (!FreeImage_FIFSupportsExportType(format, type))
        return false;
    return type != FIT_BITMAP ||
           FreeImage_FIFSupportsExportBPP(format, static_cast<int>(FreeImage_GetBPP(bitmap)));
}

int TFImage::SaveThroughFreeImage(const std::string& target, FREE_IMAGE_FORMAT format, int flags) {
    TAtomicFile file(target);
    const bool saved = file.Ok() && PixelBitmap && CanWrite(format, PixelBitmap) &&
                       FreeImage_Save(format, PixelBitmap, file.TempPath().c_str(), flags);
    if (!saved || !file.Commit()) {
        ShowError("An error occurred saving this file.");
        return -1;
    }
    FileName = target;
    return 0;
}

int TFImage::SaveToFile(const std::string& path) {
    try {
        const std::string target = path.empty() ? FileName : path;
        const int format = SaveFormatForExtension(target);
        if (format == FIF_UNKNOWN) {
            ShowError("An error occurred saving this file.");
            return -1;
        }
        return SaveThroughFreeImage(target, static_cast<FREE_IMAGE_FORMAT>(format), 0);
    } catch (const std::exception&) {
        return -1;
    }
}

int TFImage::SaveAsJpeg(const std::string& path, int quality) {
    try {
        const std::string target = path.empty() ? FileName : path;
        TAtomicFile file(target);
        const int flags = std::clamp(quality, 1, 100);
        if (!file.Ok() || !PixelBitmap || !CanWrite(FIF_JPEG, PixelBitmap) ||
            !FreeImage_Save(FIF_JPEG, PixelBitmap, file.TempPath().c_str(), flags)) {
            ShowError("An error occurred saving this file.");
            return -1;
        }
        if (!ExifData->Empty()) {
            // The recorded pixel size follows the image when a tool changed it.
            if (ExifData->PixelWidth() != Width || ExifData->PixelHeight() != Height)
                ExifData->SetPixelSize(Width, Height);
            ExifData->WriteToFile(file.TempPath());
            ExifData->SetFileName(target);
        }
        if (!file.Commit()) {
            ShowError("An error occurred saving this file.");
            return -1;
        }
        FileName = target;
        return 0;
    } catch (const std::exception&) {
        return -1;
    }
}

int TiffSaveFlag(int compressionIndex) {
    switch (compressionIndex) {
    case 0:
        return TIFF_NONE;
    case 1:
        return TIFF_DEFLATE;
    case 2:
        return TIFF_ADOBE_DEFLATE;
    case 3:
        return TIFF_PACKBITS;
    case 4:
        return TIFF_CCITTFAX3;
    case 5:
        return TIFF_CCITTFAX4;
    default:
        return TIFF_DEFLATE;
    }
}

int TFImage::SaveAsTiff(const std::string& path, int compressionIndex) {
    try {
        return SaveThroughFreeImage(path.empty() ? FileName : path, FIF_TIFF,
                                    TiffSaveFlag(compressionIndex));
    } catch (const std::exception&) {
        return -1;
    }
}

int TFImage::SaveAsFits(const std::string& path) {
    try {
        const std::string target = path.empty() ? FileName : path;
        const TImageKind kind = Kind();
        if (kind != TImageKind::Grey16 && kind != TImageKind::GreyFloat) {
            ShowError("Only 16-bit and floating-point grey images can be saved as FITS files.");
            return -1;
        }
        const bool words = kind == TImageKind::Grey16;
        if (FitsHeader.empty())
            FitsHeader =
                NewFitsHeader(words ? 16 : -32, Width, Height, target, words ? 32768 : 0, 1);
        // The header must describe the buffer we hand over, whatever the file it came from said.
        UpdateIntegerKeyword(FitsHeader, "BITPIX", words ? 16 : -32);
        UpdateIntegerKeyword(FitsHeader, "NAXIS1", Width);
        if (HasKeyword(FitsHeader, "NAXIS2")) {
            UpdateIntegerKeyword(FitsHeader, "NAXIS2", Height);
        } else if (Height > 1) {
            // A one-axis image that a tool made taller needs its second axis.
            UpdateIntegerKeyword(FitsHeader, "NAXIS", 2);
            auto naxis1 = std::find_if(FitsHeader.begin(), FitsHeader.end(), [](const auto& card) {
                return card.compare(0, 8, "NAXIS1  ") == 0;
            });
            FitsHeader.insert(naxis1 == FitsHeader.end() ? naxis1 : naxis1 + 1,
                              IntegerCard("NAXIS2", Height));
        }
        const std::size_t rowBytes = static_cast<std::size_t>(Width) * (words ? 2 : 4);
        TPageBuffer buffer(rowBytes * Height);
        for (int y = 0; y < Height; ++y)
            std::memcpy(buffer.As<std::uint8_t>() + rowBytes * y, Row(y), rowBytes);
        if (WriteFits(target, FitsHeader, buffer.Data(),
                      static_cast<std::int64_t>(Width) * Height) < 0)
            return -1;
        FileName = target;
        return 0;
    } catch (const std::bad_alloc&) {
        ShowError("An error occurred saving this file.");
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
}
