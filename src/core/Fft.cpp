#include "core/Fft.h"

#include "core/Parallel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>

// Every 1-D transform runs on kLanes rows or columns at once: a block of them is copied into a
// slot as split real/imaginary rows of kLanes floats (bit-reversed on the way in), so each
// butterfly is plain vector arithmetic with a broadcast twiddle factor. Real input is packed two
// columns per complex lane, and since the column spectra of a real plane are Hermitian, only
// half of the rows need a row transform; the other half are mirrored conjugates. The inverse
// column pass only needs real parts, so it also packs two columns per lane.
//
// The kernels are compiled once per vector width (SSE2, AVX2, AVX-512) and picked at start-up.
// Wide vectors are never passed by value between functions: only references and pointers.

namespace {

constexpr int kLanes = 16;
constexpr int kRowFloats = 2 * kLanes; // one slot row: kLanes real parts, then kLanes imaginary
constexpr int kLog2Max = 12;
// Early butterfly stages run on row groups this size so that they stay in the L1 cache.
constexpr int kChunkRows = 256;
// Below this many samples a transform stays on the calling thread: starting a thread per pass
// costs more than the second core saves.
constexpr long kParallelMin = 1L << 18;

#define ZV_INLINE inline __attribute__((always_inline))

typedef float V4 __attribute__((vector_size(4 * sizeof(float)), may_alias));
typedef float V4U __attribute__((vector_size(4 * sizeof(float)), aligned(4), may_alias));

struct TTables {
    // cos and sin of 2πk/4096, computed in double.
    float c[kFftMaxSide];
    float s[kFftMaxSide];
    // k reversed in 12 bits; shift right for fewer.
    std::uint16_t rev[kFftMaxSide];
};

const TTables& Tables() {
    static const TTables tables = [] {
        TTables t{};
        const double step = 2.0 * 3.14159265358979323846 / kFftMaxSide;
        for (int k = 0; k < kFftMaxSide; ++k) {
            t.c[k] = static_cast<float>(std::cos(step * k));
            t.s[k] = static_cast<float>(std::sin(step * k));
            unsigned r = 0;
            for (int b = 0; b < kLog2Max; ++b)
                r |= ((k >> b) & 1u) << (kLog2Max - 1 - b);
            t.rev[k] = static_cast<std::uint16_t>(r);
        }
        return t;
    }();
    return tables;
}

ZV_INLINE int Log2(int n) {
    int k = 0;
    while ((1 << k) < n)
        ++k;
    return k;
}

ZV_INLINE float* Row(float* buf, int r) {
    return buf + static_cast<std::ptrdiff_t>(r) * kRowFloats;
}

ZV_INLINE V4 LoadU4(const float* p) {
    return *reinterpret_cast<const V4U*>(p);
}
ZV_INLINE void StoreU4(float* p, V4 v) {
    *reinterpret_cast<V4U*>(p) = v;
}
ZV_INLINE V4 Load4(const float* p) {
    return *reinterpret_cast<const V4*>(p);
}
ZV_INLINE void Store4(float* p, V4 v) {
    *reinterpret_cast<V4*>(p) = v;
}

// Interleaved complex <-> split real and imaginary parts, four at a time: 4-wide shuffles are
// native on every target, wider ones are not.
ZV_INLINE void LoadInterleaved4(const float* p, V4& re, V4& im) {
    const V4 lo = LoadU4(p), hi = LoadU4(p + 4);
    re = __builtin_shufflevector(lo, hi, 0, 2, 4, 6);
    im = __builtin_shufflevector(lo, hi, 1, 3, 5, 7);
}
ZV_INLINE void StoreInterleaved4(float* p, V4 re, V4 im) {
    StoreU4(p, __builtin_shufflevector(re, im, 0, 4, 1, 5));
    StoreU4(p + 4, __builtin_shufflevector(re, im, 2, 6, 3, 7));
}

ZV_INLINE void Transpose4(V4& a, V4& b, V4& c, V4& d) {
    const V4 t0 = __builtin_shufflevector(a, b, 0, 4, 1, 5);
    const V4 t1 = __builtin_shufflevector(a, b, 2, 6, 3, 7);
    const V4 t2 = __builtin_shufflevector(c, d, 0, 4, 1, 5);
    const V4 t3 = __builtin_shufflevector(c, d, 2, 6, 3, 7);
    a = __builtin_shufflevector(t0, t2, 0, 1, 4, 5);
    b = __builtin_shufflevector(t0, t2, 2, 3, 6, 7);
    c = __builtin_shufflevector(t1, t3, 0, 1, 4, 5);
    d = __builtin_shufflevector(t1, t3, 2, 3, 6, 7);
}

// One block of work: kLanes rows (first = y0) or 2*kLanes columns (first = x0). For row passes,
// count is the number of rows of the whole pass, and of this block once handed to a worker.
enum class TBlockOp { ForwardColumns, ForwardRows, InverseRows, InverseColumns };
struct TBlockJob {
    TBlockOp op;
    const float* plane; // forward input
    float* spectrum;
    float* output; // inverse output plane
    int w, h, first, count;
    float* buf;
};

// VW: floats per native vector.
template <int VW> struct TKernel {
    typedef float V __attribute__((vector_size(VW * sizeof(float)), may_alias));
    typedef float VU __attribute__((vector_size(VW * sizeof(float)), aligned(4), may_alias));

    static ZV_INLINE V& At(float* p) { return *reinterpret_cast<V*>(p); }
    static ZV_INLINE const V& At(const float* p) { return *reinterpret_cast<const V*>(p); }
    static ZV_INLINE VU& AtU(float* p) { return *reinterpret_cast<VU*>(p); }
    static ZV_INLINE const VU& AtU(const float* p) { return *reinterpret_cast<const VU*>(p); }

    // Radix-4 decimation-in-time butterfly on rows b, b+s, b+2s, b+3s (s in floats). The inputs
    // are the sub-transforms of the samples 4n, 4n+2, 4n+1, 4n+3, as bit-reversed order leaves
    // them. w: twiddles W^m, W^2m, W^3m as (re, im) pairs.
    template <bool Inverse, bool Twiddle>
    static ZV_INLINE void Radix4(float* b, int s, const float* w) {
        for (int q = 0; q < kLanes; q += VW) {
            float* p0 = b + q;
            float* p1 = p0 + s;
            float* p2 = p1 + s;
            float* p3 = p2 + s;
            V a0r = At(p0), a0i = At(p0 + kLanes);
            V a1r = At(p1), a1i = At(p1 + kLanes);
            V a2r = At(p2), a2i = At(p2 + kLanes);
            V a3r = At(p3), a3i = At(p3 + kLanes);
            if constexpr (Twiddle) {
                const V t1r = a1r * w[2] - a1i * w[3], t1i = a1r * w[3] + a1i * w[2];
                const V t2r = a2r * w[0] - a2i * w[1], t2i = a2r * w[1] + a2i * w[0];
                const V t3r = a3r * w[4] - a3i * w[5], t3i = a3r * w[5] + a3i * w[4];
                a1r = t1r, a1i = t1i, a2r = t2r, a2i = t2i, a3r = t3r, a3i = t3i;
            }
            const V s0r = a0r + a1r, s0i = a0i + a1i, d0r = a0r - a1r, d0i = a0i - a1i;
            const V s1r = a2r + a3r, s1i = a2i + a3i, d1r = a2r - a3r, d1i = a2i - a3i;
            At(p0) = s0r + s1r;
            At(p0 + kLanes) = s0i + s1i;
            At(p2) = s0r - s1r;
            At(p2 + kLanes) = s0i - s1i;
            if constexpr (Inverse) {
                At(p1) = d0r - d1i;
                At(p1 + kLanes) = d0i + d1r;
                At(p3) = d0r + d1i;
                At(p3 + kLanes) = d0i - d1r;
            } else {
                At(p1) = d0r + d1i;
                At(p1 + kLanes) = d0i - d1r;
                At(p3) = d0r - d1i;
                At(p3 + kLanes) = d0i + d1r;
            }
        }
    }

    template <bool Inverse>
    static ZV_INLINE void Stage4(float* buf, int begin, int end, int h, const TTables& t) {
        const int step = kFftMaxSide / (4 * h);
        const int s = h * kRowFloats;
        const float sign = Inverse ? 1.0f : -1.0f;
        for (int g = begin; g < end; g += 4 * h) {
            float* b = Row(buf, g);
            Radix4<Inverse, false>(b, s, nullptr);
            for (int m = 1; m < h; ++m) {
                const int k1 = m * step, k2 = 2 * k1, k3 = 3 * k1;
                const float w[6] = {t.c[k1],        sign * t.s[k1], t.c[k2],
                                    sign * t.s[k2], t.c[k3],        sign * t.s[k3]};
                Radix4<Inverse, true>(b + m * kRowFloats, s, w);
            }
        }
    }

    static ZV_INLINE void Stage2(float* buf, int begin, int end) {
        for (int g = begin; g < end; g += 2) {
            float* a = Row(buf, g);
            float* c = a + kRowFloats;
            for (int q = 0; q < kRowFloats; q += VW) {
                const V x = At(a + q), y = At(c + q);
                At(a + q) = x + y;
                At(c + q) = x - y;
            }
        }
    }

    // n = 2^logn point transform of every lane; input bit-reversed, output natural, no scaling.
    template <bool Inverse> static ZV_INLINE void MultiFft(float* buf, int logn, const TTables& t) {
        const int n = 1 << logn;
        const int chunk = std::min(n, kChunkRows);
        int h = 1;
        for (int c = 0; c < n; c += chunk) {
            int hh = 1;
            if (logn & 1) {
                Stage2(buf, c, c + chunk);
                hh = 2;
            }
            for (; 4 * hh <= chunk; hh *= 4)
                Stage4<Inverse>(buf, c, c + chunk, hh, t);
            h = hh;
        }
        for (; h < n; h *= 4)
            Stage4<Inverse>(buf, 0, n, h, t);
    }

    // Real columns x0 .. x0+2*kLanes-1 of the plane -> their column spectra in the spectrum.
    static ZV_INLINE void ForwardColumns(const float* plane, float* spectrum, int w, int h, int x0,
                                         float* buf) {
        const TTables& t = Tables();
        const int logh = Log2(h), shift = kLog2Max - logh;
        const bool full = x0 + 2 * kLanes <= w;
        for (int y = 0; y < h; ++y) {
            const float* src = plane + static_cast<std::ptrdiff_t>(y) * w + x0;
            float* dst = Row(buf, t.rev[y] >> shift);
            if (full) {
                for (int q = 0; q < kRowFloats; q += VW)
                    At(dst + q) = AtU(src + q);
            } else {
                for (int j = 0; j < kRowFloats; ++j)
                    dst[j] = x0 + j < w ? src[j] : 0.0f;
            }
        }
        MultiFft<false>(buf, logh, t);
        // Split the packed pair Z = A + iB into the spectra A, B of the two real columns; row h-k
        // of each is the conjugate of row k. A narrow block goes through a padded row.
        const V4 half = V4{} + 0.5f;
        float padK[4 * kLanes], padKK[4 * kLanes];
        for (int k = 0; k <= h / 2; ++k) {
            const int kk = (h - k) & (h - 1);
            const float* z = Row(buf, k);
            const float* c = Row(buf, kk);
            float* outK = spectrum + (static_cast<std::ptrdiff_t>(k) * w + x0) * 2;
            float* outKK = spectrum + (static_cast<std::ptrdiff_t>(kk) * w + x0) * 2;
            float* dk = full ? outK : padK;
            float* dkk = full ? outKK : padKK;
            for (int q = 0; q < kLanes; q += 4) {
                const V4 zr = Load4(z + q), zi = Load4(z + kLanes + q);
                const V4 cr = Load4(c + q), ci = Load4(c + kLanes + q);
                const V4 ar = half * (zr + cr), ai = half * (zi - ci);
                const V4 br = half * (zi + ci), bi = half * (cr - zr);
                StoreInterleaved4(dk + 2 * q, ar, ai);
                StoreInterleaved4(dk + 2 * kLanes + 2 * q, br, bi);
                StoreInterleaved4(dkk + 2 * q, ar, -ai);
                StoreInterleaved4(dkk + 2 * kLanes + 2 * q, br, -bi);
            }
            if (!full) {
                for (int j = 0; x0 + j < w; ++j) {
                    outK[2 * j] = padK[2 * j];
                    outK[2 * j + 1] = padK[2 * j + 1];
                    outKK[2 * j] = padKK[2 * j];
                    outKK[2 * j + 1] = padKK[2 * j + 1];
                }
            }
        }
    }

    // Spectrum rows y0 .. y0+count-1 -> slot, transposed and bit-reversed.
    static ZV_INLINE void LoadRows(const float* spectrum, int w, int y0, int count, float* buf,
                                   const TTables& t) {
        const int shift = kLog2Max - Log2(w);
        if (count == kLanes && w >= 8) {
            for (int x = 0; x < w; x += 8) {
                for (int j = 0; j < kLanes; j += 4) {
                    V4 v[4][4];
                    for (int i = 0; i < 4; ++i) {
                        const float* s =
                            spectrum + (static_cast<std::ptrdiff_t>(y0 + j + i) * w + x) * 2;
                        for (int p = 0; p < 4; ++p)
                            v[p][i] = LoadU4(s + 4 * p);
                    }
                    for (int p = 0; p < 4; ++p) {
                        Transpose4(v[p][0], v[p][1], v[p][2], v[p][3]);
                        float* d0 = Row(buf, t.rev[x + 2 * p] >> shift);
                        float* d1 = Row(buf, t.rev[x + 2 * p + 1] >> shift);
                        Store4(d0 + j, v[p][0]);
                        Store4(d0 + kLanes + j, v[p][1]);
                        Store4(d1 + j, v[p][2]);
                        Store4(d1 + kLanes + j, v[p][3]);
                    }
                }
            }
            return;
        }
        for (int x = 0; x < w; ++x) {
            float* d = Row(buf, t.rev[x] >> shift);
            for (int j = 0; j < kLanes; ++j) {
                d[j] = 0.0f;
                d[kLanes + j] = 0.0f;
                if (j < count) {
                    const float* s = spectrum + (static_cast<std::ptrdiff_t>(y0 + j) * w + x) * 2;
                    d[j] = s[0];
                    d[kLanes + j] = s[1];
                }
            }
        }
    }

    // Slot -> spectrum rows y0 .. y0+count-1, times scale. With mirror, each row y in (0, h/2)
    // also fills row h-y with its conjugate in reversed order, as the spectrum of a real plane
    // has.
    template <bool Mirror>
    static ZV_INLINE void StoreRows(float* spectrum, int w, int h, int y0, int count,
                                    const float* buf, float scale) {
        const auto mirrored = [&](int y) { return Mirror && y > 0 && 2 * y < h; };
        if (count == kLanes && w >= 8) {
            // Eight columns at a time, so that each row gets a whole cache line in a row.
            const V4 sc = V4{} + scale;
            const V4 conj = {scale, -scale, scale, -scale};
            for (int x = 0; x < w; x += 8) {
                for (int j = 0; j < kLanes; j += 4) {
                    V4 v[4][4];
                    for (int p = 0; p < 4; ++p) {
                        const float* s0 = buf + static_cast<std::ptrdiff_t>(x + 2 * p) * kRowFloats;
                        const float* s1 = s0 + kRowFloats;
                        v[p][0] = Load4(s0 + j);
                        v[p][1] = Load4(s0 + kLanes + j);
                        v[p][2] = Load4(s1 + j);
                        v[p][3] = Load4(s1 + kLanes + j);
                        Transpose4(v[p][0], v[p][1], v[p][2], v[p][3]);
                    }
                    for (int i = 0; i < 4; ++i) {
                        const int y = y0 + j + i;
                        float* d = spectrum + (static_cast<std::ptrdiff_t>(y) * w + x) * 2;
                        for (int p = 0; p < 4; ++p)
                            StoreU4(d + 4 * p, v[p][i] * sc);
                        if (!mirrored(y))
                            continue;
                        float* m = spectrum + static_cast<std::ptrdiff_t>(h - y) * w * 2;
                        for (int p = 3; p >= 0; --p) {
                            const V4 c = v[p][i] * conj;
                            const int xp = x + 2 * p;
                            if (xp == 0) {
                                m[0] = c[0];
                                m[1] = c[1];
                                m[2 * (w - 1)] = c[2];
                                m[2 * (w - 1) + 1] = c[3];
                            } else {
                                StoreU4(m + 2 * (w - xp - 1),
                                        __builtin_shufflevector(c, c, 2, 3, 0, 1));
                            }
                        }
                    }
                }
            }
            return;
        }
        for (int j = 0; j < count; ++j) {
            const int y = y0 + j;
            float* d = spectrum + static_cast<std::ptrdiff_t>(y) * w * 2;
            for (int x = 0; x < w; ++x) {
                const float re = buf[x * kRowFloats + j] * scale;
                const float im = buf[x * kRowFloats + kLanes + j] * scale;
                d[2 * x] = re;
                d[2 * x + 1] = im;
                if (mirrored(y)) {
                    float* m = spectrum + static_cast<std::ptrdiff_t>(h - y) * w * 2;
                    const int xm = (w - x) & (w - 1);
                    m[2 * xm] = re;
                    m[2 * xm + 1] = -im;
                }
            }
        }
    }

    // Columns x0 .. x0+2*kLanes-1 of the spectrum -> real parts of their inverse transforms.
    // Only the Hermitian part of a column contributes to the real part, and two Hermitian
    // columns A, B go through one transform as A + iB, which comes out as two real columns.
    static ZV_INLINE void InverseColumns(const float* spectrum, float* plane, int w, int h, int x0,
                                         float* buf) {
        const TTables& t = Tables();
        const int logh = Log2(h), shift = kLog2Max - logh;
        const bool full = x0 + 2 * kLanes <= w;
        // 1/2 for the Hermitian part, 1/h for the transform; both powers of two, so exact.
        const V4 sc = V4{} + 0.5f / static_cast<float>(h);
        float padK[4 * kLanes] = {}, padKK[4 * kLanes] = {};
        for (int k = 0; k <= h / 2; ++k) {
            const int kk = (h - k) & (h - 1);
            const float* rowK = spectrum + (static_cast<std::ptrdiff_t>(k) * w + x0) * 2;
            const float* rowKK = spectrum + (static_cast<std::ptrdiff_t>(kk) * w + x0) * 2;
            if (!full) {
                for (int j = 0; x0 + j < w; ++j) {
                    padK[2 * j] = rowK[2 * j];
                    padK[2 * j + 1] = rowK[2 * j + 1];
                    padKK[2 * j] = rowKK[2 * j];
                    padKK[2 * j + 1] = rowKK[2 * j + 1];
                }
                rowK = padK;
                rowKK = padKK;
            }
            float* zk = Row(buf, t.rev[k] >> shift);
            float* zkk = Row(buf, t.rev[kk] >> shift);
            for (int q = 0; q < kLanes; q += 4) {
                V4 akr, aki, bkr, bki, akkr, akki, bkkr, bkki;
                LoadInterleaved4(rowK + 2 * q, akr, aki);
                LoadInterleaved4(rowK + 2 * kLanes + 2 * q, bkr, bki);
                LoadInterleaved4(rowKK + 2 * q, akkr, akki);
                LoadInterleaved4(rowKK + 2 * kLanes + 2 * q, bkkr, bkki);
                Store4(zk + q, sc * ((akr + akkr) - (bki - bkki)));
                Store4(zk + kLanes + q, sc * ((aki - akki) + (bkr + bkkr)));
                Store4(zkk + q, sc * ((akkr + akr) - (bkki - bki)));
                Store4(zkk + kLanes + q, sc * ((akki - aki) + (bkkr + bkr)));
            }
        }
        MultiFft<true>(buf, logh, t);
        for (int y = 0; y < h; ++y) {
            const float* src = Row(buf, y);
            float* dst = plane + static_cast<std::ptrdiff_t>(y) * w + x0;
            if (full) {
                for (int q = 0; q < kRowFloats; q += VW)
                    AtU(dst + q) = At(src + q);
            } else {
                for (int j = 0; x0 + j < w && j < kRowFloats; ++j)
                    dst[j] = src[j];
            }
        }
    }

    static ZV_INLINE void Run(const TBlockJob& job) {
        const TTables& t = Tables();
        switch (job.op) {
        case TBlockOp::ForwardColumns:
            ForwardColumns(job.plane, job.spectrum, job.w, job.h, job.first, job.buf);
            break;
        case TBlockOp::ForwardRows:
            LoadRows(job.spectrum, job.w, job.first, job.count, job.buf, t);
            MultiFft<false>(job.buf, Log2(job.w), t);
            StoreRows<true>(job.spectrum, job.w, job.h, job.first, job.count, job.buf, 1.0f);
            break;
        case TBlockOp::InverseRows:
            LoadRows(job.spectrum, job.w, job.first, job.count, job.buf, t);
            MultiFft<true>(job.buf, Log2(job.w), t);
            StoreRows<false>(job.spectrum, job.w, job.h, job.first, job.count, job.buf,
                             1.0f / static_cast<float>(job.w));
            break;
        case TBlockOp::InverseColumns:
            InverseColumns(job.spectrum, job.output, job.w, job.h, job.first, job.buf);
            break;
        }
    }
};

// Each half of a slot row holds whole vectors of the widest kernel.
static_assert(kLanes % 16 == 0);

typedef void (*TRunBlock)(const TBlockJob&);

void RunBlockSse2(const TBlockJob& job) {
    TKernel<4>::Run(job);
}

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target("arch=x86-64-v3"))) void RunBlockAvx2(const TBlockJob& job) {
    TKernel<8>::Run(job);
}
__attribute__((target("arch=x86-64-v4"))) void RunBlockAvx512(const TBlockJob& job) {
    TKernel<16>::Run(job);
}
#endif

