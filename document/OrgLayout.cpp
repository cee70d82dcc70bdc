// Laying out an organisation chart on whole cells.
//
// Every subtree keeps a small set of arrangements, none of them both wider and taller than another
// (its front), built from its reports' fronts, all of them read as organisation charts are read:
// the manager centred over their people; those who lead teams side by side under a bar, top-aligned
// in list order, or in further rows each beneath every box of the row before; those who lead
// nobody together, side by side at the start of that row or in one or two columns hung from a line
// above or at the start of it; one report straight below. Each arrangement is a rectangle of cells (its
// block) with the subtree's top box at its top. At the top the most compact arrangement that fits the table
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
constexpr int kUnlimited = 1 << 24;

struct Grid {
    int cellSize = 0, columns = 0, rows = 0, points = 0;
};

// How a manager's people stand. Leaf: nobody below; Team: those who lead teams side by side in one
// row under the manager or in several rows, those who lead nobody as `leaves` says; Shelves: the
// top people side by side, in as many shelves as `tiers` asks.
enum class Kind : uint8_t { Leaf, Team, Shelves };

// Where a manager's people who lead nobody stand, all together and in list order: side by side at
// the start of the row of teams (InRow), in one column or two hung from the manager's line above
// the row of teams (Trunk*), or in one column or two hung from a line of their own at the start of
// the row (Stack*).
enum class Leaves : uint8_t { InRow, Trunk1, Trunk2, Stack1, Stack2 };

struct Option {
    int width = 0, height = 0, port = 0; // port: column whose left edge the line from above meets
    Kind kind = Kind::Leaf;
    Leaves leaves = Leaves::InRow;
    int tiers = 0; // Team: items in a row (0: all in one row); Shelves: roots on a shelf
    int limit = 0; // each team below takes its narrowest arrangement no taller than this
};
using Front = std::vector<Option>;

struct Tree {
    std::vector<int> person; // local index -> index in the list
    std::vector<std::vector<int>> reports;
    // Each one's reports who lead teams and those who lead nobody, in list order.
    std::vector<std::vector<int>> teams, leaves;
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
    tree.teams.resize(size_t(n));
    tree.leaves.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        for (int r : tree.reports[size_t(i)])
            (tree.reports[size_t(r)].empty() ? tree.leaves : tree.teams)[size_t(i)].push_back(r);
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
    // Only the size of a chart far too large for a table is wanted: fewer arrangements are tried.
    bool quick = false;

    const Option& Pick(int kid, int limit) const {
        const Front& f = front[size_t(kid)];
        for (const Option& o : f)
            if (o.height <= limit) return o;
        return f.back();
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
        switch (o.kind) {
        case Kind::Leaf:
            if (place) Emit(v, ox, oy);
            o.width = boxW[size_t(v)], o.height = boxH[size_t(v)], o.port = boxW[size_t(v)] / 2;
            return o;
        case Kind::Team:
            return ArrangeTeam(v, o, place, ox, oy);
        case Kind::Shelves:
            break;
        }
        return o;
    }
    void Place(int kid, int limit, int x, int y) { Arrange(kid, Pick(kid, limit), true, x, y); }

