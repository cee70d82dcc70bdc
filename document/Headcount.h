// How many people each manager leads: direct reports and everyone below, counted over the whole
// list (so over every page of a book), as a manager's box shows it ("6 · 42").
#pragma once

#include <string>
#include <vector>

struct Headcount {
    int direct = 0; // direct reports
    int all = 0;    // everyone below, the direct reports included
};

// The headcount of every person of the tree managerOf describes (an index or -1 for a top
// person). People marked in `apart` (open positions) are counted in neither figure; an empty
// `apart` marks nobody.
std::vector<Headcount> CountHeads(const std::vector<int>& managerOf, const std::vector<char>& apart = {});

// "6 · 42", kept on one line by no-break spaces; empty for someone who leads nobody.
std::u16string HeadcountText(const Headcount& count);
