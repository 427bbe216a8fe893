// Reading a FITS primary header and its data unit.

#include "core/FITS.h"
#include "core/FitsFile.h"
#include "core/FitsLayout.h"
#include "core/Messages.h"
#include "core/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

namespace {

// A file that has no END within this many blocks is not a FITS file; it must not make us build
// a card for every 80 bytes of some large unrelated file.
constexpr int MaxHeaderBlocks = 4096;

// Samples converted per step: large enough for few system calls, small enough that the values
// are still in cache when they are converted right after the read.
constexpr std::size_t StepSamples = std::size_t(64) * 1024;

bool IsEndCard(std::string_view card) {
    card = card.substr(0, 8);
    while (!card.empty() && card.front() == ' ')
        card.remove_prefix(1);
    while (!card.empty() && card.back() == ' ')
        card.remove_suffix(1);
    return card == "END";
}

enum class THeaderResult { Ok, ReadError, TooLong };

// Cards up to and including END, or every 80-byte record when there is no END. A short last
// record is padded with spaces, so every card read is 80 characters.
THeaderResult ReadCards(const TFitsFile& file, TFitsHeader& cards) {
    std::vector<char> block(FitsBlockSize);
    for (int b = 0; b < MaxHeaderBlocks; ++b) {
        const std::int64_t got =
            file.ReadAt(block.data(), block.size(), std::int64_t(b) * FitsBlockSize);
        if (got < 0)
            return THeaderResult::ReadError;
        for (std::int64_t at = 0; at < got; at += FitsCardSize) {
            const auto length =
                static_cast<std::size_t>(std::min<std::int64_t>(FitsCardSize, got - at));
            std::string card(block.data() + at, length);
            card.resize(FitsCardSize, ' ');
            const bool end = IsEndCard(card);
            cards.push_back(std::move(card));
            if (end)
                return THeaderResult::Ok;
        }
        if (got < FitsBlockSize)
            return THeaderResult::Ok;
    }
    return THeaderResult::TooLong;
}

void ParsingError() {
    ShowError("An error occurred parsing the FITS header.");
}

void OpeningError(const std::string& path) {
    ShowError("An error occurred opening FITS file: " + path);
}

std::string TruncatedMessage(std::int64_t promised, std::int64_t present) {
    return "This FITS file is truncated: its header describes " + std::to_string(promised) +
           " values but the data unit holds only " + std::to_string(present) + ".";
}

enum class TDataResult { Ok, Short, ReadError };

// Reads samples [begin, end) of the data unit and converts them; the 16- and 32-bit kinds are
// read straight into the output and converted in place.
TDataResult ReadRange(const TFitsFile& file, std::int64_t dataStart, int bitpix,
                      TFitsScaling scaling, void* output, std::size_t begin, std::size_t end) {
    const std::size_t fileBytes = bitpix == 16 ? 2 : bitpix == -32 ? 4 : 8;
    std::unique_ptr<std::uint8_t[]> staging;
    if (bitpix == -64)
        staging.reset(new std::uint8_t[StepSamples * fileBytes]);
    for (std::size_t first = begin; first < end; first += StepSamples) {
        const std::size_t n = std::min(StepSamples, end - first);
        const std::size_t bytes = n * fileBytes;
        const std::int64_t offset = dataStart + std::int64_t(first * fileBytes);
        void* target = nullptr;
        if (bitpix == 16)
            target = static_cast<std::uint16_t*>(output) + first;
        else if (bitpix == -32)
            target = static_cast<std::uint32_t*>(output) + first;
        else
            target = staging.get();
        const std::int64_t got = file.ReadAt(target, bytes, offset);
        if (got < 0)
            return TDataResult::ReadError;
        if (static_cast<std::size_t>(got) < bytes)
            return TDataResult::Short; // the file shrank since we measured it
        if (bitpix == 16)
            DecodeInt16(static_cast<std::uint16_t*>(target), n, scaling);
        else if (bitpix == -32)
            DecodeFloat32(static_cast<std::uint32_t*>(target), n, scaling);
        else
            DecodeFloat64(staging.get(), static_cast<float*>(output) + first, n, scaling);
    }
    return TDataResult::Ok;
}

} // namespace

