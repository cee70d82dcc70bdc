// Laying out an organisation chart on whole cells.
//
// Every subtree keeps a small set of arrangements, none of them both wider and taller than another
// (its front), built from its reports' fronts: the reports in one row below a bar, in several rows
// hung from a trunk, stacked beside a vertical line on one side or both (reports without reports of
// their own), or one report straight below. Each arrangement is a rectangle of cells (its block)
// with the subtree's top box at its top. At the top the most compact arrangement that fits the table
// wins, and the first grid it fits, largest cells and text first, is the one taken. Connectors run
// on cell edges through cells no box covers and reach the middle of the sides they join.
#include "document/OrgLayout.h"

#include "document/OrgBoxes.h"

#include "document/Document.h"
#include "document/Structure.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <set>

namespace {

constexpr int kLargestTable = 1122;  // pixels of the table picture
constexpr size_t kFrontSize = 16;    // arrangements kept for a subtree
constexpr size_t kTopFrontSize = 64; // for the top people and the heads below them: few, and decisive
constexpr size_t kHeightLimits = 40; // report heights a team's rows are tried with
constexpr size_t kColumnCounts = 8;  // numbers of columns a team's reports are tried in
constexpr int kLongestStack = 16;    // reports of a row stacked in one column at most
constexpr size_t kStackWidths = 20;  // widths such a stack is tried at
constexpr int kUnlimited = 1 << 24;
// A chart with every manager above their people is taken while it needs no more than this many
// times the cells of its boxes and their gaps; past that, a denser one on the same grid is.
constexpr double kFairWaste = 2.0;

struct Grid {
    int cellSize = 0, columns = 0, rows = 0, points = 0;
};

// How a manager's reports stand. Below: the one report under the manager; Row: side by side under
// a bar; Columns: in columns hung from a bar, one below the other beside each column's line; Tiers:
// several rows hung from a trunk; Side*: one below the other beside a trunk; Shelves: top people
// side by side, in as many shelves as `tiers` asks.
enum class Kind : uint8_t { Leaf, Below, Row, Columns, Tiers, SideBoth, SideOne, Shelves };

struct Option {
    int width = 0, height = 0, port = 0; // port: column whose left edge the line from above meets
    Kind kind = Kind::Leaf;
    int tiers = 1; // items in a row of Tiers, columns of Columns, roots on a shelf of Shelves
    // Each report takes its narrowest arrangement no taller than this, or in Side and Columns its
    // lowest no wider than this.
    int limit = 0;
    // Row and Tiers: runs of reports stacked beside lines dropped from the bar; Side and Columns on
    // one side: runs of leaves in pairs on lines of their own.
    bool grouped = false;
    bool bothSides = false; // Columns: reports on both sides of each column's line
};
using Front = std::vector<Option>;

struct Tree {
    std::vector<int> person; // local index -> index in the list
    std::vector<std::vector<int>> reports;
    std::vector<int> roots, depth, bottomUp;
};

Tree MakeTree(const std::vector<int>& managerOf, const std::vector<int>& team) {
    Tree tree;
    tree.person = team;
    const int n = int(team.size());
    std::vector<int> local(managerOf.size(), -1);
    for (int i = 0; i < n; ++i)
        local[size_t(team[size_t(i)])] = i;
    tree.reports.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        int m = managerOf[size_t(team[size_t(i)])];
        if (m < 0 || local[size_t(m)] < 0)
            tree.roots.push_back(i);
        else
            tree.reports[size_t(local[size_t(m)])].push_back(i);
    }
    tree.depth.assign(size_t(n), 0);
    std::vector<int> order(tree.roots);
    for (size_t k = 0; k < order.size(); ++k)
        for (int r : tree.reports[size_t(order[k])]) {
            tree.depth[size_t(r)] = tree.depth[size_t(order[k])] + 1;
            order.push_back(r);
        }
    tree.bottomUp.assign(order.rbegin(), order.rend());
    return tree;
}

struct Layouter {
    const Tree& tree;
    std::vector<int> boxW, boxH;
    std::vector<Front> front;
    Front top;
    ChartLayout* out = nullptr; // set while placing
    // Teams with managers in them may stand one below the other too, as a list: denser, but the
    // managers no longer above their people. Tried only when the chart does not fit otherwise.
    bool lists = true;
    // Only the size of a chart far too large for a table is wanted: rows split the quick way.
    bool quick = false;

    const Option& Pick(int kid, int limit) const {
        const Front& f = front[size_t(kid)];
        for (const Option& o : f)
            if (o.height <= limit) return o;
        return f.back();
    }
    const Option& PickWide(int kid, int limit) const {
        const Front& f = front[size_t(kid)];
        for (size_t i = f.size(); i-- > 0;)
            if (f[i].width <= limit) return f[i];
        return f.front();
    }
    void Emit(int v, int x, int y) {
        out->boxes.push_back({tree.person[size_t(v)], x, y, boxW[size_t(v)], boxH[size_t(v)]});
    }
    void Line(bool vertical, int x, int y, int length) {
        if (length > 0) out->lines.push_back({vertical, x, y, length});
    }

    // The block of person v's subtree in arrangement o. Without `place` it only measures it; with
    // it, it emits the boxes and lines with the block's top-left corner at (ox, oy).
    Option Arrange(int v, Option o, bool place, int ox, int oy) {
        const int w = boxW[size_t(v)], h = boxH[size_t(v)];
        switch (o.kind) {
        case Kind::Leaf:
            if (place) Emit(v, ox, oy);
            o.width = w, o.height = h, o.port = w / 2;
            return o;
        case Kind::Below:
            return ArrangeBelow(v, o, place, ox, oy);
        case Kind::Row:
        case Kind::Columns:
            return ArrangeRow(v, o, place, ox, oy);
        case Kind::Tiers:
            return ArrangeTiers(v, o, place, ox, oy);
        case Kind::SideBoth:
        case Kind::SideOne:
            return ArrangeSide(v, o, place, ox, oy);
        case Kind::Shelves:
            break;
        }
        return o;
    }
    void Place(int kid, int limit, int x, int y) { Arrange(kid, Pick(kid, limit), true, x, y); }

