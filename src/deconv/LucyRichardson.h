#pragma once
// Richardson-Lucy iteration: E <- E * ((D / (E conv P)) corr P), circular, through the FFT.

#include "deconv/Iteration.h"

class TDataContainer;

// data: the observed plane, replaced by the estimate after a normal end (and after every
// iteration with aggressive, which also makes each iteration deconvolve the previous estimate).
// psf: the wrapped PSF, unnormalised; it is transformed in place.
TIterationResult LucyRichardsonIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                                       bool aggressive, TIterationControl* control);
