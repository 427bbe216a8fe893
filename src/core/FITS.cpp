// FITS header cards: lookups, updates and the builders for a new header.

#include "core/FITS.h"

#include "core/Messages.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::size_t KeywordWidth = 8;
constexpr std::size_t ValueStart = 10; // column 11
constexpr std::size_t ValueEnd = 30;   // column 30, inclusive

bool KeywordMatches(const std::string& card, const std::string& keyword) {
    // Both sides padded to 8: "NAXIS" must not match "NAXIS1", and a short card still compares.
    if (keyword.size() > KeywordWidth)
        return false;
    for (std::size_t i = 0; i < KeywordWidth; ++i) {
        const char k = i < keyword.size() ? keyword[i] : ' ';
        const char c = i < card.size() ? card[i] : ' ';
        if (k != c)
            return false;
    }
    return true;
}

std::string_view ValueField(const std::string& card) {
    if (card.size() <= ValueStart)
        return {};
    return std::string_view(card).substr(ValueStart, ValueEnd - ValueStart);
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool ParseInteger(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

std::size_t Digits(std::string_view s, std::size_t at) {
    std::size_t n = 0;
    while (at + n < s.size() && s[at + n] >= '0' && s[at + n] <= '9')
        ++n;
    return n;
}

// Plain decimal notation only: no "D" exponents, no "inf" or "nan", "." as the separator.
bool ParseReal(std::string_view text, double& value) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const std::size_t whole = Digits(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        fraction = Digits(text, at + 1);
        at += 1 + fraction;
    }
    if (whole + fraction == 0)
        return false;
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
        std::size_t sign = at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-');
        const std::size_t exponent = Digits(text, at + 1 + sign);
        if (exponent == 0)
            return false;
        at += 1 + sign + exponent;
    }
    if (at != text.size())
        return false;
    if (text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

void KeywordError(const std::string& keyword) {
    ShowError("An error occurred processing FITS keyword: " + keyword + ".");
}

// 80 spaces with the keyword in columns 1-8 and, for value cards, "= " in columns 9-10.
std::string CardStart(const std::string& keyword, bool valueCard) {
    std::string card(FitsCardSize, ' ');
    card.replace(0, std::min(keyword.size(), KeywordWidth), keyword, 0, KeywordWidth);
    if (valueCard)
        card.replace(KeywordWidth, 2, "= ");
    return card;
}

// Right-justifies text so that it ends in column 30; longer text runs leftwards over "= ".
std::string ValueCard(const std::string& keyword, const std::string& text) {
    std::string card = CardStart(keyword, true);
    const std::size_t length = std::min(text.size(), ValueEnd);
    card.replace(ValueEnd - length, length, text, text.size() - length, length);
    return card;
}

} // namespace

bool HasKeyword(const TFitsHeader& header, const std::string& keyword) {
    for (const auto& card : header)
        if (KeywordMatches(card, keyword))
            return true;
    return false;
}

int IntegerKeyword(const TFitsHeader& header, const std::string& keyword) {
    int result = 0;
    for (const auto& card : header) {
        if (!KeywordMatches(card, keyword))
            continue;
        if (!ParseInteger(TrimRight(TrimLeft(ValueField(card))), result)) {
            KeywordError(keyword);
            return 0;
        }
    }
    return result;
}

double RealKeyword(const TFitsHeader& header, const std::string& keyword) {
    double result = 0;
    for (const auto& card : header) {
        if (!KeywordMatches(card, keyword))
            continue;
        if (!ParseReal(TrimRight(TrimLeft(ValueField(card))), result)) {
            KeywordError(keyword);
            result = 0;
        }
    }
    return result;
}

void UpdateIntegerKeyword(TFitsHeader& header, const std::string& keyword, int value) {
    for (auto& card : header) {
        if (!KeywordMatches(card, keyword))
            continue;
        if (card.size() < ValueEnd)
            card.resize(ValueEnd, ' ');
        const std::string text = std::to_string(value);
        const std::size_t field = ValueEnd - ValueStart;
        card.replace(ValueStart, field, std::string(field - text.size(), ' ') + text);
        return;
    }
}

std::string LogicalCard(const std::string& keyword, bool value) {
    return ValueCard(keyword, value ? "T" : "F");
}

std::string IntegerCard(const std::string& keyword, long long value) {
    return ValueCard(keyword, std::to_string(value));
}

std::string RealCard(const std::string& keyword, double value) {
    // printf gives at least two exponent digits; the card wants four (3.276800E+0004).
    char text[64];
    std::snprintf(text, sizeof text, "%.6E", value);
    std::string s = text;
    const auto e = s.find('E');
    if (e != std::string::npos && e + 2 < s.size()) {
        std::string exponent = s.substr(e + 2);
        if (exponent.size() < 4)
            exponent.insert(0, 4 - exponent.size(), '0');
        s = s.substr(0, e + 2) + exponent;
    }
    return ValueCard(keyword, s);
}

std::string StringCard(const std::string& keyword, const std::string& text) {
    // Quote in column 11, text from 12, closing quote after the text but within columns 20-80.
    // A quote inside the text is doubled; a doubled pair is never cut in half.
    constexpr std::size_t maxText = FitsCardSize - ValueStart - 2;
    std::string quoted;
    for (const char c : text) {
        const std::size_t need = c == '\'' ? 2 : 1;
        if (quoted.size() + need > maxText)
            break;
        quoted.append(need, c);
    }
    if (quoted.size() < 8)
        quoted.resize(8, ' ');
    std::string card = CardStart(keyword, true);
    card.replace(ValueStart, quoted.size() + 2, "'" + quoted + "'");
    return card;
}

std::string CommentCard(const std::string& text) {
    std::string card = CardStart("COMMENT", false);
    const std::size_t length = std::min(text.size(), FitsCardSize - KeywordWidth);
    card.replace(KeywordWidth, length, text, 0, length);
    return card;
}

std::string BareCard(const std::string& keyword) {
    return CardStart(keyword, false);
}

TFitsHeader NewFitsHeader(int bitpix, int naxis1, int naxis2, const std::string& name, double bzero,
                          double bscale) {
    TFitsHeader header;
    header.push_back(LogicalCard("SIMPLE", true));
    header.push_back(IntegerCard("BITPIX", bitpix));
    header.push_back(IntegerCard("NAXIS", 2));
    header.push_back(IntegerCard("NAXIS1", naxis1));
    header.push_back(IntegerCard("NAXIS2", naxis2));
    header.push_back(RealCard("BZERO", bzero));
    header.push_back(RealCard("BSCALE", bscale));
    header.push_back(StringCard("ORIGIN", "Zelvane Image 3.0"));
    header.push_back(CommentCard(FitsWebSite));
    if (!name.empty())
        header.push_back(StringCard("ORIGNAME", name));
    header.push_back(BareCard("END"));
    return header;
}
