#include "core/platform/PageBuffer.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

std::size_t PageSize() {
    static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

// Rounds up to a multiple of a power of two; 0 when that overflows.
std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
    if (bytes > SIZE_MAX - (unit - 1))
        return 0;
    return (bytes + unit - 1) & ~(unit - 1);
}

void* MapAnonymous(std::size_t length) {
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return p;
}

} // namespace

TPageBuffer::TPageBuffer(std::size_t bytes, bool hugePages) {
    if (bytes == 0)
        return;
    if (bytes < HugePageSize) {
        const std::size_t length = RoundUp(bytes, PageSize());
        data_ = MapAnonymous(length);
        size_ = bytes;
        mapped_ = length;
        return;
    }
    // A huge page needs a 2 MiB aligned start: map one huge page more, then trim both ends.
    // The tail is kept up to the next huge page boundary so the last part can be a huge page too.
    const std::size_t length = RoundUp(bytes, HugePageSize);
    if (length == 0 || length > SIZE_MAX - HugePageSize)
        throw std::bad_alloc();
    auto* raw = static_cast<char*>(MapAnonymous(length + HugePageSize));
    const auto rawAddress = reinterpret_cast<std::uintptr_t>(raw);
    char* aligned = raw + (RoundUp(rawAddress, HugePageSize) - rawAddress);
    if (aligned > raw)
        munmap(raw, static_cast<std::size_t>(aligned - raw));
    char* end = raw + length + HugePageSize;
    if (end > aligned + length)
        munmap(aligned + length, static_cast<std::size_t>(end - (aligned + length)));
    // Advice only: a kernel without transparent huge pages just keeps small ones.
    madvise(aligned, length, hugePages ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
    data_ = aligned;
    size_ = bytes;
    mapped_ = length;
}

TPageBuffer::~TPageBuffer() {
    Release();
}

TPageBuffer::TPageBuffer(TPageBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

TPageBuffer& TPageBuffer::operator=(TPageBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void TPageBuffer::Release() {
    if (data_)
        munmap(data_, mapped_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}
