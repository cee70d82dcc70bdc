// A deterministic stand-in for a serif box font, for the chart benchmarks: narrow and wide letters
// differ as they do on screen.
#pragma once

#include "render/BoxTextFit.h"

#include <string_view>
#include <vector>

inline BoxTextMeasure SerifMeasure() {
    return MakeBoxTextMeasure(
        [](std::u16string_view text, int points) {
            std::vector<int> extents;
            int x = 0;
            for (char16_t c : text)
                extents.push_back(x += (c == u' '                ? 3
                                        : c == u'i' || c == u'l' ? 3
                                        : c < u'a'               ? 8
                                                                 : 5) *
                                       points / 10);
            return extents;
        },
        [](int points) { return points * 3 / 2 + 1; });
}
