// PDF objects, streams and the file around them.
#include "render/PdfObjects.h"

#include <zlib.h>

#include <cmath>
#include <cstdio>

int PdfObjects::Reserve() {
    bodies_.emplace_back();
    return static_cast<int>(bodies_.size());
}

void PdfObjects::Set(int number, std::string body) {
    if (number < 1) return;
    if (bodies_.size() < static_cast<size_t>(number)) bodies_.resize(static_cast<size_t>(number));
    bodies_[static_cast<size_t>(number) - 1] = std::move(body);
}

int PdfObjects::Add(std::string body) {
    const int number = Reserve();
    Set(number, std::move(body));
    return number;
}

void PdfObjects::SetStream(int number, std::string_view entries, std::string_view data, bool deflate) {
    std::string packed;
    if (deflate) packed = Deflate(data);
    const std::string_view bytes = deflate ? std::string_view(packed) : data;
    std::string body = "<<";
    body += entries;
    if (deflate) body += "/Filter/FlateDecode";
    body += "/Length " + std::to_string(bytes.size()) + ">>\nstream\n";
    body.append(bytes);
    body += "\nendstream";
    Set(number, std::move(body));
}

int PdfObjects::AddStream(std::string_view entries, std::string_view data, bool deflate) {
    const int number = Reserve();
    SetStream(number, entries, data, deflate);
    return number;
}

std::string PdfObjects::Finish(int catalog, int info) const {
    // The binary comment tells transfer programs that the file is not text.
    std::string out = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    offsets.reserve(bodies_.size());
    for (size_t i = 0; i < bodies_.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n";
        out += bodies_[i].empty() ? std::string("null") : bodies_[i];
        out += "\nendobj\n";
    }
    const size_t xref = out.size();
    out += "xref\n0 " + std::to_string(bodies_.size() + 1) + "\n0000000000 65535 f \n";
    char line[24];
    for (size_t offset : offsets) {
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        out += line;
    }
    out += "trailer\n<</Size " + std::to_string(bodies_.size() + 1) + "/Root " + std::to_string(catalog) +
           " 0 R/Info " + std::to_string(info) + " 0 R>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string PdfNumber(double value) {
    if (!std::isfinite(value)) return "0";
    long long thousandths = std::llround(value * 1000.0);
    std::string out = thousandths < 0 ? "-" : "";
    const unsigned long long magnitude = thousandths < 0 ? 0ull - static_cast<unsigned long long>(thousandths)
                                                         : static_cast<unsigned long long>(thousandths);
    out += std::to_string(magnitude / 1000);
    unsigned long long fraction = magnitude % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 3 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        out += "." + digits;
    }
    return out == "-0" ? "0" : out;
}

std::string PdfText(std::u16string_view text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out = "<FEFF";
    auto unit = [&](char16_t c) {
        out += kHex[(c >> 12) & 15];
        out += kHex[(c >> 8) & 15];
        out += kHex[(c >> 4) & 15];
        out += kHex[c & 15];
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            unit(c);
            unit(text[++i]);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            unit(0xFFFD);
        } else {
            unit(c);
        }
    }
    return out + ">";
}

std::string PdfName(std::string_view name) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out = "/";
    for (unsigned char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '+' || c == '_' || c == '.';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '#';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string Deflate(std::string_view bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                  static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    out.resize(size);
    return out;
}