bool Supports(int vectorFloats) {
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
    __builtin_cpu_init();
    if (vectorFloats == 16)
        return __builtin_cpu_supports("x86-64-v4");
    if (vectorFloats == 8)
        return __builtin_cpu_supports("x86-64-v3");
#endif
    return vectorFloats == 4;
}

TRunBlock RunBlockFor(int vectorFloats) {
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
    if (vectorFloats == 16)
        return RunBlockAvx512;
    if (vectorFloats == 8)
        return RunBlockAvx2;
#endif
    return RunBlockSse2;
}

std::atomic<TRunBlock>& Kernel() {
    static std::atomic<TRunBlock> kernel{RunBlockFor(Supports(16) ? 16 : Supports(8) ? 8 : 4)};
    return kernel;
}

void RunBlock(const TBlockJob& job) {
    Kernel().load(std::memory_order_relaxed)(job);
}

int Workers(int width, int height, int maxWorkers) {
    if (static_cast<long>(width) * height < kParallelMin)
        return 1;
    return maxWorkers > 0 ? maxWorkers : WorkerCount();
}

// Runs the job for blocks [0, count), slices of them on separate workers with their own slot.
void ForBlocks(int count, int workers, TFftWork& work, const TBlockJob& job) {
    const bool columns = job.op == TBlockOp::ForwardColumns || job.op == TBlockOp::InverseColumns;
    const int rows = job.count;
    ParallelForSlices(count, std::min(workers, work.Slots()), [&](int slice, int begin, int end) {
        TBlockJob j = job;
        j.buf = work.Slot(slice);
        for (int b = begin; b < end; ++b) {
            if (columns) {
                j.first = b * 2 * kLanes;
            } else {
                j.first = b * kLanes;
                j.count = std::min(kLanes, rows - j.first);
            }
            RunBlock(j);
        }
    });
}

