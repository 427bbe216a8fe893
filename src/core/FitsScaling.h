#pragma once
// Big-endian FITS values to native samples and back, with BZERO and BSCALE applied:
// physical = BZERO + BSCALE x stored. Integer results are rounded ties-to-even and keep their
// low 16 bits. The common scalings take exact shortcuts that give the same numbers.

#include <cstddef>
#include <cstdint>

struct TFitsScaling {
    double Bzero = 0;
    double Bscale = 1;
};

// In place: n big-endian 16-bit stored values become the physical samples' low 16 bits.
void DecodeInt16(std::uint16_t* data, std::size_t n, TFitsScaling scaling);
// In place: n big-endian IEEE singles become physical single floats (bit patterns in data).
void DecodeFloat32(std::uint32_t* data, std::size_t n, TFitsScaling scaling);
// n big-endian IEEE doubles (8n bytes at raw, which is overwritten) become physical singles.
void DecodeFloat64(std::uint8_t* raw, float* out, std::size_t n, TFitsScaling scaling);

// n samples to big-endian stored values (2n or 4n bytes at out), the inverse scaling.
void EncodeInt16(const std::uint16_t* samples, std::uint8_t* out, std::size_t n,
                 TFitsScaling scaling);
void EncodeFloat32(const float* samples, std::uint8_t* out, std::size_t n, TFitsScaling scaling);
