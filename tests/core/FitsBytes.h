#pragma once
// Hand-made FITS files for the tests: cards, padded headers and big-endian data units.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace fitsbytes {

// A value card with the value right-justified to end in column 30.
inline std::string Card(const std::string& keyword, const std::string& value) {
    char text[96];
    std::snprintf(text, sizeof text, "%-8s= %20s", keyword.c_str(), value.c_str());
    return std::string(text).append(80, ' ').substr(0, 80);
}

inline std::string Card(const std::string& keyword, long long value) {
    return Card(keyword, std::to_string(value));
}

inline std::string End() {
    return std::string("END").append(77, ' ');
}

// Cards joined and padded with spaces to whole 2880-byte blocks.
inline std::string Header(const std::vector<std::string>& cards) {
    std::string header;
    for (const auto& card : cards)
        header += card;
    header.append((2880 - header.size() % 2880) % 2880, ' ');
    return header;
}

inline std::vector<std::string> ImageCards(int bitpix, int naxis1, int naxis2) {
    return {Card("SIMPLE", "T"), Card("BITPIX", bitpix), Card("NAXIS", 2), Card("NAXIS1", naxis1),
            Card("NAXIS2", naxis2)};
}

template <class T> std::string BigEndian(T value) {
    const auto bits = std::bit_cast<
        std::conditional_t<sizeof(T) == 2, std::uint16_t,
                           std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>(
        value);
    std::string out(sizeof(T), '\0');
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<char>(bits >> (8 * (sizeof(T) - 1 - i)));
    return out;
}

template <class T> std::string Data(std::initializer_list<T> values, bool pad = true) {
    std::string out;
    for (T v : values)
        out += BigEndian(v);
    if (pad)
        out.append((2880 - out.size() % 2880) % 2880, '\0');
    return out;
}

} // namespace fitsbytes
