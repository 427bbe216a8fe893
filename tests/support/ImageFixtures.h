#pragma once
// Small documents for tests, filled from a function of (x, y).

#include "core/fimage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

std::unique_ptr<TFImage> MakeGrey16(int width, int height,
                                    const std::function<std::uint16_t(int, int)>& value);
std::unique_ptr<TFImage> MakeGreyFloat(int width, int height,
                                       const std::function<float(int, int)>& value);
// value returns red, green, blue.
std::unique_ptr<TFImage>
MakeRgb24(int width, int height, const std::function<std::array<std::uint8_t, 3>(int, int)>& value);
std::unique_ptr<TFImage>
MakeRgb48(int width, int height,
          const std::function<std::array<std::uint16_t, 3>(int, int)>& value);

// An independent copy of a document's pixels.
std::unique_ptr<TFImage> CopyOf(const TFImage& image);

// True when both documents have the same kind, size and samples.
bool SamePixels(const TFImage& a, const TFImage& b);

std::string FileBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