    // A stack of v's people who lead nobody, one below the other beside a line: on its right, or
    // in pairs, left then right, read row by row.
    struct Stack {
        int leftWidth = 0, rightWidth = 0, height = 0;
    };
    Stack StackOf(int v, int sides, std::vector<std::pair<int, bool>>* tops) const {
        const std::vector<int>& leaves = tree.leaves[size_t(v)];
        Stack s;
        int y = 0;
        for (size_t i = 0; i < leaves.size(); i += size_t(sides)) {
            const int left = leaves[i];
            int rowHeight = boxH[size_t(left)];
            if (sides == 1) {
                s.rightWidth = std::max(s.rightWidth, boxW[size_t(left)]);
                if (tops) tops->push_back({y, false});
            } else {
                s.leftWidth = std::max(s.leftWidth, boxW[size_t(left)]);
                if (tops) tops->push_back({y, true});
                if (i + 1 < leaves.size()) {
                    const int right = leaves[i + 1];
                    s.rightWidth = std::max(s.rightWidth, boxW[size_t(right)]);
                    rowHeight = std::max(rowHeight, boxH[size_t(right)]);
                    if (tops) tops->push_back({y, false});
                }
            }
            y += rowHeight + 1;
        }
        s.height = y - 1;
        return s;
    }
    // Places the stack beside the line on the left edge of column x from the top of row y down,
    // each box joined to the line at the middle of its side. Returns the row of the last join.
    int PlaceStack(int v, int sides, int x, int y) {
        std::vector<std::pair<int, bool>> tops;
        StackOf(v, sides, &tops);
        const std::vector<int>& leaves = tree.leaves[size_t(v)];
        int last = y;
        for (size_t i = 0; i < leaves.size(); ++i) {
            const int kid = leaves[i], top = y + tops[i].first, join = top + boxH[size_t(kid)] / 2;
            last = std::max(last, join);
            if (tops[i].second) {
                Emit(kid, x - 1 - boxW[size_t(kid)], top);
                Line(false, x - 1, join, 1);
            } else {
                Emit(kid, x + 1, top);
                Line(false, x, join, 1);
            }
        }
        return last;
    }

    // One thing hung from a bar: a report's block, or the stack of those who lead nobody.
    struct Item {
        int width = 0, height = 0, port = 0;
        int kid = -1;  // the report, or -1 for the stack
        int sides = 0; // the stack's
    };
    std::vector<Item> Items(int v, const Option& o) const {
        std::vector<Item> items;
        if (o.leaves == Leaves::InRow) {
            for (int kid : tree.leaves[size_t(v)])
                items.push_back({boxW[size_t(kid)], boxH[size_t(kid)], boxW[size_t(kid)] / 2, kid, 0});
        } else if (o.leaves == Leaves::Stack1 || o.leaves == Leaves::Stack2) {
            const int sides = o.leaves == Leaves::Stack1 ? 1 : 2;
            const Stack s = StackOf(v, sides, nullptr);
            const int port = sides == 2 ? s.leftWidth + 1 : 0;
            items.push_back({port + 1 + s.rightWidth, s.height, port, -1, sides});
        }
        for (int kid : tree.teams[size_t(v)]) {
            const Option& b = Pick(kid, o.limit);
            items.push_back({b.width, b.height, b.port, kid, 0});
        }
        return items;
    }

    // Where a row's items split around the trunk that passes through it to the rows below: the
    // split that keeps the two halves the most alike.
    static int Split(const std::vector<Item>& items, int from, int to) {
        int total = -1;
        for (int i = from; i < to; ++i)
            total += items[size_t(i)].width + 1;
        int best = from + 1, bestSide = INT_MAX, left = -1;
        for (int s = from + 1; s < to; ++s) {
            left += items[size_t(s - 1)].width + 1;
            const int side = std::max(left, total - left - 1);
            if (side < bestSide) bestSide = side, best = s;
        }
        return best;
    }

