#pragma once
// What the reader and the writer both take from a header: scaling, image size, block layout.

#include "core/FITS.h"
#include "core/FitsScaling.h"

#include <cstdint>
#include <string>

// BSCALE 1 and BZERO 0 when the cards are absent.
TFitsScaling FitsScalingOf(const TFitsHeader& header);

// Byte offset of the data unit behind a header of cardCount cards (whole 2880-byte blocks).
std::int64_t FitsDataStart(int cardCount);

// Rows of the image: NAXIS2, or 1 for a one-axis file, which has no NAXIS2.
int FitsRows(int naxis, int naxis2);

// NAXIS1 x rows when both are positive and the product stays within what an image can hold
// (2^31 - 1 samples); otherwise -1.
std::int64_t FitsSampleCount(int naxis1, int rows);

std::string FitsSizeMessage(int naxis1, int naxis2);
