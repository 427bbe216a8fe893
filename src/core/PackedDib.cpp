// Clipboard transfer of the document as a packed device-independent bitmap: a 40-byte
// BITMAPINFOHEADER, the colour table (or three bit-field masks), then bottom-up rows.

#include "core/fimage.h"

#include <cstring>
#include <exception>

namespace {

constexpr std::size_t HeaderSize = 40;
constexpr std::uint32_t BiRgb = 0, BiBitfields = 3;

std::uint32_t U32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::int32_t I32(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::uint16_t U16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

} // namespace

int TFImage::LoadFromPackedDib(const std::uint8_t* data, std::size_t size) {
    try {
        if (!data || size < HeaderSize || U32(data) < HeaderSize)
            return -1;
        const std::int32_t width = I32(data + 4);
        const std::int32_t signedHeight = I32(data + 8);
        const unsigned bitCount = U16(data + 14);
        const std::uint32_t compression = U32(data + 16);
        const std::uint32_t clrUsed = U32(data + 32);
        const bool topDown = signedHeight < 0;
        const std::int64_t height =
            topDown ? -static_cast<std::int64_t>(signedHeight) : signedHeight;
        const bool depthOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                             bitCount == 24 || bitCount == 32;
        if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || !depthOk ||
            (compression != BiRgb && compression != BiBitfields))
            return -1;
        std::size_t paletteEntries = 0;
        if (bitCount < 16)
            paletteEntries =
                std::min<std::size_t>(clrUsed ? clrUsed : 1u << bitCount, 1u << bitCount);
        const std::size_t headerBytes = U32(data);
        std::size_t offset = headerBytes + 4 * paletteEntries;
        unsigned masks[3] = {0, 0, 0};
        if (compression == BiBitfields) {
            if (size < offset + 12)
                return -1;
            for (int i = 0; i < 3; ++i)
                masks[i] = U32(data + headerBytes + 4 * i);
            offset += 12;
        }
        const std::size_t pitch = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
        if (size < offset || (size - offset) / pitch < static_cast<std::size_t>(height))
            return -1;
        FIBITMAP* bitmap = FreeImage_Allocate(width, static_cast<int>(height), bitCount, masks[0],
                                              masks[1], masks[2]);
        if (!bitmap)
            return -1;
        RGBQUAD* palette = FreeImage_GetPalette(bitmap);
        const std::size_t room = palette ? FreeImage_GetColorsUsed(bitmap) : 0;
        if (palette)
            std::memcpy(palette, data + headerBytes, 4 * std::min(room, paletteEntries));
        const std::size_t rowBytes = std::min<std::size_t>(pitch, FreeImage_GetPitch(bitmap));
        for (std::int64_t row = 0; row < height; ++row) {
            const std::int64_t storageRow = topDown ? height - 1 - row : row;
            std::memcpy(FreeImage_GetScanLine(bitmap, static_cast<int>(storageRow)),
                        data + offset + pitch * row, rowBytes);
        }
        FreeImage_SetDotsPerMeterX(bitmap, static_cast<unsigned>(std::max(0, I32(data + 24))));
        FreeImage_SetDotsPerMeterY(bitmap, static_cast<unsigned>(std::max(0, I32(data + 28))));
        AdoptBitmap(bitmap, false);
        FileName.clear();
        RefreshDisplay();
        return 0;
    } catch (const std::exception&) {
        return -1;
    }
}

std::vector<std::uint8_t> TFImage::SaveToPackedDib() const {
    try {
        if (!PixelBitmap)
            return {};
        const BITMAPINFOHEADER* info = FreeImage_GetInfoHeader(PixelBitmap);
        const std::size_t paletteBytes = 4 * static_cast<std::size_t>(PaletteSize());
        // Bit-field bitmaps carry their three masks after the header, where readers look.
        const bool bitfields = info->biCompression == BiBitfields;
        const std::size_t maskBytes = bitfields ? 12 : 0;
        const std::size_t rowBytes = static_cast<std::size_t>(pitch_) * Height;
        BITMAPINFOHEADER header = *info;
        header.biSize = HeaderSize;
        std::vector<std::uint8_t> packed(HeaderSize + paletteBytes + maskBytes + rowBytes, 0);
        std::uint8_t* out = packed.data();
        std::memcpy(out, &header, HeaderSize);
        out += HeaderSize;
        if (paletteBytes)
            std::memcpy(out, FreeImage_GetPalette(PixelBitmap), paletteBytes);
        out += paletteBytes;
        if (bitfields) {
            const unsigned masks[3] = {FreeImage_GetRedMask(PixelBitmap),
                                       FreeImage_GetGreenMask(PixelBitmap),
                                       FreeImage_GetBlueMask(PixelBitmap)};
            std::memcpy(out, masks, 12);
            out += 12;
        }
        std::memcpy(out, bits_, rowBytes);
        return packed;
    } catch (const std::exception&) {
        return {};
    }
}
