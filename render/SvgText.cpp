// XML escaping, numbers, colours, base64 and font families for the SVG writer.
#include "render/SvgText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

} // namespace

std::string SvgEscape(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            continue; // half a pair is no character
        }
        if ((c < 0x20 && c != u'\t') || c == 0xFFFE || c == 0xFFFF) continue;
        switch (c) {
        case u'&':
            out += "&amp;";
            break;
        case u'<':
            out += "&lt;";
            break;
        case u'>':
            out += "&gt;";
            break;
        case u'"':
            out += "&quot;";
            break;
        case u'\'':
            out += "&apos;";
            break;
        default:
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string SvgNumber(double value) {
    if (!std::isfinite(value)) return "0";
    long long hundredths = std::llround(value * 100.0);
    std::string out = hundredths < 0 ? "-" : "";
    unsigned long long magnitude = hundredths < 0 ? 0ULL - static_cast<unsigned long long>(hundredths)
                                                  : static_cast<unsigned long long>(hundredths);
    out += std::to_string(magnitude / 100);
    unsigned fraction = static_cast<unsigned>(magnitude % 100);
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10) out += static_cast<char>('0' + fraction % 10);
    }
    return out == "-0" ? "0" : out;
}

std::string SvgColour(uint32_t colorref) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colorref & 0xFF, (colorref >> 8) & 0xFF,
                  (colorref >> 16) & 0xFF);
    return text;
}

std::string Base64(std::string_view bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        uint32_t v =
            uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < bytes.size()) {
        uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

GenericFamily GenericFamilyOf(uint8_t pitchAndFamily, bool fixedPitch) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10:
        return GenericFamily::Serif; // FF_ROMAN
    case 0x30:
        return GenericFamily::Monospace; // FF_MODERN
    case 0x40:
        return GenericFamily::Cursive; // FF_SCRIPT
    case 0x50:
        return GenericFamily::Fantasy; // FF_DECORATIVE
    default:
        return fixedPitch ? GenericFamily::Monospace : GenericFamily::SansSerif;
    }
}

std::string SvgFontFamily(std::u16string_view face, GenericFamily generic) {
    struct Alike {
        std::u16string_view face;
        const char* free;
        GenericFamily generic;
    };
    static const Alike kAlike[] = {
        {u"arial", "Liberation Sans", GenericFamily::SansSerif},
        {u"helvetica", "Liberation Sans", GenericFamily::SansSerif},
        {u"ms sans serif", "Liberation Sans", GenericFamily::SansSerif},
        {u"tahoma", "DejaVu Sans", GenericFamily::SansSerif},
        {u"verdana", "DejaVu Sans", GenericFamily::SansSerif},
        {u"times new roman", "Liberation Serif", GenericFamily::Serif},
        {u"times", "Liberation Serif", GenericFamily::Serif},
        {u"ms serif", "Liberation Serif", GenericFamily::Serif},
        {u"courier new", "Liberation Mono", GenericFamily::Monospace},
        {u"courier", "Liberation Mono", GenericFamily::Monospace},
    };
    std::string list;
    std::string name = SvgEscape(face);
    if (!name.empty() && name.find("&apos;") == std::string::npos) list = "'" + name + "', ";
    const std::u16string lower = Lower(face);
    for (const Alike& alike : kAlike)
        if (lower == alike.face) {
            list += std::string("'") + alike.free + "', ";
            generic = alike.generic;
            break;
        }
    static const char* const kGeneric[] = {"sans-serif", "serif", "monospace", "cursive", "fantasy"};
    return list + kGeneric[static_cast<int>(generic)];
}