    // The manager's box over a line down the middle (its trunk). Stacked people who lead nobody
    // hang from the trunk first, when they do; then the items in one row below a bar centred under
    // the manager, or in rows, each beneath every box of the row before, the trunk passing between
    // the halves of each row to the last; one item alone stands straight below the trunk.
    Option ArrangeTeam(int v, Option o, bool place, int ox, int oy) {
        const int w = boxW[size_t(v)], h = boxH[size_t(v)];
        const std::vector<Item> items = Items(v, o);
        const int n = int(items.size());
        const int trunkSides = o.leaves == Leaves::Trunk1 ? 1 : o.leaves == Leaves::Trunk2 ? 2 : 0;
        const Stack trunk = trunkSides ? StackOf(v, trunkSides, nullptr) : Stack{};
        const int below = trunkSides ? h + 1 + trunk.height : h; // the free row above the bar
        std::vector<int> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
        struct Bar {
            int from, to, row;
        };
        std::vector<Bar> bars;
        int trunk0 = 0, right = 0, bottom = below, trunkEnd = -1;
        const int per = o.tiers > 0 && o.tiers < n ? o.tiers : n;
        if (n == 1) {
            trunk0 = items[0].port, ys[0] = below + 1, trunkEnd = below + 1;
            right = items[0].width, bottom = ys[0] + items[0].height;
        } else if (n > 1 && per == n) {
            int x = 0, tallest = 0;
            for (int i = 0; i < n; ++i) {
                if (i == n - 1 && (items[0].port + x + items[size_t(i)].port) % 2 != 0)
                    ++x; // centre on an edge
                xs[size_t(i)] = x, ys[size_t(i)] = below + 2;
                x += items[size_t(i)].width + 1;
                tallest = std::max(tallest, items[size_t(i)].height);
            }
            const int first = items[0].port, last = xs[size_t(n - 1)] + items[size_t(n - 1)].port;
            trunk0 = (first + last) / 2, trunkEnd = below + 1, right = x - 1, bottom = below + 2 + tallest;
            bars.push_back({first, last, below + 1});
        } else if (n > 1) {
            auto width = [&](int from, int to) {
                int total = -1;
                for (int i = from; i < to; ++i)
                    total += items[size_t(i)].width + 1;
                return total;
            };
            for (int t0 = 0; t0 < n; t0 += per) {
                const int t1 = std::min(n, t0 + per);
                if (t1 - t0 > 1) trunk0 = std::max(trunk0, width(t0, Split(items, t0, t1)) + 1);
            }
            int y = below + 1;
            for (int t0 = 0; t0 < n; t0 += per) {
                const int t1 = std::min(n, t0 + per);
                if (t1 - t0 == 1) { // the last one alone, straight below the trunk
                    xs[size_t(t0)] = trunk0 - items[size_t(t0)].port, ys[size_t(t0)] = y;
                    right = std::max(right, xs[size_t(t0)] + items[size_t(t0)].width);
                    trunkEnd = y, bottom = y + items[size_t(t0)].height;
                    break;
                }
                const int split = Split(items, t0, t1);
                int x = trunk0 - 1 - width(t0, split), lo = trunk0, hi = trunk0, tallest = 0;
                for (int i = t0; i < t1; ++i) {
                    if (i == split) x = trunk0 + 1;
                    xs[size_t(i)] = x, ys[size_t(i)] = y + 1;
                    lo = std::min(lo, x + items[size_t(i)].port);
                    hi = std::max(hi, x + items[size_t(i)].port);
                    x += items[size_t(i)].width + 1;
                    tallest = std::max(tallest, items[size_t(i)].height);
                }
                right = std::max(right, x - 1);
                bars.push_back({lo, hi, y});
                trunkEnd = y, bottom = y + 1 + tallest;
                y = bottom + 1;
            }
        }
        const int boxX = trunk0 - w / 2;
        int minX = std::min({0, boxX, trunkSides == 2 ? trunk0 - 1 - trunk.leftWidth : 0});
        for (int i = 0; i < n; ++i)
            minX = std::min(minX, xs[size_t(i)]);
        const int maxX = std::max({right, boxX + w, trunkSides ? trunk0 + 1 + trunk.rightWidth : 0});
        if (place) {
            const int sx = ox - minX;
            Emit(v, sx + boxX, oy);
            int lastJoin = oy + h;
            if (trunkSides) lastJoin = PlaceStack(v, trunkSides, sx + trunk0, oy + h + 1);
            Line(true, sx + trunk0, oy + h, (n > 0 ? oy + trunkEnd : lastJoin) - (oy + h));
            for (const Bar& bar : bars)
                Line(false, sx + bar.from, oy + bar.row, bar.to - bar.from);
            for (int i = 0; i < n; ++i) {
                const Item& item = items[size_t(i)];
                const int x = sx + xs[size_t(i)], y = oy + ys[size_t(i)], port = x + item.port;
                const bool hung = !(n == 1 || (i == n - 1 && per < n && (n - 1) % per == 0));
                if (item.kid >= 0) {
                    if (hung) Line(true, port, y - 1, 1);
                    Place(item.kid, o.limit, x, y);
                } else {
                    const int last = PlaceStack(v, item.sides, port, y);
                    Line(true, port, y - 1, last - (y - 1));
                }
            }
        }
        o.width = maxX - minX, o.height = std::max(bottom, below), o.port = trunk0 - minX;
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
    std::vector<int> HeightLimits(const std::vector<int>& kids) const {
        std::vector<int> limits;
        int lowest = 0;
        for (int k : kids) {
            for (const Option& o : front[size_t(k)])
                limits.push_back(o.height);
            lowest = std::max(lowest, front[size_t(k)].back().height);
        }
        return Thinned(std::move(limits), lowest, quick ? 4 : kHeightLimits);
    }

    // The values from `lowest` up, each once, thinned out evenly when there are many.
    static std::vector<int> Thinned(std::vector<int> limits, int lowest, size_t most) {
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

    // Items per row worth trying for n items in two rows or more: each count that changes how
    // many rows there are, two at least (a row of one would list teams one below the other).
    static std::vector<int> PerRowCounts(int n) {
        std::vector<int> counts;
        for (int rows = 2; rows <= n; ++rows) {
            int per = (n + rows - 1) / rows;
            if (per < 2) break;
            if (counts.empty() || per < counts.back()) counts.push_back(per);
        }
        return counts;
    }

    // The front of person v, from its reports' fronts, without arrangements wider or taller than
    // the table. False when no arrangement goes in.
    bool BuildFront(int v, int maxW, int maxH) {
        const std::vector<int>& teams = tree.teams[size_t(v)];
        const size_t leaves = tree.leaves[size_t(v)].size();
        Front candidates;
        auto add = [&](Option o) { candidates.push_back(Arrange(v, o, false, 0, 0)); };
        if (tree.reports[size_t(v)].empty()) {
            add({});
        } else {
            std::vector<Leaves> ways{Leaves::InRow};
            if (leaves > 0) ways.push_back(Leaves::Trunk1);
            if (leaves > 1) ways.push_back(Leaves::Trunk2);
            if (leaves > 1 && !teams.empty() && !quick)
                ways.insert(ways.end(), {Leaves::Stack1, Leaves::Stack2});
            const std::vector<int> limits = teams.empty() ? std::vector<int>{0} : HeightLimits(teams);
            for (Leaves way : ways)
                for (int limit : limits) {
                    Option o{0, 0, 0, Kind::Team, way, 0, limit};
                    add(o);
                    // People who lead nobody stand in one row: only teams continue in more rows,
                    // and those in the row stand in its first.
                    if (teams.empty()) continue;
                    const size_t inRow = way == Leaves::InRow ? leaves : way >= Leaves::Stack1 ? 1 : 0;
                    for (int per : PerRowCounts(int(inRow + teams.size())))
                        if (size_t(per) > inRow) {
                            o.tiers = per;
                            add(o);
                        }
                }
        }
        front[size_t(v)] =
            Prune(std::move(candidates), maxW, maxH, tree.depth[size_t(v)] <= 1 ? kTopFrontSize : kFrontSize);
        return !front[size_t(v)].empty();
    }

    // The top people side by side on one shelf: each at the top of the table.
    bool BuildTop(int maxW, int maxH) {
        Front candidates;
        for (int limit : HeightLimits(tree.roots))
            candidates.push_back(ArrangeShelves(
                {0, 0, 0, Kind::Shelves, Leaves::InRow, int(tree.roots.size()), limit}, false, 0, 0));
        top = Prune(std::move(candidates), maxW, maxH, kTopFrontSize);
        return !top.empty();
    }

    bool BuildAll(int maxW, int maxH) {
        front.assign(tree.person.size(), {});
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
    // The top arrangement that takes the least of a table of `columns` x `rows` in the direction
    // it fills most: teams stand in one row where the table's width allows it, and continue in
    // further rows only where it does not.
    const Option& Filling(int columns, int rows) const {
        return *std::min_element(top.begin(), top.end(), [&](const Option& a, const Option& b) {
            const int64_t fillA = std::max(int64_t(a.width) * rows, int64_t(a.height) * columns),
                          fillB = std::max(int64_t(b.width) * rows, int64_t(b.height) * columns);
            return fillA != fillB ? fillA < fillB : int64_t(a.width) * a.height < int64_t(b.width) * b.height;
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
    if (options.onlyCell > 0)
        std::erase_if(grids, [&](const Grid& g) {
            return g.cellSize != options.onlyCell || g.points != options.onlyPoints;
        });
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
    // Whether some grid tried had boxes for every text: when none had, it is the names that do
    // not go in (a word after a name narrower than a cell), which larger text may mend.
    bool sized = false;

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

    // Which box shapes pack best depends on the organisation: each is tried.
    bool TryShape(const Grid& grid, Gaps gaps) {
        if (!SizeBoxes(tree.depth, needs, grid.cellSize, lineHeight, gaps, grid.columns, layouter.boxW,
                       layouter.boxH))
            return false;
        sized = true;
        // Boxes that with a cell of space each would not go in need no layout.
        int64_t boxArea = 0;
        for (size_t i = 0; i < team.size(); ++i)
            boxArea += int64_t(layouter.boxW[i] + 1) * (layouter.boxH[i] + 1);
        if (boxArea > int64_t(grid.columns + 1) * (grid.rows + 1)) return false;
        // Shapes and grids often come to the same boxes; what did not go in once is not built again.
        std::vector<int> tried(layouter.boxW);
        tried.insert(tried.end(), layouter.boxH.begin(), layouter.boxH.end());
        tried.insert(tried.end(), {grid.columns, grid.rows});
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
                if (TryShape(grids[g], kBoxGaps[shape])) {
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
        double waste = 0;
    };

    // The shape that packs best on a grid the team goes in.
    Choice Choose(const Grid& grid) {
        MeasureAt(grid.points);
        Choice chosen{kBoxGaps[0], 1e300};
        for (Gaps gaps : kBoxGaps)
            if (TryShape(grid, gaps) && Waste(layouter) < chosen.waste) chosen = {gaps, Waste(layouter)};
        return chosen;
    }

    // Lays the team out on a grid it goes in, in the shape chosen for it.
    void Place(const Grid& grid, const Choice& chosen, ChartLayout& result) {
        MeasureAt(grid.points);
        TryShape(grid, chosen.gaps);
        const Option& best = layouter.Filling(grid.columns, grid.rows);
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
    if (grids.empty()) return result; // a scale no table has
    Layouter layouter{tree, {}, {}, {}, {}, nullptr};
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
    // refused at once, unless no box there could keep a name alone on its first line (a larger
    // text's wider words may); otherwise the sizes are tried upward while the next one goes in (on the grid
    // and in the box shape the last team went in, first: teams of one organisation pack alike), and
    // the first grid it goes in with the largest of those is taken. Of the sizes it does not go in
    // with, which are where the time would go, only the first is tried.
    const int smallest = grids.back().points, largest = grids.front().points;
    int points = smallest;
    while (!trial.GoesInAtSize(points))
        if (trial.sized || points++ == largest) {
            trial.ReportUnfit(grids.back(), result);
            return result;
        }
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
    Layouter layouter{tree, {}, {}, {}, {}, nullptr};
    const std::vector<Grid> grids = GridsToTry(options);
    if (grids.empty()) return false;
    LayoutCache ownCache;
    Trial trial{texts, team,     measure, options, options.cache ? *options.cache : ownCache,
                tree,  layouter, grids};
    for (int points = grids.back().points; points <= grids.front().points; ++points)
        if (trial.GoesInAtSize(points))
            return true;
        else if (trial.sized)
            return false;
    return false;
}
