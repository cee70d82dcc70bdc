// Headcounts against a count over the list: for each person, everyone whose chain of managers
// passes through them, open positions left out.
#include "document/Headcount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(Headcount, CountsDirectReportsAndEveryoneBelowLeavingOpenPositionsApart) {
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        const int n = 1 + int(random() % 60);
        std::vector<int> managerOf(static_cast<size_t>(n), -1);
        std::vector<int> order(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            order[size_t(i)] = i;
        // Managers come earlier in a shuffled order, so that the tree has no cycle whatever the
        // indices; some chains run deep.
        std::shuffle(order.begin(), order.end(), random);
        for (int k = 1; k < n; ++k)
            if (random() % 8 != 0)
                managerOf[size_t(order[size_t(k)])] =
                    order[random() % 3 == 0 ? size_t(k - 1) : size_t(random() % unsigned(k))];
        std::vector<char> apart(static_cast<size_t>(n));
        for (char& a : apart)
            a = random() % 5 == 0;

        const std::vector<Headcount> counts = CountHeads(managerOf, apart);
        ASSERT_EQ(counts.size(), size_t(n));
        for (int p = 0; p < n; ++p) {
            int direct = 0, all = 0;
            for (int q = 0; q < n; ++q) {
                if (apart[size_t(q)]) continue;
                direct += managerOf[size_t(q)] == p;
                for (int m = managerOf[size_t(q)]; m >= 0; m = managerOf[size_t(m)])
                    if (m == p) ++all;
            }
            EXPECT_EQ(counts[size_t(p)].direct, direct) << p;
            EXPECT_EQ(counts[size_t(p)].all, all) << p;
        }
    }
}