    // The one report straight below, its box's middle under the manager's, one row apart.
    Option ArrangeBelow(int v, Option o, bool place, int ox, int oy) {
        const int w = boxW[size_t(v)], h = boxH[size_t(v)];
        const int kid = tree.reports[size_t(v)][0];
        const Option& b = Pick(kid, o.limit);
        const int boxX = b.port - w / 2;
        const int minX = std::min(0, boxX), maxX = std::max(b.width, boxX + w);
        if (place) {
            Emit(v, ox + boxX - minX, oy);
            Line(true, ox - minX + b.port, oy + h, 1);
            Place(kid, o.limit, ox - minX, oy + h + 1);
        }
        o.width = maxX - minX, o.height = h + 1 + b.height, o.port = b.port - minX;
        return o;
    }

    // One thing hung from a bar: a report's block, or a run of leaves stacked on both sides of a
    // line dropped from the bar (in a team whose arrangement groups them).
    struct Item {
        int first = 0, count = 1, sides = 0; // sides: 0 for a report's block, else of its stack
        int wide = 0;                        // a stack's reports: their widest arrangement
        int width = 0, height = 0, port = 0;
        bool paired = false; // a one-sided stack's runs of leaves stand in pairs on lines of their own
    };
    struct Split {
        int person = -1, limit = 0;
        std::vector<Item> items;
    };
    mutable Split lastSplit; // the last grouped row's items, while the fronts stay
    // Stacks of consecutive reports of one person, by first report and count: the same for every
    // height a row of the team is tried with, so made once while the fronts stay.
    struct Stacks {
        int person = -1;
        std::vector<std::vector<Item>> of; // [first * kLongestStack + count - 2]
        std::vector<char> made;
    };
    mutable Stacks stacks;

    // What stands next in a one-sided stack from report i: the report's block, or a run of leaves
    // in pairs both sides of a line of their own, joined to the stack's line along its top row.
    struct Entry {
        int count = 1, width = 0, height = 0, port = 0; // port: the run's own line
    };
    Entry NextEntry(int v, int i, int end, int wide, bool paired) const {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        int run = 0;
        while (paired && i + run < end && tree.reports[size_t(kids[size_t(i + run)])].empty())
            ++run;
        if (run < 2) {
            const Option& b = PickWide(kids[size_t(i)], wide);
            return {1, b.width, b.height, b.port};
        }
        int leftWidth = 0, rightWidth = 0;
        for (int k = 0; k < run; ++k) {
            int& side = k % 2 == 0 ? leftWidth : rightWidth;
            side = std::max(side, boxW[size_t(kids[size_t(i + k)])]);
        }
        const int pairs = (run + 1) / 2;
        return {run, leftWidth + 2 + rightWidth, pairs * (boxH[size_t(kids[size_t(i)])] + 1), leftWidth + 1};
    }

    // Reports first..first + count - 1 of v on both sides of a line, each in its lowest arrangement
    // no wider than `wide`: each goes to the side that ends higher (the left on a tie), never above
    // the one before it. A report on the left comes after one on the right only when the right
    // ended higher, that is below it: they read in their order from the top. Returns the height;
    // `tops` gets each one's top row and side (true: left).
    int TwoSided(int v, int first, int count, int wide, std::vector<std::pair<int, bool>>* tops,
                 int& leftWidth, int& rightWidth) const {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        int leftEnd = 0, rightEnd = 0, lastTop = 0;
        for (int i = first; i < first + count; ++i) {
            const Option& b = PickWide(kids[size_t(i)], wide);
            const bool left = leftEnd <= rightEnd;
            const int top = std::max(left ? leftEnd : rightEnd, lastTop);
            (left ? leftEnd : rightEnd) = top + b.height + 1;
            (left ? leftWidth : rightWidth) = std::max(left ? leftWidth : rightWidth, b.width);
            if (tops) tops->push_back({top, left});
            lastTop = top;
        }
        return std::max(leftEnd, rightEnd) - 1;
    }

    // Reports first..first + count - 1 of v one below the other beside a line at `port`: on its
    // right, or in pairs left then right; each in its lowest arrangement no wider than `wide`.
    Item StackItem(int v, int first, int count, int sides, int wide, bool paired = false) const {
        int leftWidth = 0, rightWidth = 0, height = -1;
        if (sides == 1) {
            for (int i = first; i < first + count;) {
                const Entry e = NextEntry(v, i, first + count, wide, paired);
                rightWidth = std::max(rightWidth, e.width);
                height += e.height + 1;
                i += e.count;
            }
        }
        if (sides == 2) height = TwoSided(v, first, count, wide, nullptr, leftWidth, rightWidth);
        const int port = sides == 2 ? leftWidth + 1 : 1;
        return {first, count, sides, wide, port + 1 + rightWidth, height, port, paired};
    }

