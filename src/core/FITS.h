#pragma once
// The FITS layer: primary header and data unit only, 2880-byte blocks, big-endian data.

#include "core/platform/PageBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

using TFitsHeader = std::vector<std::string>;

constexpr int FitsBlockSize = 2880;
constexpr int FitsCardSize = 80;

// The data unit converted to native samples, row-major, rows in file order. Holds 16-bit words
// for BITPIX 16 and floats for BITPIX -32 (and -64, converted to single floats).
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

// 0 on success, -1 on failure (after the message). Replaces header by the cards read.
int ReadFitsData(const std::string& path, int& cardCount, TFitsHeader& header,
                 TFitsSamples& samples);

// Writes header and samples (16-bit words or floats, NAXIS1 x NAXIS2 of them, as the header's
// BITPIX says) through a temporary file renamed over path. Failures are reported through the
// message router; the result is 0 or -1 so batch callers can tell.
int WriteFits(const std::string& path, TFitsHeader& header, const void* samples);

TFitsHeader NewFitsHeader(int bitpix, int naxis1, int naxis2, const std::string& name,
                          double bzero, double bscale);

std::string LogicalCard(const std::string& keyword, bool value);
std::string IntegerCard(const std::string& keyword, long long value);
std::string RealCard(const std::string& keyword, double value);
std::string StringCard(const std::string& keyword, const std::string& text);
std::string CommentCard(const std::string& text);
std::string BareCard(const std::string& keyword);

inline const char* FitsWebSite = "https://zelvane.example/";
