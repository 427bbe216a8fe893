#include "core/DataContainerRGB.h"

#include "core/PlaneSize.h"

TDataContainerRGB::TDataContainerRGB(int width, int height) : width_(width), height_(height) {
    const std::size_t count = PlaneElements(width, height, 3);
    if (count == 0)
        return;
    buffer_ = TPageBuffer(count * sizeof(float));
    data_ = buffer_.As<float>();
}