    // The items of v's team under an arrangement: in Columns, stacks of consecutive reports; in
    // a grouped Row or Tiers, reports alone and stacks of consecutive ones (see below); else every
    // report alone.
    std::vector<Item> Items(int v, const Option& o) const {
        // A grouped row's split is the same for its Row and every Tiers of one limit: made once.
        if (o.kind == Kind::Columns || !o.grouped) return MakeItems(v, o);
        if (lastSplit.person != v || lastSplit.limit != o.limit) lastSplit = {v, o.limit, MakeItems(v, o)};
        return lastSplit.items;
    }
    // The stacks reports first..first + count - 1 of v may form in a row: on one side of their line,
    // as wide as the widest of them at its narrowest or wider where its teams then take lower
    // arrangements; on both sides, of leaves, or of teams too where teams may be listed.
    const std::vector<Item>& StacksOf(int v, int first, int count) const {
        const size_t n = tree.reports[size_t(v)].size();
        if (stacks.person != v) {
            stacks.person = v;
            stacks.of.assign(n * kLongestStack, {});
            stacks.made.assign(n * kLongestStack, 0);
        }
        const size_t at = size_t(first) * kLongestStack + size_t(count) - 2;
        if (stacks.made[at]) return stacks.of[at];
        const std::vector<int>& kids = tree.reports[size_t(v)];
        bool leaves = true;
        int wide = 0;
        for (int k = first; k < first + count; ++k) {
            leaves &= tree.reports[size_t(kids[size_t(k)])].empty();
            wide = std::max(wide, front[size_t(kids[size_t(k)])].front().width);
        }
        std::vector<int> widths{wide};
        for (int k = first; k < first + count; ++k)
            for (const Option& b : front[size_t(kids[size_t(k)])])
                if (b.width > wide) widths.push_back(b.width);
        std::vector<Item>& made = stacks.of[at];
        for (int width : Thinned(std::move(widths), wide, kStackWidths)) {
            made.push_back(StackItem(v, first, count, 1, width, true));
            if (!leaves && lists) made.push_back(StackItem(v, first, count, 2, width));
        }
        if (leaves) made.push_back(StackItem(v, first, count, 2, kUnlimited));
        // Only those no other is both narrower and lower than are worth a row's while.
        std::stable_sort(made.begin(), made.end(), [](const Item& a, const Item& b) {
            return a.width != b.width ? a.width < b.width : a.height < b.height;
        });
        std::vector<Item> kept;
        for (const Item& item : made)
            if (kept.empty() || item.height < kept.back().height) kept.push_back(item);
        made = std::move(kept);
        stacks.made[at] = 1;
        return made;
    }