int ColumnBlocks(int w) {
    return (w + 2 * kLanes - 1) / (2 * kLanes);
}
int RowBlocks(int rows) {
    return (rows + kLanes - 1) / kLanes;
}

} // namespace

bool FftSizeSupported(int width, int height) {
    const auto ok = [](int n) { return n > 0 && n <= kFftMaxSide && (n & (n - 1)) == 0; };
    return ok(width) && ok(height);
}

TFftWork::TFftWork(int width, int height) {
    if (!FftSizeSupported(width, height))
        return;
    slots_ = WorkerCount();
    slotFloats_ = static_cast<std::size_t>(std::max(width, height)) * kRowFloats;
    buffer_ = TPageBuffer(slotFloats_ * slots_ * sizeof(float));
}

void FftForward2D(const float* plane, float* spectrum, int width, int height, TFftWork& work,
                  int maxWorkers) {
    const int workers = Workers(width, height, maxWorkers);
    TBlockJob job{TBlockOp::ForwardColumns, plane, spectrum, nullptr, width, height, 0, 0, nullptr};
    ForBlocks(ColumnBlocks(width), workers, work, job);
    // Rows above height/2 are the mirrored conjugates of the ones below.
    const int rows = std::min(height / 2 + 1, height);
    job.op = TBlockOp::ForwardRows;
    job.count = rows;
    ForBlocks(RowBlocks(rows), workers, work, job);
}

void FftInverse2D(float* spectrum, float* plane, int width, int height, TFftWork& work,
                  int maxWorkers) {
    const int workers = Workers(width, height, maxWorkers);
    TBlockJob job{
        TBlockOp::InverseRows, nullptr, spectrum, plane, width, height, 0, height, nullptr};
    ForBlocks(RowBlocks(height), workers, work, job);
    job.op = TBlockOp::InverseColumns;
    ForBlocks(ColumnBlocks(width), workers, work, job);
}

bool FftUseVectorWidth(int floats) {
    if (!Supports(floats))
        return false;
    Kernel().store(RunBlockFor(floats));
    return true;
}
