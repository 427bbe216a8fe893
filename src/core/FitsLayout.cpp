#include "core/FitsLayout.h"

#include <limits>

TFitsScaling FitsScalingOf(const TFitsHeader& header) {
    TFitsScaling scaling;
    scaling.Bscale = HasKeyword(header, "BSCALE") ? RealKeyword(header, "BSCALE") : 1.0;
    scaling.Bzero = HasKeyword(header, "BZERO") ? RealKeyword(header, "BZERO") : 0.0;
    return scaling;
}

std::int64_t FitsDataStart(int cardCount) {
    const std::int64_t bytes = std::int64_t(cardCount) * FitsCardSize;
    return (bytes + FitsBlockSize - 1) / FitsBlockSize * FitsBlockSize;
}

int FitsRows(int naxis, int naxis2) {
    return naxis == 1 ? 1 : naxis2;
}

std::int64_t FitsSampleCount(int naxis1, int rows) {
    if (naxis1 <= 0 || rows <= 0)
        return -1;
    const std::int64_t count = std::int64_t(naxis1) * rows;
    return count <= std::numeric_limits<std::int32_t>::max() ? count : -1;
}

std::string FitsSizeMessage(int naxis1, int naxis2) {
    return "This FITS file has an image size which is not supported (NAXIS1 = " +
           std::to_string(naxis1) + ", NAXIS2 = " + std::to_string(naxis2) + ").";
}