    std::vector<Item> MakeItems(int v, const Option& o) const {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        const int n = int(kids.size());
        std::vector<Item> items;
        if (o.kind == Kind::Columns) {
            // Columns of consecutive reports, o.tiers of them at most, the tallest as low as it
            // can be: the least total of report heights a column must take, found by halving.
            const int sides = o.bothSides ? 2 : 1;
            std::vector<int> heights;
            for (int k : kids)
                heights.push_back(PickWide(k, o.limit).height + 1);
            auto fill = [&](int most, std::vector<int>* counts) {
                int columns = 0;
                for (int i = 0; i < n; ++columns) {
                    int count = 0, height = 0;
                    while (i + count < n && (count == 0 || height + heights[size_t(i + count)] <= most))
                        height += heights[size_t(i + count++)];
                    if (counts) counts->push_back(count);
                    i += count;
                }
                return columns;
            };
            int lo = *std::max_element(heights.begin(), heights.end());
            int hi = std::accumulate(heights.begin(), heights.end(), 0);
            while (lo < hi) {
                const int mid = (lo + hi) / 2;
                if (fill(mid, nullptr) <= o.tiers)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            std::vector<int> counts;
            fill(lo, &counts);
            for (int i = 0, c = 0; c < int(counts.size()); i += counts[size_t(c++)])
                items.push_back(StackItem(v, i, counts[size_t(c)], sides, o.limit, o.grouped));
            return items;
        }
        if (!o.grouped) {
            for (int i = 0; i < n; ++i) {
                const Option& b = Pick(kids[size_t(i)], o.limit);
                items.push_back({i, 1, 0, 0, b.width, b.height, b.port});
            }
            return items;
        }
        if (quick || n > 2 * kLongestStack) return LeafRunItems(v, o);
        // Grouped: the reports split into runs of consecutive ones, each a report standing alone or
        // a stack beside a line dropped from the bar (on one side; on both, of leaves, or of teams
        // too where teams may be listed), no taller than o.limit; of all such splits the narrowest
        // row. Short teams and leaves so share a column instead of each leaving the height of the
        // row empty below it.
        std::vector<Item> single(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const Option& b = Pick(kids[size_t(i)], o.limit);
            single[size_t(i)] = {i, 1, 0, 0, b.width, b.height, b.port};
        }
        std::vector<int> narrowest(size_t(n) + 1, kUnlimited);
        std::vector<Item> last(size_t(n) + 1);
        narrowest[0] = 0;
        for (int j = 1; j <= n; ++j)
            for (int i = j - 1; i >= 0 && i >= j - kLongestStack; --i) {
                if (narrowest[size_t(i)] >= kUnlimited) continue;
                const auto consider = [&](const Item& item) {
                    if (item.height > o.limit) return;
                    const int width = narrowest[size_t(i)] + (i > 0 ? 1 : 0) + item.width;
                    if (width < narrowest[size_t(j)]) {
                        narrowest[size_t(j)] = width;
                        last[size_t(j)] = item;
                    }
                };
                if (i == j - 1) {
                    consider(single[size_t(i)]);
                    continue;
                }
                for (const Item& stack : StacksOf(v, i, j - i))
                    consider(stack);
            }
        if (narrowest[size_t(n)] >= kUnlimited) { // nothing that low: each alone
            items = single;
            return items;
        }
        for (int j = n; j > 0; j -= last[size_t(j)].count)
            items.push_back(last[size_t(j)]);
        std::reverse(items.begin(), items.end());
        return items;
    }

    // A large team's items, found faster: each run of two or more leaves as few stacks no taller
    // than o.limit as it can, on one side of their lines or both, whichever is narrower; every other
    // report alone.
    std::vector<Item> LeafRunItems(int v, const Option& o) const {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        const int n = int(kids.size());
        std::vector<Item> items;
        for (int i = 0; i < n;) {
            int run = 0, widest = 0;
            while (i + run < n && tree.reports[size_t(kids[size_t(i + run)])].empty())
                widest = std::max(widest, boxW[size_t(kids[size_t(i + run++)])]);
            if (run < 2) {
                const Option& b = Pick(kids[size_t(i)], o.limit);
                items.push_back({i, 1, 0, 0, b.width, b.height, b.port});
                ++i;
                continue;
            }
            const int tall = std::max(1, (o.limit + 1) / (boxH[size_t(kids[size_t(i)])] + 1));
            const int oneSided = (run + tall - 1) / tall, twoSided = (run + 2 * tall - 1) / (2 * tall);
            const int sides = oneSided * (widest + 3) < twoSided * (2 * widest + 3) ? 1 : 2;
            const int stacks = sides == 1 ? oneSided : twoSided;
            for (int k = 0; k < stacks; ++k) {
                // Balanced: the first stacks take the leaves left over.
                const int count = run / stacks + (k < run % stacks ? 1 : 0);
                items.push_back(StackItem(v, i, count, sides, kUnlimited));
                i += count;
            }
        }
        return items;
    }

    // Places an item whose top-left corner is (x, y) and joins it to the bar on the top edge of
    // row y - 1.
    void PlaceItem(int v, const Option& o, const Item& item, int x, int y) {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        const int port = x + item.port;
        if (item.sides == 0) {
            Line(true, port, y - 1, 1);
            Place(kids[size_t(item.first)], o.limit, x, y);
            return;
        }
        int lastJoin = y, rowTop = y;
        for (int i = item.first; item.sides == 1 && i < item.first + item.count;) {
            const Entry e = NextEntry(v, i, item.first + item.count, item.wide, item.paired);
            if (e.count == 1) {
                const int kid = kids[size_t(i)];
                const Option& b = PickWide(kid, item.wide);
                const int join = rowTop + boxH[size_t(kid)] / 2,
                          boxLeft = port + 1 + b.port - boxW[size_t(kid)] / 2;
                Arrange(kid, b, true, port + 1, rowTop);
                Line(false, port, join, boxLeft - port);
                lastJoin = std::max(lastJoin, join);
            } else {
                const int line = port + 1 + e.port;
                int last = rowTop, pairTop = rowTop + 1;
                for (int k = 0; k < e.count; ++k) {
                    const int kid = kids[size_t(i + k)], kw = boxW[size_t(kid)], kh = boxH[size_t(kid)];
                    last = pairTop + kh / 2;
                    if (k % 2 == 0) {
                        Emit(kid, line - 1 - kw, pairTop);
                        Line(false, line - 1, last, 1);
                    } else {
                        Emit(kid, line + 1, pairTop);
                        Line(false, line, last, 1);
                        pairTop += kh + 1;
                    }
                }
                Line(false, port, rowTop, line - port);
                Line(true, line, rowTop, last - rowTop);
                lastJoin = std::max(lastJoin, rowTop);
            }
            rowTop += e.height + 1;
            i += e.count;
        }
        if (item.sides == 2) {
            std::vector<std::pair<int, bool>> tops;
            int leftWidth = 0, rightWidth = 0;
            TwoSided(v, item.first, item.count, item.wide, &tops, leftWidth, rightWidth);
            for (int i = 0; i < item.count; ++i) {
                const int kid = kids[size_t(item.first + i)], kw = boxW[size_t(kid)];
                const Option& b = PickWide(kid, item.wide);
                const int top = y + tops[size_t(i)].first, join = top + boxH[size_t(kid)] / 2;
                lastJoin = std::max(lastJoin, join);
                if (tops[size_t(i)].second) {
                    const int left = port - 1 - b.width, boxRight = left + b.port - kw / 2 + kw;
                    Arrange(kid, b, true, left, top);
                    Line(false, boxRight, join, port - boxRight);
                } else {
                    const int boxLeft = port + 1 + b.port - kw / 2;
                    Arrange(kid, b, true, port + 1, top);
                    Line(false, port, join, boxLeft - port);
                }
            }
        }
        Line(true, port, y - 1, lastJoin - (y - 1));
    }

    // The tidy tree: items side by side one cell apart, the manager centred above the first and
    // last, two rows between them for the line down, the bar and the lines to each item.
    Option ArrangeRow(int v, Option o, bool place, int ox, int oy) {
        const int w = boxW[size_t(v)], h = boxH[size_t(v)];
        const std::vector<Item> items = Items(v, o);
        const int n = int(items.size());
        const int firstPort = items[0].port;
        std::vector<int> at(static_cast<size_t>(n));
        int x = 0, lastPort = 0, childHeight = 0;
        for (int i = 0; i < n; ++i) {
            const Item& b = items[size_t(i)];
            if (i == n - 1 && n > 1 && (firstPort + x + b.port) % 2 != 0) ++x; // centre on an edge
            at[size_t(i)] = x;
            lastPort = x + b.port;
            x += b.width + 1;
            childHeight = std::max(childHeight, b.height);
        }
        const int centre = (firstPort + lastPort) / 2, boxX = centre - w / 2;
        const int minX = std::min(0, boxX), maxX = std::max(x - 1, boxX + w);
        if (place) {
            const int sx = ox - minX;
            Emit(v, ox + boxX - minX, oy);
            Line(true, sx + centre, oy + h, 1);
            Line(false, sx + firstPort, oy + h + 1, lastPort - firstPort);
            for (int i = 0; i < n; ++i)
                PlaceItem(v, o, items[size_t(i)], sx + at[size_t(i)], oy + h + 2);
        }
        o.width = maxX - minX, o.height = h + 2 + childHeight, o.port = centre - minX;
        return o;
    }

    // Items hung in several rows from one trunk under the manager: each row split into a left and
    // a right half with the trunk passing between them, and a bar across each row.
    Option ArrangeTiers(int v, Option o, bool place, int ox, int oy) {
        const int w = boxW[size_t(v)], h = boxH[size_t(v)], per = o.tiers;
        const std::vector<Item> items = Items(v, o);
        const int n = int(items.size());
        auto groupWidth = [&](int from, int to) {
            int width = -1;
            for (int i = from; i < to; ++i)
                width += items[size_t(i)].width + 1;
            return std::max(width, 0);
        };
        int line = 1, rightWidth = 0;
        for (int t0 = 0; t0 < n; t0 += per) {
            int t1 = std::min(n, t0 + per), split = t0 + (t1 - t0 + 1) / 2;
            line = std::max(line, groupWidth(t0, split) + 1);
            rightWidth = std::max(rightWidth, groupWidth(split, t1));
        }
        const int boxX = line - w / 2;
        const int minX = std::min(0, boxX), maxX = std::max(line + 1 + rightWidth, boxX + w);
        const int sx = ox - minX;
        int y = h + 1, barRow = y, height = 0;
        for (int t0 = 0; t0 < n; t0 += per) {
            int t1 = std::min(n, t0 + per), split = t0 + (t1 - t0 + 1) / 2;
            int x = line - 1 - groupWidth(t0, split), tierHeight = 0, lo = line, hi = line;
            for (int i = t0; i < t1; ++i) {
                if (i == split) x = line + 1;
                const Item& b = items[size_t(i)];
                lo = std::min(lo, x + b.port);
                hi = std::max(hi, x + b.port);
                if (place) PlaceItem(v, o, b, sx + x, oy + y + 1);
                x += b.width + 1;
                tierHeight = std::max(tierHeight, b.height);
            }
            if (place) Line(false, sx + lo, oy + y, hi - lo);
            barRow = y;
            height = y + 1 + tierHeight;
            y = height + 1;
        }
        if (place) {
            Emit(v, ox + boxX - minX, oy);
            Line(true, sx + line, oy + h, barRow - h);
        }
        o.width = maxX - minX, o.height = height, o.port = line - minX;
        return o;
    }

    // Reports one below the other beside a trunk from the manager, each joined to it by a line to
    // the middle of its box's side, over the empty top of its block. Both sides alternate, left
    // first, with the manager centred on the trunk; one side keeps the trunk near the manager's
    // left edge. Each report takes its lowest arrangement no wider than o.limit.
    Option ArrangeSide(int v, Option o, bool place, int ox, int oy) {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        const int w = boxW[size_t(v)], h = boxH[size_t(v)];
        const bool bothSides = o.kind == Kind::SideBoth;
        const Item stack = StackItem(v, 0, int(kids.size()), bothSides ? 2 : 1, o.limit, o.grouped);
        const int boxX = bothSides ? stack.port - w / 2 : 0;
        const int minX = std::min(0, boxX), maxX = std::max(stack.width, boxX + w);
        if (place) {
            Emit(v, ox + boxX - minX, oy);
            PlaceItem(v, o, stack, ox - minX, oy + h + 1);
        }
        o.width = maxX - minX, o.height = h + 1 + stack.height, o.port = boxX + w / 2 - minX;
        return o;
    }

    // Top people: their trees side by side two cells apart, `o.tiers` to a shelf, shelves two rows
    // apart.
    Option ArrangeShelves(Option o, bool place, int ox, int oy) {
        const std::vector<int>& roots = tree.roots;
        const int n = int(roots.size());
        int width = 0, y = 0;
        for (int s0 = 0; s0 < n; s0 += o.tiers) {
            int x = 0, shelfHeight = 0;
            for (int i = s0; i < std::min(n, s0 + o.tiers); ++i) {
                const Option& b = Pick(roots[size_t(i)], o.limit);
                if (place) Place(roots[size_t(i)], o.limit, ox + x, oy + y);
                x += b.width + 2;
                shelfHeight = std::max(shelfHeight, b.height);
            }
            width = std::max(width, x - 2);
            y += shelfHeight + 2;
        }
        o.width = width, o.height = y - 2, o.port = 0;
        return o;
    }

    // Heights a team's reports are limited to in turn when they stand side by side: every height
    // one of their arrangements has, from the lowest all of them reach.
    // With leaves stacked, the heights of their stacks too (reports of one manager are equally tall).
    std::vector<int> HeightLimits(const std::vector<int>& kids, bool grouped = false) const {
        std::vector<int> limits;
        int lowest = 0;
        for (int k : kids) {
            for (const Option& o : front[size_t(k)])
                limits.push_back(o.height);
            lowest = std::max(lowest, front[size_t(k)].back().height);
        }
        if (grouped)
            for (int tall = 2; tall <= int(kids.size()); ++tall)
                limits.push_back(tall * (boxH[size_t(kids[0])] + 1) - 1);
        return Thinned(std::move(limits), lowest);
    }

    // Widths a team's reports are limited to in turn when they stand one below the other.
    std::vector<int> WidthLimits(const std::vector<int>& kids) const {
        std::vector<int> limits;
        int narrowest = 0;
        for (int k : kids) {
            for (const Option& o : front[size_t(k)])
                limits.push_back(o.width);
            narrowest = std::max(narrowest, front[size_t(k)].front().width);
        }
        return Thinned(std::move(limits), narrowest);
    }

    // The values from `lowest` up, each once, thinned out evenly when there are many.
    static std::vector<int> Thinned(std::vector<int> limits, int lowest, size_t most = kHeightLimits) {
        std::sort(limits.begin(), limits.end());
        limits.erase(std::unique(limits.begin(), limits.end()), limits.end());
        limits.erase(limits.begin(), std::lower_bound(limits.begin(), limits.end(), lowest));
        if (limits.size() > most) {
            std::vector<int> thinned;
            for (size_t i = 0; i < most; ++i)
                thinned.push_back(limits[i * (limits.size() - 1) / (most - 1)]);
            limits = std::move(thinned);
        }
        return limits;
    }

    // Numbers of columns a team is tried in: from two to one per report, at most kColumnCounts.
    static std::vector<int> ColumnCounts(int n) {
        std::vector<int> counts;
        for (int j = 0; j < int(kColumnCounts) && n >= 2; ++j) {
            int c = 2 + j * (n - 2) / (int(kColumnCounts) - 1);
            if (counts.empty() || c > counts.back()) counts.push_back(c);
        }
        return counts;
    }

    // Counts per row worth trying for n reports: each count that changes how many rows there are.
    static std::vector<int> PerRowCounts(int n, int fewestRows) {
        std::vector<int> counts;
        for (int rows = fewestRows; rows <= n; ++rows) {
            int per = (n + rows - 1) / rows;
            if (counts.empty() || per < counts.back()) counts.push_back(per);
        }
        return counts;
    }

    // The front of person v, from its reports' fronts, without arrangements wider or taller than
    // the table. False when no arrangement goes in.
    bool BuildFront(int v, int maxW, int maxH) {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        Front candidates;
        auto add = [&](Option o) { candidates.push_back(Arrange(v, o, false, 0, 0)); };
        if (kids.empty()) {
            add({});
        } else if (kids.size() == 1) {
            for (const Option& b : front[size_t(kids[0])])
                add({0, 0, 0, Kind::Below, 1, b.height});
        } else {
            bool leafRun = false;
            for (size_t i = 1; i < kids.size(); ++i)
                leafRun |= tree.reports[size_t(kids[i])].empty() && tree.reports[size_t(kids[i - 1])].empty();
            for (bool grouped : {false, true}) {
                if (grouped && kids.size() < 2) break;
                for (int limit : HeightLimits(kids, grouped)) {
                    add({0, 0, 0, Kind::Row, 1, limit, grouped});
                    int items = int(Items(v, {0, 0, 0, Kind::Row, 1, limit, grouped}).size());
                    for (int per : PerRowCounts(items, 2))
                        add({0, 0, 0, Kind::Tiers, per, limit, grouped});
                }
            }
            const std::vector<int> columns = ColumnCounts(int(kids.size()));
            const bool leavesOnly =
                std::all_of(kids.begin(), kids.end(), [&](int k) { return tree.reports[size_t(k)].empty(); });
            const std::vector<int> widths = WidthLimits(kids);
            for (size_t w = 0; w < widths.size(); ++w) {
                if (!lists && !leavesOnly) break;
                const int limit = widths[w];
                add({0, 0, 0, Kind::SideBoth, 1, limit});
                // Columns of every count at every width would be many: every other width will do.
                const bool inColumns = w % 2 == 0 || w + 1 == widths.size();
                for (bool paired : {false, true}) {
                    if (paired && !leafRun) break;
                    add({0, 0, 0, Kind::SideOne, 1, limit, paired});
                    for (int count : columns)
                        if (inColumns) add({0, 0, 0, Kind::Columns, count, limit, paired});
                }
                for (int count : columns)
                    if (inColumns) add({0, 0, 0, Kind::Columns, count, limit, false, true});
            }
        }
        front[size_t(v)] =
            Prune(std::move(candidates), maxW, maxH, tree.depth[size_t(v)] <= 1 ? kTopFrontSize : kFrontSize);
        return !front[size_t(v)].empty();
    }

    bool BuildTop(int maxW, int maxH) {
        Front candidates;
        for (int limit : HeightLimits(tree.roots))
            for (int per : PerRowCounts(int(tree.roots.size()), 1))
                candidates.push_back(ArrangeShelves({0, 0, 0, Kind::Shelves, per, limit}, false, 0, 0));
        top = Prune(std::move(candidates), maxW, maxH, kTopFrontSize);
        return !top.empty();
    }

    bool BuildAll(int maxW, int maxH) {
        front.assign(tree.person.size(), {});
        lastSplit = {};
        stacks = {};
        for (int v : tree.bottomUp)
            if (!BuildFront(v, maxW, maxH)) return false;
        return BuildTop(maxW, maxH);
    }

    // The arrangements no other is both narrower and lower than, narrowest first, at most
    // kFrontSize of them spread evenly; the first made wins a tie, so rows go before the rest.
    static Front Prune(Front candidates, int maxW, int maxH, size_t bound) {
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                        [&](const Option& o) { return o.width > maxW || o.height > maxH; }),
                         candidates.end());
        std::stable_sort(candidates.begin(), candidates.end(), [](const Option& a, const Option& b) {
            return a.width != b.width ? a.width < b.width : a.height < b.height;
        });
        Front pareto;
        for (const Option& o : candidates)
            if (pareto.empty() || o.height < pareto.back().height) pareto.push_back(o);
        if (pareto.size() <= bound) return pareto;
        // Kept: the first at or past each of kFrontSize widths spread evenly on a ratio scale from
        // the narrowest to the widest, so that every shape of block stays on offer.
        Front kept;
        const double narrowest = pareto.front().width, widest = pareto.back().width;
        size_t at = 0;
        for (size_t i = 0; i < bound && at < pareto.size(); ++i) {
            const double target = narrowest * std::pow(widest / narrowest, double(i) / double(bound - 1));
            while (at + 1 < pareto.size() && pareto[at].width < target)
                ++at;
            if (kept.empty() || kept.back().width != pareto[at].width) kept.push_back(pareto[at]);
        }
        return kept;
    }

    // The most compact top arrangement: least area, then the lower.
    const Option& MostCompact() const {
        return *std::min_element(top.begin(), top.end(), [](const Option& a, const Option& b) {
            int64_t areaA = int64_t(a.width) * a.height, areaB = int64_t(b.width) * b.height;
            return areaA != areaB ? areaA < areaB : a.height < b.height;
        });
    }
};

