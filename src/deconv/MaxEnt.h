#pragma once
// Maximum-entropy iteration: the model f = exp(lambda corr p) / Z is positive with unit sum; lambda
// moves by ln(D / s) - ln(f conv p) each iteration, s matching the fluxes. The result is s f.

#include "deconv/Iteration.h"

class TDataContainer;

// data: zero samples become 1 at the start; after a normal end it holds the result. psf is
// normalised to unit sum and transformed in place.
TIterationResult MaxEntIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                               TIterationControl* control);
