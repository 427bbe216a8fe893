// Writing a FITS primary header and data unit.

#include "core/AtomicFile.h"
#include "core/FITS.h"
#include "core/FitsFile.h"
#include "core/FitsLayout.h"
#include "core/Messages.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

namespace {

// Blocks written per system call.
constexpr std::size_t StepBlocks = 364; // about 1 MiB

bool WriteHeader(TFitsFile& file, const TFitsHeader& header) {
    std::string bytes;
    bytes.reserve((header.size() + 36) * FitsCardSize);
    for (const auto& card : header) {
        const std::size_t length = std::min<std::size_t>(card.size(), FitsCardSize);
        bytes.append(card, 0, length);
        bytes.append(FitsCardSize - length, ' ');
    }
    bytes.append((FitsBlockSize - bytes.size() % FitsBlockSize) % FitsBlockSize, ' ');
    return file.WriteAll(bytes.data(), bytes.size());
}

// The data unit in blocks. The last block always follows the full ones and holds the remaining
// values padded with zeros, so a count that fills whole blocks gets one more block of zeros.
bool WriteData(TFitsFile& file, const void* samples, std::int64_t count, int bitpix,
               TFitsScaling scaling) {
    const std::size_t valueBytes = bitpix == 16 ? 2 : 4;
    const std::size_t perBlock = FitsBlockSize / valueBytes;
    const std::size_t blocks = static_cast<std::size_t>(count) / perBlock + 1;
    std::vector<std::uint8_t> step(StepBlocks * FitsBlockSize);
    for (std::size_t firstBlock = 0; firstBlock < blocks; firstBlock += StepBlocks) {
        const std::size_t nBlocks = std::min(StepBlocks, blocks - firstBlock);
        const std::size_t first = firstBlock * perBlock;
        const std::size_t capacity = nBlocks * perBlock;
        const std::size_t n = first < static_cast<std::size_t>(count)
                                  ? std::min(capacity, static_cast<std::size_t>(count) - first)
                                  : 0;
        if (bitpix == 16)
            EncodeInt16(static_cast<const std::uint16_t*>(samples) + first, step.data(), n,
                        scaling);
        else
            EncodeFloat32(static_cast<const float*>(samples) + first, step.data(), n, scaling);
        std::memset(step.data() + n * valueBytes, 0, (capacity - n) * valueBytes);
        if (!file.WriteAll(step.data(), nBlocks * FitsBlockSize))
            return false;
    }
    return true;
}

int Failed() {
    ReportError(2001);
    return -1;
}

} // namespace

int WriteFits(const std::string& path, TFitsHeader& header, const void* samples,
              std::int64_t sampleCount) {
    try {
        if (IntegerKeyword(header, "BITPIX") == 32)
            UpdateIntegerKeyword(header, "BITPIX", -32);
        const int naxis1 = IntegerKeyword(header, "NAXIS1");
        const int naxis2 = IntegerKeyword(header, "NAXIS2");
        const int bitpix = IntegerKeyword(header, "BITPIX");
        const TFitsScaling scaling = FitsScalingOf(header);
        const int naxis = IntegerKeyword(header, "NAXIS");
        const std::int64_t count = FitsSampleCount(naxis1, FitsRows(naxis, naxis2));
        if ((bitpix != 16 && bitpix != -32) || count < 0 || !samples ||
            (sampleCount >= 0 && sampleCount != count))
            return Failed();

        // The old file stays until the new one is complete.
        TAtomicFile target(path);
        if (!target.Ok())
            return Failed();
        TFitsFile file;
        if (!file.OpenWrite(target.TempPath()) || !WriteHeader(file, header) ||
            !WriteData(file, samples, count, bitpix, scaling) || !file.Close() || !target.Commit())
            return Failed();
        return 0;
    } catch (const std::exception&) {
        return Failed();
    }
}
