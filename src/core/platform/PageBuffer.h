#pragma once
// Large pixel buffers straight from the kernel: zero-filled, returned on release, backed by
// transparent huge pages when big enough to pay for them.

#include <cstddef>

class TPageBuffer {
public:
    TPageBuffer() = default;
    // Zero-filled buffer of the given size; throws std::bad_alloc when the memory is not there.
    explicit TPageBuffer(std::size_t bytes);
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
};