std::vector<Grid> GridsToTry(const LayoutOptions& options) {
    std::vector<Grid> grids;
    // The presets, largest cells first, landscape before portrait.
    for (int id : {3304, 3307, 3303, 3306, 3309, 3310, 3302, 3305}) {
        const NewPreset* p = FindNewPreset(id);
        grids.push_back({p->cellSize, p->columns, p->rows, 10});
    }
    // Then smaller cells over the whole table picture, and smaller text. Cells smaller than those
    // that already fill the largest table only make the boxes take more of them: left out.
    for (int points = 10; points >= options.smallestPoints; --points)
        for (int cellSize = 14; cellSize >= options.smallestCell; cellSize -= 2) {
            int cells = std::min(kGridSize, (kLargestTable - 3) / (cellSize + 1));
            if (cellSize < 14 && grids.back().columns == cells && grids.back().points == points) continue;
            grids.push_back({cellSize, cells, cells, points});
        }
    return grids;
}

// How many times the cells its boxes need with a cell beside and below each the most compact chart
// of the layouter's fronts takes.
double Waste(const Layouter& layouter) {
    const Option& best = layouter.MostCompact();
    int64_t boxArea = 0;
    for (size_t i = 0; i < layouter.boxW.size(); ++i)
        boxArea += int64_t(layouter.boxW[i] + 1) * (layouter.boxH[i] + 1);
    return double(best.width) * best.height / double(std::max<int64_t>(1, boxArea));
}

