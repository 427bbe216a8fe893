#include "core/BasicDataContainer.h"

#include "core/PlaneSize.h"

TBasicDataContainer::TBasicDataContainer(int width, int bitsPerSample, int height)
    : width_(width), height_(height), bitsPerSample_(bitsPerSample) {
    if (bitsPerSample != 16 && bitsPerSample != 32)
        return;
    const std::size_t count = PlaneElements(width, height, bitsPerSample / 8);
    if (count == 0)
        return;
    buffer_ = TPageBuffer(count);
    data_ = buffer_.Data();
}