TFitsHeader ReadFitsHeader(const std::string& path, int& cardCount) {
    cardCount = 0;
    TFitsHeader cards;
    TFitsFile file;
    if (!file.OpenRead(path)) {
        OpeningError(path);
        return cards;
    }
    if (ReadCards(file, cards) != THeaderResult::Ok)
        ParsingError();
    cardCount = static_cast<int>(cards.size());
    return cards;
}

int ReadFitsData(const std::string& path, int& cardCount, TFitsHeader& header,
                 TFitsSamples& samples) {
    TFitsFile file;
    if (!file.OpenRead(path)) {
        OpeningError(path);
        return -1;
    }
    TFitsHeader cards;
    const THeaderResult headerResult = ReadCards(file, cards);
    cardCount = static_cast<int>(cards.size());
    header = std::move(cards);
    if (headerResult != THeaderResult::Ok) {
        ParsingError();
        return -1;
    }

    const TFitsScaling scaling = FitsScalingOf(header);
    const int naxis1 = IntegerKeyword(header, "NAXIS1");
    const int naxis2 = IntegerKeyword(header, "NAXIS2");
    const int bitpix = IntegerKeyword(header, "BITPIX");
    const int naxis = IntegerKeyword(header, "NAXIS");
    if (naxis > 2 || naxis < 1) {
        ShowError("Only FITS files with 1 or 2 dimensions are supported.");
        return -1;
    }
    if (bitpix != 16 && bitpix != -32 && bitpix != -64) {
        ShowError("This FITS file contains a data type which is not currently supported.");
        return -1;
    }
    const std::int64_t count = FitsSampleCount(naxis1, FitsRows(naxis, naxis2));
    if (count < 0) {
        ShowError(FitsSizeMessage(naxis1, naxis2));
        return -1;
    }

    // Check the data unit is all there before allocating for it: the header alone may promise
    // any amount.
    const std::int64_t fileBytes = bitpix == 16 ? 2 : bitpix == -32 ? 4 : 8;
    const std::int64_t dataStart = FitsDataStart(cardCount);
    const std::int64_t size = file.Size();
    if (size < 0) {
        ReportError(2002);
        return -1;
    }
    const std::int64_t present = size > dataStart ? (size - dataStart) / fileBytes : 0;
    if (present < count) {
        ShowError(TruncatedMessage(count, present));
        return -1;
    }

    TPageBuffer buffer;
    try {
        buffer = TPageBuffer(static_cast<std::size_t>(count) * (bitpix == 16 ? 2 : 4));
    } catch (const std::bad_alloc&) {
        ReportError(2002);
        return -1;
    }
    const auto steps = static_cast<int>((count + StepSamples - 1) / StepSamples);
    std::atomic<int> failure{static_cast<int>(TDataResult::Ok)};
    try {
        ParallelFor(
            steps,
            [&](int s0, int s1) {
                const std::size_t begin = std::size_t(s0) * StepSamples;
                const std::size_t end = std::min<std::size_t>(std::size_t(s1) * StepSamples, count);
                TDataResult result = TDataResult::ReadError;
                try {
                    result = ReadRange(file, dataStart, bitpix, scaling, buffer.Data(), begin, end);
                } catch (const std::exception&) {
                }
                if (result != TDataResult::Ok)
                    failure = static_cast<int>(result);
            },
            8);
    } catch (const std::exception&) {
        failure = static_cast<int>(TDataResult::ReadError);
    }
    if (failure == static_cast<int>(TDataResult::Short)) {
        const std::int64_t now = std::max<std::int64_t>(file.Size() - dataStart, 0) / fileBytes;
        ShowError(TruncatedMessage(count, std::min(now, count - 1)));
        return -1;
    }
    if (failure != static_cast<int>(TDataResult::Ok)) {
        ReportError(2002);
        return -1;
    }
    samples.Bitpix = bitpix;
    samples.Count = count;
    samples.Buffer = std::move(buffer);
    return 0;
}