void SetGrid(ChartLayout& layout, const Grid& grid) {
    layout.cellSize = int16_t(grid.cellSize);
    layout.columns = int16_t(grid.columns);
    layout.rows = int16_t(grid.rows);
    layout.points = int16_t(grid.points);
}

// The size of the chart with boxes of the given sizes on a table without bounds that would need the
// least shrinking to go into a square table: the narrowest of those whose longer side is shortest.
void ReportSize(Layouter& layouter, ChartLayout& layout) {
    if (!layouter.BuildAll(kUnlimited, kUnlimited)) return;
    const Option& best =
        *std::min_element(layouter.top.begin(), layouter.top.end(), [](const Option& a, const Option& b) {
            return std::max(a.width, a.height) < std::max(b.width, b.height);
        });
    layout.chartColumns = best.width;
    layout.chartRows = best.height;
}

// One team tried on one grid after another: its texts measured once for each text size (or taken
// from what the build measured before), its boxes sized for each grid and laid out.
struct Trial {
    const std::vector<std::u16string>& texts;
    const std::vector<int>& team;
    const BoxTextMeasure& measure;
    const LayoutOptions& options;
    LayoutCache& cache;
    const Tree& tree;
    Layouter& layouter;
    const std::vector<Grid>& grids;    // largest cells and text first
    std::vector<signed char> goes;     // by grid: 1 the team goes in, 0 not, -1 not tried yet
    std::set<std::vector<int>> failed; // boxes and bounds the layouter found no room for
    std::vector<TextNeeds> needs;
    int measuredPoints = 0, lineHeight = 1;

