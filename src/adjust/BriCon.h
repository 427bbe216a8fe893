#pragma once
// Brightness and contrast: values are stretched about the image's mean by a contrast factor and
// shifted by a brightness percentage. 8- and 16-bit data go through a table of 65536 16-bit
// entries (the red, green and blue tables are identical, so the channels share one); GreyFloat
// data are mapped by the formula per pixel. Grey16 results are stretched to 0..65535 and
// GreyFloat results to 0..DataMax with the old minimum at 0.

#include "core/ImageKind.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TFImage;

struct TBriConParams {
    int Brightness = 0; // -100..100
    int Contrast = 0;   // -100..100
};

// 1 + C / 10 for C >= 0, 1 - sqrt(-C) / 10 below, in single precision.
float ContrastFactor(int contrast);

// Everything a pass needs, built on the UI thread from the parameters and handed to a thread.
class TBriConMapping {
public:
    // mean: ImageMean of the image. The range values are the image's current ones.
    TBriConMapping(const TFImage& image, double mean, const TBriConParams& params);

    // False when the grey stretch is undefined (DataMax equal to DataMin): nothing is mapped.
    bool Valid() const { return valid_; }
    const std::vector<std::uint16_t>& Table() const { return table_; }

    // Display bytes (blue, green, red) of image row y.
    void PreviewRow(const TFImage& image, int y, std::uint8_t* display) const;
    // Replaces the samples of image row y.
    void ApplyRow(TFImage& image, int y) const;

private:
    double FloatValue(float v) const { return mean_ + (v - mean_) * k_ + offset_; }

    TImageKind kind_;
    bool valid_ = true;
    std::vector<std::uint16_t> table_;
    double mean_;
    float k_;
    double offset_ = 0;                 // DataMax / 100 * B (GreyFloat)
    double previewScale_ = 0, low_ = 0; // GreyFloat preview: 255 / (max - min), DisplayLow
    double applyScale_ = 0, min_ = 0, max_ = 0;
};

// Rows first..last of the image through the mapping, split over the cores; after each block
// afterRow(index of the last row done) is called and may return false to stop.
void ApplyBriConRows(const TBriConMapping& mapping, TFImage& image, int first, int last,
                     const std::function<bool(int)>& afterRow = {});

// The whole apply on the calling thread (the batch command): mean, table, rows, and for grey
// images the new data range. 0, or -1 for kinds the tool does not process.
int ApplyBriCon(TFImage& image, const TBriConParams& params);
