#include "core/DataContainer.h"

#include "core/PlaneSize.h"

TDataContainer::TDataContainer(int width, int height) : width_(width), height_(height) {
    const std::size_t count = PlaneElements(width, height);
    if (count == 0)
        return;
    dataBuffer_ = TPageBuffer(count * sizeof(float));
    spectrumBuffer_ = TPageBuffer(count * 2 * sizeof(float));
    work_ = TFftWork(width, height);
    data_ = dataBuffer_.As<float>();
    spectrum_ = spectrumBuffer_.As<float>();
}

int TDataContainer::ForwardTransform() {
    if (!FftSizeSupported(width_, height_))
        return -1;
    try {
        FftForward2D(data_, spectrum_, width_, height_, work_, workers_);
        return 0;
    } catch (...) {
        return -1;
    }
}

int TDataContainer::InverseTransform() {
    if (!FftSizeSupported(width_, height_))
        return -1;
    try {
        FftInverse2D(spectrum_, data_, width_, height_, work_, workers_);
        return 0;
    } catch (...) {
        return -1;
    }
}