    void MeasureAt(int points) {
        if (points == measuredPoints) return;
        needs.resize(team.size());
        for (size_t i = 0; i < team.size(); ++i) {
            const int person = team[i];
            const int nameLength =
                size_t(person) < options.nameLength.size() ? options.nameLength[size_t(person)] : 0;
            // Alone, a layout measures each size as it comes to it, as few texts as it has.
            needs[i] = options.cache
                           ? MeasureTextOnce(cache, texts[size_t(person)], nameLength, points, measure)
                           : MeasureText(texts[size_t(person)], nameLength, points, measure);
        }
        measuredPoints = points;
        lineHeight = std::max(1, measure.lineHeight(points));
    }

    // Which box shapes pack best depends on the organisation: each is tried, first with every
    // manager above their people. Lists offer every arrangement the other way has and more, so
    // the shapes whose boxes do not go in even as lists are left out at once.
    bool TryShape(const Grid& grid, Gaps gaps, bool lists) {
        layouter.lists = lists;
        if (!SizeBoxes(tree.depth, needs, grid.cellSize, lineHeight, gaps, grid.columns, layouter.boxW,
                       layouter.boxH))
            return false;
        // Boxes that with a cell of space each would not go in need no layout.
        int64_t boxArea = 0;
        for (size_t i = 0; i < team.size(); ++i)
            boxArea += int64_t(layouter.boxW[i] + 1) * (layouter.boxH[i] + 1);
        if (boxArea > int64_t(grid.columns + 1) * (grid.rows + 1)) return false;
        // Shapes and grids often come to the same boxes; what did not go in once is not built again.
        // The layouter's answer depends on the boxes, the bounds and whether lists are allowed alone.
        std::vector<int> tried(layouter.boxW);
        tried.insert(tried.end(), layouter.boxH.begin(), layouter.boxH.end());
        tried.insert(tried.end(), {grid.columns, grid.rows, lists ? 1 : 0});
        if (failed.count(tried)) return false;
        if (layouter.BuildAll(grid.columns, grid.rows)) return true;
        failed.insert(std::move(tried));
        return false;
    }

    // Whether the team goes in on grid g in any box shape at all; each grid is tried once. The
    // shape the last team went in with is tried first: teams of one organisation pack alike.
    bool GoesIn(size_t g) {
        if (goes.empty()) goes.assign(grids.size(), -1);
        if (goes[g] < 0) {
            MeasureAt(grids[g].points);
            goes[g] = 0;
            const size_t shapes = std::size(kBoxGaps);
            for (size_t k = 0; k < shapes && goes[g] == 0; ++k) {
                const size_t shape = (cache.goneInGaps + k) % shapes;
                if (TryShape(grids[g], kBoxGaps[shape], true)) {
                    goes[g] = 1;
                    cache.goneInCell = grids[g].cellSize;
                    cache.goneInColumns = grids[g].columns;
                    cache.goneInPoints = grids[g].points;
                    cache.goneInGaps = shape;
                }
            }
        }
        return goes[g] == 1;
    }

    // Whether the team goes in with text of `points` on any of the grids: first the one the last
    // team went in, then the smallest cells first. Over the whole table they come in nearly the
    // same pixels, and as a box's width rounds up to whole cells of each, any of them may be the
    // one that holds it.
    bool GoesInAtSize(int points) {
        for (size_t g = 0; g < grids.size(); ++g)
            if (grids[g].points == points && grids[g].cellSize == cache.goneInCell &&
                grids[g].columns == cache.goneInColumns && cache.goneInPoints == points)
                if (GoesIn(g)) return true;
        for (size_t g = grids.size(); g-- > 0;)
            if (grids[g].points == points && GoesIn(g)) return true;
        return false;
    }

