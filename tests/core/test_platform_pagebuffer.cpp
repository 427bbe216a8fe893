#include "core/platform/PageBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace {

bool AllZero(const TPageBuffer& buffer) {
    const auto* p = buffer.As<const unsigned char>();
    for (std::size_t i = 0; i < buffer.Size(); ++i)
        if (p[i] != 0)
            return false;
    return true;
}

constexpr std::size_t MiB = std::size_t(1) << 20;

} // namespace

TEST(PlatformPageBuffer, ZeroFilledAndWritableToTheLastByte) {
    for (std::size_t bytes : {std::size_t(1), std::size_t(4095), std::size_t(4097), 2 * MiB - 1,
                              2 * MiB, 2 * MiB + 1, 64 * MiB + 12345}) {
        SCOPED_TRACE(bytes);
        TPageBuffer buffer(bytes);
        ASSERT_FALSE(buffer.Empty());
        ASSERT_EQ(buffer.Size(), bytes);
        EXPECT_TRUE(AllZero(buffer));
        std::memset(buffer.Data(), 0xA5, bytes);
        EXPECT_EQ(buffer.As<unsigned char>()[bytes - 1], 0xA5);
        if (bytes >= TPageBuffer::HugePageSize) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.Data()) % TPageBuffer::HugePageSize,
                      0u);
        }
    }
}

TEST(PlatformPageBuffer, MemoryComesBackZeroAfterRelease) {
    for (bool huge : {true, false}) {
        TPageBuffer buffer(8 * MiB, huge);
        std::memset(buffer.Data(), 0x5A, buffer.Size());
        buffer.Release();
        EXPECT_TRUE(buffer.Empty());
        EXPECT_EQ(buffer.Size(), 0u);
        buffer = TPageBuffer(8 * MiB, huge);
        EXPECT_TRUE(AllZero(buffer));
    }
}

TEST(PlatformPageBuffer, MoveTransfersOwnership) {
    TPageBuffer a(3 * MiB);
    a.As<int>()[0] = 42;
    void* data = a.Data();

    TPageBuffer b(std::move(a));
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Size(), 0u);
    EXPECT_EQ(b.Data(), data);
    EXPECT_EQ(b.Size(), 3 * MiB);

    TPageBuffer c(100);
    c = std::move(b); // releases c's own pages
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(c.Data(), data);
    EXPECT_EQ(c.As<int>()[0], 42);
}

TEST(PlatformPageBuffer, ZeroBytesIsEmptyAndImpossibleSizesThrow) {
    TPageBuffer none(0);
    EXPECT_TRUE(none.Empty());
    EXPECT_THROW(TPageBuffer(SIZE_MAX), std::bad_alloc);
    EXPECT_THROW(TPageBuffer(SIZE_MAX / 2), std::bad_alloc);
    EXPECT_THROW(TPageBuffer(std::size_t(1) << 50), std::bad_alloc); // beyond the address space
}
