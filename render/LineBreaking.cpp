// The split of one text at a width, the step the line-breaking rule repeats.
#include "render/LineBreaking.h"

SplitPieces SplitAtFit(std::u16string_view s, size_t fit) {
    if (fit >= s.size()) return {s, {}};
    for (size_t i = fit; i >= 1; --i) {
        if (s[i] == u' ') return {s.substr(0, i), s.substr(i)};
    }
    return {{}, s};
}

std::u16string_view WithoutLeadingSpaces(std::u16string_view s) {
    size_t first = s.find_first_not_of(u' ');
    return first == std::u16string_view::npos ? std::u16string_view() : s.substr(first);
}
