// Number formats of cells: rounding on decimal digits, the seven masks and the Spanish
// punctuation.
#include "render/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

struct RoundedDigits {
    std::string integer;  // without leading zeros: empty for a value below 1
    std::string fraction; // exactly the asked number of digits
    bool negative = false;
};

// Rounds on the shortest decimal form of the value, the digits the user typed, so that 2.675
// (stored as 2.67499999...) still rounds up as it reads.
RoundedDigits RoundToDecimals(double value, int decimals) {
    RoundedDigits result;
    char buffer[512]; // the longest fixed form of a double (a denormal) has 327 characters
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    if (error != std::errc()) return result;
    std::string_view digits(buffer, static_cast<size_t>(end - buffer));
    size_t point = digits.find('.');
    std::string_view integer = digits.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);

    std::string all(integer);
    bool roundUp = fraction.size() > static_cast<size_t>(decimals) && fraction[decimals] >= '5';
    all.append(fraction.substr(0, std::min(fraction.size(), static_cast<size_t>(decimals))));
    all.append(decimals - std::min(fraction.size(), static_cast<size_t>(decimals)), '0');
    if (roundUp) {
        size_t i = all.size();
        while (i > 0 && all[i - 1] == '9')
            all[--i] = '0';
        if (i == 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[i - 1];
        }
    }
    size_t integerLength = all.size() - decimals;
    size_t firstSignificant = all.find_first_not_of('0');
    result.integer = firstSignificant < integerLength
                         ? all.substr(firstSignificant, integerLength - firstSignificant)
                         : std::string();
    result.fraction = all.substr(integerLength);
    // A value that rounds to zero shows no sign.
    result.negative = value < 0 && firstSignificant != std::string::npos;
    return result;
}

std::string Grouped(const std::string& integer) {
    std::string out;
    out.reserve(integer.size() + integer.size() / 3);
    for (size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(integer[i]);
    }
    return out;
}

// Spanish punctuation; every character is decided on the text as the mask produced it.
std::string Replaced(const std::string& text, int formatType) {
    std::string out = text;
    for (char& c : out) {
        if (formatType == 4) {
            if (c == ',') {
                c = '.';
            } else if (c == '.') {
                c = '\'';
            }
        } else if (formatType == 5 && c == ',') {
            c = '.';
        } else if (formatType == 6 && c == '.') {
            c = '\'';
        }
    }
    return out;
}

} // namespace

std::string FormatCellNumber(double value, int formatType) {
    std::string text;
    if (formatType >= 1 && formatType <= 7 && std::isfinite(value)) {
        bool twoDecimals = formatType == 1 || formatType == 3 || formatType == 4 || formatType == 6;
        RoundedDigits d = RoundToDecimals(value, twoDecimals ? 2 : 0);
        if (d.negative) text.push_back('-');
        switch (formatType) {
        case 1: // "###,###,###,###.00"
        case 4:
            text += Grouped(d.integer) + "." + d.fraction;
            break;
        case 2: // "###,###,###,###"
        case 5:
            text += Grouped(d.integer);
            break;
        case 3: // "0.00"
        case 6:
            text += (d.integer.empty() ? std::string("0") : d.integer) + "." + d.fraction;
            break;
        case 7: // "############"
            text += d.integer;
            break;
        }
        text = Replaced(text, formatType);
    }
    text.resize(kNumberFieldWidth, ' ');
    return text;
}

double LeadingNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    std::string number;
    bool anyDigit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            number.push_back(static_cast<char>(c));
            anyDigit = true;
        } else if (c == u'.' && !point) {
            number.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    return negative ? -value : value;
}

std::string_view TrimSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
