#pragma once
// Large pixel buffers straight from the kernel: zero-filled, returned on release, backed by
// transparent huge pages when big enough to pay for them.

#include <cstddef>

class TPageBuffer {
public:
    // Buffers from this size on are aligned to it and asked to use huge pages.
    static constexpr std::size_t HugePageSize = std::size_t(2) << 20;

    TPageBuffer() = default;
    // Zero-filled buffer of the given size (empty for 0); throws std::bad_alloc when the memory
    // is not there. hugePages = false keeps a large buffer on small pages (for comparisons).
    explicit TPageBuffer(std::size_t bytes, bool hugePages = true);
    ~TPageBuffer();
    TPageBuffer(TPageBuffer&& other) noexcept;
    TPageBuffer& operator=(TPageBuffer&& other) noexcept;
    TPageBuffer(const TPageBuffer&) = delete;
    TPageBuffer& operator=(const TPageBuffer&) = delete;

    void Release();
    void* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return data_ == nullptr; }
    template <class T> T* As() const { return static_cast<T*>(data_); }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0; // length of the mapping, at least size_
};
