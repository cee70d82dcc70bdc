// The bytes of a PDF file: numbered objects, streams deflated with zlib, the cross-reference table
// and the trailer, and the small pieces of PDF syntax (numbers, names, text strings). No Windows
// API, so it is built and tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PdfObjects {
  public:
    // A number for an object written later (objects may refer to each other in any order).
    int Reserve();
    // The object's body ("<< ... >>", "[ ... ]", a number); a number from Reserve or a new one.
    void Set(int number, std::string body);
    int Add(std::string body);
    // A stream: `entries` are the dictionary's entries besides /Length and /Filter; the data is
    // deflated when `deflate` is set.
    void SetStream(int number, std::string_view entries, std::string_view data, bool deflate = true);
    int AddStream(std::string_view entries, std::string_view data, bool deflate = true);

    // The whole file with the catalog and information dictionary given. Objects reserved and never
    // set are written as null, so every reference resolves.
    std::string Finish(int catalog, int info) const;

  private:
    std::vector<std::string> bodies_; // object n is bodies_[n - 1]
};

// A number in the shortest form with at most three decimals ("12", "12.5", "-0.125").
std::string PdfNumber(double value);

// Text for a text string of PDF (titles, outline entries): UTF-16BE with its byte order mark, in
// hexadecimal, so PDF's delimiters and any character travel unchanged. Lone surrogates become
// U+FFFD.
std::string PdfText(std::u16string_view text);

// A name of PDF's syntax ("/Name") with every character outside letters and digits written as #xx.
std::string PdfName(std::string_view name);

// Bytes deflated with zlib's header (for /FlateDecode), at the default level.
std::string Deflate(std::string_view bytes);
