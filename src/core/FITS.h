#pragma once
// The FITS layer: primary header and data unit only, 2880-byte blocks, big-endian data.

#include "core/platform/PageBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

using TFitsHeader = std::vector<std::string>;

constexpr int FitsBlockSize = 2880;
constexpr int FitsCardSize = 80;

// The data unit converted to native samples, row-major, rows in file order: Count values, 16-bit
// words for BITPIX 16 and floats for BITPIX -32 and -64 (doubles become single floats). A file
// with one axis is one row.
struct TFitsSamples {
    int Bitpix = 0;
    std::int64_t Count = 0; // NAXIS1 x NAXIS2
    TPageBuffer Buffer;
    const std::uint16_t* Words() const { return Buffer.As<std::uint16_t>(); }
    const float* Floats() const { return Buffer.As<float>(); }
};

TFitsHeader ReadFitsHeader(const std::string& path, int& cardCount);
bool HasKeyword(const TFitsHeader& header, const std::string& keyword);
int IntegerKeyword(const TFitsHeader& header, const std::string& keyword);
double RealKeyword(const TFitsHeader& header, const std::string& keyword);
void UpdateIntegerKeyword(TFitsHeader& header, const std::string& keyword, int value);

// 0 on success, -1 on failure (after the message). Replaces header by the cards read. Refuses,
// before allocating anything, a size that is not positive or exceeds 2^31 - 1 samples, and a
// data unit shorter than the header describes.
int ReadFitsData(const std::string& path, int& cardCount, TFitsHeader& header,
                 TFitsSamples& samples);

// Writes header and samples (16-bit words or floats, NAXIS1 x NAXIS2 of them, as the header's
// BITPIX says; BITPIX 32 is first changed to -32 in the list) through a temporary file renamed
// over path. sampleCount, when given, must equal the count the header describes, so a header
// that does not fit the buffer is refused instead of read past. Failures are reported through
// the message router (error 2001); the result is 0 or -1 so batch callers can tell.
int WriteFits(const std::string& path, TFitsHeader& header, const void* samples,
              std::int64_t sampleCount = -1);

TFitsHeader NewFitsHeader(int bitpix, int naxis1, int naxis2, const std::string& name, double bzero,
                          double bscale);

std::string LogicalCard(const std::string& keyword, bool value);
std::string IntegerCard(const std::string& keyword, long long value);
std::string RealCard(const std::string& keyword, double value);
std::string StringCard(const std::string& keyword, const std::string& text);
std::string CommentCard(const std::string& text);
std::string BareCard(const std::string& keyword);

inline const char* FitsWebSite = "https://zelvane.example/";
