// The small pieces of an SVG file that need no Windows API: text escaped for XML in UTF-8,
// numbers, colours, base64 for embedded pictures and font families a browser can resolve.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-16 text as UTF-8 escaped for XML character data and attribute values: & < > " ' become
// entities, characters XML cannot carry (controls other than tab, lone surrogates) are left out.
std::string SvgEscape(std::u16string_view text);

// A number in the shortest form that keeps two decimals ("12", "12.5", "-0.25").
std::string SvgNumber(double value);

// A GDI colour (0x00BBGGRR) as "#rrggbb".
std::string SvgColour(uint32_t colorref);

// Bytes in base64 (RFC 4648, with padding).
std::string Base64(std::string_view bytes);

// Generic families of a font, from its pitch and family byte (FF_ROMAN, FF_SWISS, FF_MODERN,
// FF_SCRIPT, FF_DECORATIVE in the high nibble; fixed pitch in bit 0).
enum class GenericFamily { SansSerif, Serif, Monospace, Cursive, Fantasy };
GenericFamily GenericFamilyOf(uint8_t pitchAndFamily, bool fixedPitch);

// The CSS font-family list for a face: the face itself, the free face of the same measures where
// one is known (the Liberation faces of Arial, Times New Roman and Courier New) and the generic
// family, so a browser without the face still shows text of the right kind and width. Quoted and
// escaped for an attribute in double quotes.
std::string SvgFontFamily(std::u16string_view face, GenericFamily generic);
