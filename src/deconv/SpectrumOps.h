#pragma once
// Sample passes of the deconvolution iterations, split across the cores. Complex products are
// formed in double and stored in single precision.

#include <cstddef>
#include <functional>

class TDataContainer;

// target spectrum := target spectrum x factor spectrum (conjugated when asked).
void MultiplySpectrum(TDataContainer& target, const TDataContainer& factor, bool conjugate);
// out spectrum := a spectrum x b spectrum (a conjugated when asked).
void MultiplySpectra(float* out, const float* a, const float* b, std::size_t count,
                     bool conjugateA);
// fn(begin, end) over sample indices [0, count), in slices on the cores.
void ForSamples(std::size_t count, const std::function<void(std::size_t, std::size_t)>& fn);
// Sum of fn(begin, end) over slices, each slice summing in double.
double SumSamples(std::size_t count, const std::function<double(std::size_t, std::size_t)>& fn);
// Forward or inverse transform; throws when the plane cannot be transformed.
void Forward(TDataContainer& plane);
void Inverse(TDataContainer& plane);
std::size_t Samples(const TDataContainer& plane);
