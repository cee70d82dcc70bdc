// Headcounts of a list's managers.
#include "document/Headcount.h"

std::vector<Headcount> CountHeads(const std::vector<int>& managerOf, const std::vector<char>& apart) {
    const size_t n = managerOf.size();
    std::vector<Headcount> counts(n);
    // Everyone's depth first, so that people can be summed up from the deepest level to the top
    // without recursion (a list may be thousands of levels deep).
    std::vector<int> depth(n, -1);
    std::vector<size_t> chain;
    for (size_t i = 0; i < n; ++i) {
        size_t p = i;
        while (depth[p] < 0 && managerOf[p] >= 0) {
            chain.push_back(p);
            p = size_t(managerOf[p]);
        }
        if (depth[p] < 0) depth[p] = 0;
        for (int d = depth[p]; !chain.empty(); chain.pop_back())
            depth[chain.back()] = ++d;
    }
    std::vector<std::vector<size_t>> levels;
    for (size_t i = 0; i < n; ++i) {
        if (size_t(depth[i]) >= levels.size()) levels.resize(size_t(depth[i]) + 1);
        levels[size_t(depth[i])].push_back(i);
    }
    for (size_t d = levels.size(); d-- > 1;)
        for (size_t i : levels[d]) {
            Headcount& manager = counts[size_t(managerOf[i])];
            const int self = i < apart.size() && apart[i] ? 0 : 1;
            manager.direct += self;
            manager.all += self + counts[i].all;
        }
    return counts;
}

std::u16string HeadcountText(const Headcount& count) {
    if (count.direct == 0 && count.all == 0) return {};
    std::string digits = std::to_string(count.direct) + "\xA0\xB7\xA0" + std::to_string(count.all);
    std::u16string text;
    for (char c : digits)
        text += char16_t(static_cast<unsigned char>(c));
    return text;
}
