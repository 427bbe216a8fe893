#include "core/FitsScaling.h"

#include "core/Numeric.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline std::uint16_t Swap16(std::uint16_t v) {
    return static_cast<std::uint16_t>((v >> 8) | (v << 8));
}

// Reverses the bytes of each 4- or 8-byte value in place. The compiler turns a scalar byte swap
// into bswap, which plain SSE2 cannot vectorise, so the wide part is written out: swap the bytes
// of each 16-bit word, then the words of each value.
template <int Width> void SwapBytes(void* data, std::size_t n) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    std::size_t i = 0;
#if defined(__SSE2__)
    constexpr int perVector = 16 / Width;
    for (; i + perVector <= n; i += perVector) {
        auto* p = reinterpret_cast<__m128i*>(bytes + i * Width);
        __m128i v = _mm_loadu_si128(p);
        v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
        constexpr int order = Width == 4 ? _MM_SHUFFLE(2, 3, 0, 1) : _MM_SHUFFLE(0, 1, 2, 3);
        v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, order), order);
        _mm_storeu_si128(p, v);
    }
#endif
    for (; i < n; ++i)
        std::reverse(bytes + i * Width, bytes + (i + 1) * Width);
}

// The low 16 bits of an integral double, also beyond the range of any integer type.
inline std::uint16_t Low16(double r) {
    if (std::fabs(r) < 9.0e18)
        return static_cast<std::uint16_t>(static_cast<std::int64_t>(r));
    if (!std::isfinite(r))
        return 0;
    return static_cast<std::uint16_t>(static_cast<std::int64_t>(std::fmod(r, 65536.0)));
}

// With BSCALE 1 and an integral BZERO small enough that BZERO + v is exact in a double, the
// rounded result modulo 2^16 is plain 16-bit wrap-around addition.
bool IntegerShift(TFitsScaling s, std::uint16_t& shift) {
    if (s.Bscale != 1.0 || s.Bzero != std::trunc(s.Bzero) || std::fabs(s.Bzero) > 0x1p52)
        return false;
    shift = static_cast<std::uint16_t>(static_cast<std::int64_t>(std::fmod(s.Bzero, 65536.0)));
    return true;
}

bool Identity(TFitsScaling s) {
    return s.Bzero == 0.0 && s.Bscale == 1.0;
}

} // namespace

void DecodeInt16(std::uint16_t* data, std::size_t n, TFitsScaling scaling) {
    std::uint16_t shift = 0;
    if (IntegerShift(scaling, shift)) {
        for (std::size_t i = 0; i < n; ++i)
            data[i] = static_cast<std::uint16_t>(Swap16(data[i]) + shift);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = static_cast<std::int16_t>(Swap16(data[i]));
        data[i] = Low16(RoundEven(scaling.Bzero + scaling.Bscale * v));
    }
}

void DecodeFloat32(std::uint32_t* data, std::size_t n, TFitsScaling scaling) {
    SwapBytes<4>(data, n);
    if (Identity(scaling)) {
        // 0 + 1 x v in doubles is v itself, except that -0 comes out +0: adding 0.0f does both.
        for (std::size_t i = 0; i < n; ++i)
            data[i] = std::bit_cast<std::uint32_t>(std::bit_cast<float>(data[i]) + 0.0f);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double v = std::bit_cast<float>(data[i]);
        data[i] =
            std::bit_cast<std::uint32_t>(static_cast<float>(scaling.Bzero + scaling.Bscale * v));
    }
}

void DecodeFloat64(std::uint8_t* raw, float* out, std::size_t n, TFitsScaling scaling) {
    SwapBytes<8>(raw, n);
    for (std::size_t i = 0; i < n; ++i) {
        double v;
        std::memcpy(&v, raw + 8 * i, 8);
        out[i] = static_cast<float>(scaling.Bzero + scaling.Bscale * v);
    }
}

void EncodeInt16(const std::uint16_t* samples, std::uint8_t* out, std::size_t n,
                 TFitsScaling scaling) {
    std::uint16_t shift = 0;
    if (IntegerShift(scaling, shift)) {
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint16_t stored = Swap16(static_cast<std::uint16_t>(samples[i] - shift));
            std::memcpy(out + 2 * i, &stored, 2);
        }
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        // Taken as signed, so that a negative physical value written with BSCALE != 1 comes back.
        const auto s = static_cast<std::int16_t>(samples[i]);
        const std::uint16_t stored = Swap16(Low16(RoundEven((s - scaling.Bzero) / scaling.Bscale)));
        std::memcpy(out + 2 * i, &stored, 2);
    }
}

void EncodeFloat32(const float* samples, std::uint8_t* out, std::size_t n, TFitsScaling scaling) {
    if (Identity(scaling)) {
        // (s - 0) / 1 is s for every s, -0 and NaN included.
        std::memcpy(out, samples, n * 4);
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            const auto v = static_cast<float>((samples[i] - scaling.Bzero) / scaling.Bscale);
            std::memcpy(out + 4 * i, &v, 4);
        }
    }
    SwapBytes<4>(out, n);
}
