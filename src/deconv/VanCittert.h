#pragma once
// Van Cittert iteration: E <- clamp(E + D - s (E conv P), 0, max D), with s matching the maximum
// of the blurred estimate to the observed maximum.

#include "deconv/Iteration.h"

class TDataContainer;

// data keeps the observed plane until a normal end, then holds the estimate. A blurred estimate
// with no positive sample ends the body at once, data unchanged (reported as Failed).
TIterationResult VanCittertIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                                   TIterationControl* control);