    struct Choice {
        Gaps gaps;
        bool lists = false;
        double waste = 0;
    };

    // The shape that packs best on a grid the team goes in.
    Choice Choose(const Grid& grid) {
        MeasureAt(grid.points);
        // The shapes that go in as lists, with what they waste so: wanted again below.
        std::vector<std::pair<Gaps, double>> going;
        for (Gaps gaps : kBoxGaps)
            if (TryShape(grid, gaps, true)) going.push_back({gaps, Waste(layouter)});
        // Of the charts that go in on this grid, the first with every manager above their people,
        // while it wastes no more than the room its boxes need; failing that, the densest of all.
        std::vector<Choice> choices;
        bool taken = false;
        for (const auto& [gaps, waste] : going)
            if (!taken && TryShape(grid, gaps, false)) {
                choices.push_back({gaps, false, Waste(layouter)});
                taken = choices.back().waste <= kFairWaste;
            }
        if (!taken)
            for (const auto& [gaps, waste] : going)
                choices.push_back({gaps, true, waste});
        Choice chosen = choices.back();
        if (chosen.lists || chosen.waste > kFairWaste)
            chosen = *std::min_element(choices.begin(), choices.end(),
                                       [](const Choice& a, const Choice& b) { return a.waste < b.waste; });
        return chosen;
    }

    // Lays the team out on a grid it goes in, in the shape chosen for it.
    void Place(const Grid& grid, const Choice& chosen, ChartLayout& result) {
        MeasureAt(grid.points);
        TryShape(grid, chosen.gaps, chosen.lists);
        const Option& best = layouter.MostCompact();
        result.fits = true;
        SetGrid(result, grid);
        result.chartColumns = best.width;
        result.chartRows = best.height;
        // Centred across the table, one row below the top when there is room.
        const int ox = (grid.columns - best.width) / 2, oy = best.height < grid.rows ? 1 : 0;
        layouter.out = &result;
        layouter.ArrangeShelves(best, true, ox, oy);
    }

    // The size of the most compact chart the team would need on the grid without the table's bounds.
    void ReportUnfit(const Grid& grid, ChartLayout& result) {
        SetGrid(result, grid);
        MeasureAt(grid.points);
        int longest = INT_MAX;
        layouter.lists = true;
        for (Gaps gaps : kBoxGaps) {
            SizeBoxes(tree.depth, needs, grid.cellSize, lineHeight, gaps, kUnlimited, layouter.boxW,
                      layouter.boxH);
            ChartLayout tried;
            ReportSize(layouter, tried);
            if (std::max(tried.chartColumns, tried.chartRows) < longest) {
                longest = std::max(tried.chartColumns, tried.chartRows);
                result.chartColumns = tried.chartColumns;
                result.chartRows = tried.chartRows;
            }
        }
    }
};

} // namespace

ChartLayout LayOutTeam(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                       const std::vector<int>& team, const BoxTextMeasure& measure,
                       const LayoutOptions& options) {
    ChartLayout result;
    if (team.empty()) return result;
    const Tree tree = MakeTree(managerOf, team);
    const size_t n = team.size();
    const std::vector<Grid> grids = GridsToTry(options);
    Layouter layouter{tree, {}, {}, {}, {}, nullptr, true};
    if (int(n) > kMostPeopleOnATable) {
        // Too many for any table whatever their texts: the chart of the smallest boxes tells how
        // large it would be.
        SetGrid(result, grids.back());
        layouter.boxW.assign(n, 2);
        layouter.boxH.assign(n, 2);
        layouter.quick = true;
        ReportSize(layouter, result);
        return result;
    }
    LayoutCache ownCache;
    Trial trial{texts, team,     measure, options, options.cache ? *options.cache : ownCache,
                tree,  layouter, grids};
    // Smaller text asks less room of a table. A team that does not go in with the smallest is
    // refused at once; otherwise the sizes are tried upward while the next one goes in (on the grid
    // and in the box shape the last team went in, first: teams of one organisation pack alike), and
    // the first grid it goes in with the largest of those is taken. Of the sizes it does not go in
    // with, which are where the time would go, only the first is tried.
    const int smallest = grids.back().points, largest = grids.front().points;
    if (!trial.GoesInAtSize(smallest)) {
        trial.ReportUnfit(grids.back(), result);
        return result;
    }
    int points = smallest;
    while (points < largest && trial.GoesInAtSize(points + 1))
        ++points;
    for (size_t g = 0; g < grids.size(); ++g)
        if (grids[g].points == points && trial.GoesIn(g)) {
            // A preset's table turned the other way has the same cells: of the two, the one the
            // chart packs denser on.
            size_t taken = g;
            Trial::Choice chosen = trial.Choose(grids[g]);
            for (size_t h = g + 1; h < grids.size(); ++h)
                if (grids[h].cellSize == grids[g].cellSize && grids[h].points == points &&
                    grids[h].columns == grids[g].rows && grids[h].rows == grids[g].columns &&
                    grids[h].columns != grids[h].rows && trial.GoesIn(h)) {
                    const Trial::Choice turned = trial.Choose(grids[h]);
                    if (turned.waste < chosen.waste) taken = h, chosen = turned;
                }
            trial.Place(grids[taken], chosen, result);
            break;
        }
    return result;
}

bool TeamFitsATable(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                    const std::vector<int>& team, const BoxTextMeasure& measure,
                    const LayoutOptions& options) {
    if (team.empty()) return false;
    if (int(team.size()) > kMostPeopleOnATable) return false;
    const Tree tree = MakeTree(managerOf, team);
    Layouter layouter{tree, {}, {}, {}, {}, nullptr, true};
    const std::vector<Grid> grids = GridsToTry(options);
    LayoutCache ownCache;
    Trial trial{texts, team,     measure, options, options.cache ? *options.cache : ownCache,
                tree,  layouter, grids};
    return trial.GoesInAtSize(grids.back().points);
}
