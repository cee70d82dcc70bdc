// The split of a large organisation into pages, bottom up: each team keeps what its sub-teams left
// of themselves, and while that does not fit one table at a readable size, its largest sub-team
// still there goes to a page of its own. Pages then come in the order of the organisation, depth
// first, and the page marks are filled in once every page has its number.
#include "document/ChartSplit.h"

#include "document/Chart.h"
#include "document/ChartBook.h"
#include "document/OrgBoxes.h"
#include "document/PersonTag.h"
#include "document/Undo.h"
#include "document/WorkFileFormat.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <queue>
#include <set>
#include <tuple>

namespace {

// The page-number marks are laid out at their widest (three digits: a book holds at most 999
// pages) and filled in once every page has its number; fewer digits never need a wider box.
constexpr const char16_t* kPlaceholder = kMarkDigits;
// Teams of up to this many people are taken to fit without laying them out: the page that holds
// them is laid out (and refused if it does not fit) all the same.
constexpr size_t kSmallTeam = 24;

// The person's text and a page mark after it, the text cut where the two would pass what a box's
// text field holds: the mark, which the reader follows, always stays whole.
std::u16string WithMark(const std::u16string& text, const std::u16string& mark) {
    const size_t room = size_t(kTextCapacity - 1) - mark.size();
    if (text.size() <= room) return text + mark;
    size_t cut = room;
    if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] < 0xDC00) --cut; // half a surrogate pair
    return text.substr(0, cut) + mark;
}

struct Organisation {
    const std::vector<std::u16string>& texts;
    const std::vector<int>& managerOf;
    const LayoutOptions& options;
    std::vector<std::vector<int>> reports;
    std::vector<int> depth, teamSize, order; // order: place in a depth-first walk
};

Organisation Describe(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                      const LayoutOptions& options) {
    const size_t count = texts.size();
    Organisation org{texts,
                     managerOf,
                     options,
                     std::vector<std::vector<int>>(count),
                     std::vector<int>(count, 0),
                     std::vector<int>(count, 1),
                     std::vector<int>(count, 0)};
    std::vector<int> tops;
    for (size_t i = 0; i < count; ++i) {
        if (managerOf[i] < 0)
            tops.push_back(int(i));
        else
            org.reports[size_t(managerOf[i])].push_back(int(i));
    }
    // Depth-first without recursion: the list is checked to be a forest, but it may be deep.
    std::vector<int> walk;
    for (auto top = tops.rbegin(); top != tops.rend(); ++top)
        walk.push_back(*top);
    std::vector<int> visited;
    while (!walk.empty()) {
        const int person = walk.back();
        walk.pop_back();
        org.order[size_t(person)] = int(visited.size());
        visited.push_back(person);
        const auto& own = org.reports[size_t(person)];
        for (auto r = own.rbegin(); r != own.rend(); ++r) {
            org.depth[size_t(*r)] = org.depth[size_t(person)] + 1;
            walk.push_back(*r);
        }
    }
    for (auto p = visited.rbegin(); p != visited.rend(); ++p)
        if (managerOf[size_t(*p)] >= 0)
            org.teamSize[size_t(managerOf[size_t(*p)])] += org.teamSize[size_t(*p)];
    return org;
}

bool HasReports(const Organisation& org, int person) {
    return !org.reports[size_t(person)].empty();
}

// What stays of a team once some of its sub-teams went to pages of their own: the people, and
// among them the managers whose teams went.
struct Remaining {
    std::vector<int> people; // the team's manager first
    std::vector<int> away;
};

// The people as a chart of their own: `heading` (if any) first as a copy, then the people; a
// manager whose team went elsewhere carries the page mark, and so does the first person when
// `marked` (the box that will carry a mark either way, on this page or the one above).
struct PageChart {
    std::vector<std::u16string> texts;
    std::vector<int> managers, everyone;
    LayoutOptions options;
};

PageChart MakePageChart(const Organisation& org, int heading, const std::vector<int>& people,
                        const std::vector<char>& away, bool markFirst) {
    PageChart chart;
    std::vector<int> local(org.texts.size(), -1);
    chart.options = org.options;
    const bool names = !org.options.nameLength.empty();
    if (names) chart.options.nameLength.clear();
    chart.options.assistant.clear();
    auto aide = [&](int person) {
        return char(size_t(person) < org.options.assistant.size() && org.options.assistant[size_t(person)]);
    };
    if (heading >= 0) chart.options.assistant.push_back(0);
    for (int person : people)
        chart.options.assistant.push_back(aide(person));
    if (!org.options.photo.empty()) {
        chart.options.photo.clear();
        if (heading >= 0) chart.options.photo.push_back(org.options.photo[size_t(heading)]);
        for (int person : people)
            chart.options.photo.push_back(org.options.photo[size_t(person)]);
    }
    if (heading >= 0) {
        chart.texts.push_back(
            WithMark(org.texts[size_t(heading)], std::u16string(kMarkToManager) + kPlaceholder));
        chart.managers.push_back(-1);
        local[size_t(heading)] = 0;
        if (names)
            chart.options.nameLength.push_back(
                std::min(org.options.nameLength[size_t(heading)], int(chart.texts.back().size())));
    }
    for (size_t i = 0; i < people.size(); ++i) {
        local[size_t(people[i])] = int(chart.texts.size());
        const bool marked = away[i] || (markFirst && i == 0);
        chart.texts.push_back(
            marked ? WithMark(org.texts[size_t(people[i])], std::u16string(kMarkToTeam) + kPlaceholder)
                   : org.texts[size_t(people[i])]);
        if (names)
            chart.options.nameLength.push_back(
                std::min(org.options.nameLength[size_t(people[i])], int(chart.texts.back().size())));
    }
    for (int person : people) {
        const int manager = org.managerOf[size_t(person)];
        chart.managers.push_back(manager >= 0 ? local[size_t(manager)] : -1);
    }
    chart.everyone.resize(chart.texts.size());
    for (size_t i = 0; i < chart.everyone.size(); ++i)
        chart.everyone[i] = int(i);
    return chart;
}

// Lists may hold the same team under several managers (the same people, the same texts): what was
// found for such a team is kept by its page's texts and managers and not sought again.
struct Found {
    std::map<std::u16string, bool> fits;
    std::map<std::u16string, ChartLayout> layouts;
};

std::u16string KeyOf(const PageChart& chart) {
    std::u16string key;
    for (size_t i = 0; i < chart.texts.size(); ++i) {
        key += chart.texts[i];
        key += u'\0';
        key += char16_t(chart.managers[i] + 1); // a page holds far fewer than 65,535 people
        key += char16_t(i < chart.options.nameLength.size() ? chart.options.nameLength[i] : 0);
        key += char16_t(i < chart.options.assistant.size() ? chart.options.assistant[i] : 0);
        key += char16_t(i < chart.options.photo.size() ? chart.options.photo[i] : 0);
    }
    return key;
}

ChartLayout LayOutPeople(const Organisation& org, int heading, const std::vector<int>& people,
                         const std::vector<char>& away, bool markFirst, const BoxTextMeasure& measure,
                         Found& found) {
    const PageChart chart = MakePageChart(org, heading, people, away, markFirst);
    const std::u16string key = KeyOf(chart);
    auto known = found.layouts.find(key);
    if (known == found.layouts.end())
        known =
            found.layouts
                .emplace(key, LayOutTeam(chart.texts, chart.managers, chart.everyone, measure, chart.options))
                .first;
    return known->second;
}

bool PeopleFit(const Organisation& org, int heading, const std::vector<int>& people,
               const std::vector<char>& away, bool markFirst, const BoxTextMeasure& measure, Found& found) {
    const PageChart chart = MakePageChart(org, heading, people, away, markFirst);
    const std::u16string key = KeyOf(chart);
    auto known = found.fits.find(key);
    if (known == found.fits.end())
        known = found.fits
                    .emplace(key, TeamFitsATable(chart.texts, chart.managers, chart.everyone, measure,
                                                 chart.options))
                    .first;
    return known->second;
}

// Every page of a book takes the same cells and text: the smallest text a page went in with, or
// the next larger where a page's names need it, and with it the largest cells every page goes in
// on. A small team's page so shows boxes of the same size as the others, not giant ones. False when
// the pages take no common scale (some page's names need a larger text than another page goes in
// with): they keep their own.
bool OneScale(const Organisation& org, ChartSplit& split, const std::vector<std::vector<char>>& awayOf,
              const BoxTextMeasure& measure) {
    int smallest = INT_MAX, largest = 0;
    for (const SplitPage& page : split.pages)
        smallest = std::min<int>(smallest, page.layout.points),
        largest = std::max<int>(largest, page.layout.points);
    int largestCell = 0;
    for (const SplitPage& page : split.pages)
        if (page.layout.points == smallest) largestCell = std::max<int>(largestCell, page.layout.cellSize);
    std::vector<int> cells;
    for (const SplitPage& page : split.pages)
        cells.push_back(page.layout.cellSize);
    cells.insert(cells.end(), {14, 12, 10, 8});
    std::sort(cells.begin(), cells.end(), std::greater<>());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    for (int points = smallest; points <= largest; ++points)
        for (int cell : cells) {
            // With larger text the names may keep their own lines on other cells only.
            if (cell > largestCell && points == smallest) continue;
            if (cell > 14 && points < 10) continue; // the presets' cells come with 10-point text
            std::vector<ChartLayout> layouts;
            for (size_t p = 0; p < split.pages.size(); ++p) {
                const SplitPage& page = split.pages[p];
                if (page.layout.points == points && page.layout.cellSize == cell) {
                    layouts.push_back(page.layout);
                    continue;
                }
                PageChart chart = MakePageChart(org, page.heading, page.people, awayOf[p], false);
                chart.options.onlyCell = cell;
                chart.options.onlyPoints = points;
                layouts.push_back(
                    LayOutTeam(chart.texts, chart.managers, chart.everyone, measure, chart.options));
                if (!layouts.back().fits) break;
            }
            if (layouts.size() < split.pages.size() || !layouts.back().fits) continue;
            for (size_t p = 0; p < split.pages.size(); ++p)
                split.pages[p].layout = std::move(layouts[p]);
            return true;
        }
    return false;
}

std::u16string Number(int page) {
    const std::string digits = std::to_string(page + 1);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

namespace {

// Bottom up: each manager's team keeps what its sub-teams left; while that does not fit one table,
// the largest sub-team still on it goes to a page of its own. So every page is a team's remainder
// that fits, and pages are as full as the teams allow; a team shares its manager's page with its
// siblings wherever they fit together.
ChartSplit SplitAtScale(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                        const BoxTextMeasure& measure, const LayoutOptions& options, bool& oneScale) {
    ChartSplit split;
    // The same people are laid out many times over, on the way and on their pages: their texts are
    // measured once.
    LayoutCache cache;
    LayoutOptions shared = options;
    shared.cache = &cache;
    const Organisation org = Describe(texts, managerOf, shared);
    Found found;
    const size_t count = texts.size();
    std::vector<int> walk(count);
    for (size_t i = 0; i < count; ++i)
        walk[size_t(org.order[i])] = int(i);
    std::vector<Remaining> remaining(count);
    std::vector<char> cut(count, 0);

    auto gather = [&](int person, Remaining& into) {
        for (int report : org.reports[size_t(person)]) {
            if (cut[size_t(report)]) {
                into.people.push_back(report);
                into.away.push_back(report);
            } else {
                const Remaining& below = remaining[size_t(report)];
                into.people.insert(into.people.end(), below.people.begin(), below.people.end());
                into.away.insert(into.away.end(), below.away.begin(), below.away.end());
            }
        }
    };
    // Every remainder is tried: a team that did not fit (a long chain, say) tells nothing of a
    // larger one of another shape (a flat team). Past the most people a table can hold, trying
    // costs nothing.
    auto fits = [&](int heading, const std::vector<int>& people, const std::vector<int>& away,
                    bool markFirst) {
        // A handful of people fit any table; the page they end on is laid out in any case.
        if (people.size() <= kSmallTeam) return true;
        std::vector<char> isAway(people.size(), 0);
        for (size_t i = 0; i < people.size(); ++i)
            isAway[i] = std::find(away.begin(), away.end(), people[i]) != away.end();
        return PeopleFit(org, heading, people, isAway, markFirst, measure, found);
    };
    // The largest sub-team still on the team's page, or -1.
    auto largestKept = [&](const std::vector<int>& managers) {
        int best = -1;
        size_t size = 1;
        for (int manager : managers)
            for (int report : org.reports[size_t(manager)])
                if (!cut[size_t(report)] && remaining[size_t(report)].people.size() > size) {
                    best = report;
                    size = remaining[size_t(report)].people.size();
                }
        return best;
    };

    for (auto person = walk.rbegin(); person != walk.rend(); ++person) {
        if (!HasReports(org, *person)) {
            remaining[size_t(*person)].people = {*person};
            continue;
        }
        // The managers of the team whose reports may still go: the person and, within what stays,
        // every manager below whose team stayed.
        for (;;) {
            Remaining team;
            team.people.push_back(*person);
            gather(*person, team);
            if (fits(-1, team.people, team.away, true)) {
                remaining[size_t(*person)] = std::move(team);
                break;
            }
            std::vector<int> managers;
            for (int member : team.people)
                if (HasReports(org, member) &&
                    std::find(team.away.begin(), team.away.end(), member) == team.away.end())
                    managers.push_back(member);
            const int next = largestKept(managers);
            if (next < 0) return split; // direct reports alone fill more than a table
            cut[size_t(next)] = 1;
            // The teams between `next` and this person keep less now.
            for (int above = managerOf[size_t(next)]; above != *person; above = managerOf[size_t(above)]) {
                Remaining shrunk;
                shrunk.people.push_back(above);
                gather(above, shrunk);
                remaining[size_t(above)] = std::move(shrunk);
            }
        }
    }

    // The first page: every top person's remainder; the largest sub-teams go while it does not fit.
    std::vector<int> tops;
    for (size_t i = 0; i < count; ++i)
        if (managerOf[i] < 0) tops.push_back(int(i));
    std::sort(tops.begin(), tops.end(),
              [&](int a, int b) { return org.order[size_t(a)] < org.order[size_t(b)]; });
    Remaining first;
    for (;;) {
        first = {};
        for (int top : tops) {
            const Remaining& kept = remaining[size_t(top)];
            first.people.insert(first.people.end(), kept.people.begin(), kept.people.end());
            first.away.insert(first.away.end(), kept.away.begin(), kept.away.end());
        }
        if (fits(-1, first.people, first.away, false)) break;
        std::vector<int> managers;
        for (int member : first.people)
            if (HasReports(org, member) &&
                std::find(first.away.begin(), first.away.end(), member) == first.away.end())
                managers.push_back(member);
        const int next = largestKept(managers);
        if (next < 0) return split;
        cut[size_t(next)] = 1;
        for (int above = managerOf[size_t(next)]; above >= 0; above = managerOf[size_t(above)]) {
            Remaining shrunk;
            shrunk.people.push_back(above);
            gather(above, shrunk);
            remaining[size_t(above)] = std::move(shrunk);
        }
    }

    // Pages depth first: the first page, then each cut team where the organisation reaches it.
    std::vector<int> headings = {-1};
    for (int person : walk)
        if (cut[size_t(person)]) headings.push_back(person);
    if (headings.size() > kBookPageLimit) return split;
    std::vector<int> pageOfOwnBox(count, 0), pageOfTeam(count, -1);
    for (size_t p = 0; p < headings.size(); ++p) {
        const std::vector<int>& people =
            headings[p] < 0 ? first.people : remaining[size_t(headings[p])].people;
        if (headings[p] >= 0) pageOfTeam[size_t(headings[p])] = int(p);
        for (size_t i = headings[p] < 0 ? 0 : 1; i < people.size(); ++i)
            pageOfOwnBox[size_t(people[i])] = int(p);
    }
    std::vector<std::vector<char>> awayOf(headings.size());
    for (size_t p = 0; p < headings.size(); ++p) {
        const int heading = headings[p];
        const Remaining& kept = heading < 0 ? first : remaining[size_t(heading)];
        SplitPage page;
        page.heading = heading;
        // On a team's page the manager is the heading copy; the people are those below.
        page.people.assign(kept.people.begin() + (heading < 0 ? 0 : 1), kept.people.end());
        std::vector<char>& away = awayOf[p];
        away.assign(page.people.size(), 0);
        for (size_t i = 0; i < page.people.size(); ++i)
            away[i] = std::find(kept.away.begin(), kept.away.end(), page.people[i]) != kept.away.end();
        page.layout = LayOutPeople(org, heading, page.people, away, false, measure, found);
        if (!page.layout.fits) return split;
        if (heading >= 0)
            page.texts.push_back(
                WithMark(texts[size_t(heading)], kMarkToManager + Number(pageOfOwnBox[size_t(heading)])));
        for (size_t i = 0; i < page.people.size(); ++i) {
            const int person = page.people[i];
            page.texts.push_back(
                away[i] ? WithMark(texts[size_t(person)], kMarkToTeam + Number(pageOfTeam[size_t(person)]))
                        : texts[size_t(person)]);
        }
        split.pages.push_back(std::move(page));
    }
    oneScale = split.pages.size() < 2 || OneScale(org, split, awayOf, measure);
    split.fits = true;
    return split;
}

} // namespace

// A book whose pages take no common scale is split again for larger text, else on one scale: its
// pages then hold fewer people each where they must.
ChartSplit SplitChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                      const BoxTextMeasure& measure, const LayoutOptions& options) {
    LayoutOptions tried = options;
    bool oneScale = false;
    ChartSplit split = SplitAtScale(texts, managerOf, measure, tried, oneScale);
    // Split again with larger text while that still fits: pages then hold fewer people each.
    while (split.fits && !oneScale && tried.smallestPoints < 10) {
        ++tried.smallestPoints;
        ChartSplit again = SplitAtScale(texts, managerOf, measure, tried, oneScale);
        if (!again.fits) break; // some team fits only with smaller text
        split = std::move(again);
    }
    if (!split.fits || oneScale) return split;
    // Names that keep their own lines only with larger text or on some cells, pages that go in only
    // with smaller text or on other cells: the split is made again for one of the scales its pages
    // took, every page on it; the smallest first, on which the most go in.
    std::set<std::pair<int, int>> taken;
    for (const SplitPage& page : split.pages)
        taken.insert({page.layout.points, page.layout.cellSize});
    for (const auto& [points, cell] : taken) {
        tried = options;
        tried.onlyPoints = points;
        tried.onlyCell = cell;
        ChartSplit fixed = SplitAtScale(texts, managerOf, measure, tried, oneScale);
        if (fixed.fits) return fixed;
    }
    return split; // no scale holds every page: they keep their own
}

namespace {

// The pages' work files together within what a book holds: a chart of pages that could not be
// recorded is never made.
bool PagesFitABook(const ChartSplit& split) {
    uint64_t total = 0;
    for (const SplitPage& page : split.pages)
        total += uint64_t(page.layout.columns) * uint64_t(page.layout.rows) * kRecordSize;
    return split.pages.size() <= kBookPageLimit && total <= kBookTotalLimit;
}

// A page is named after its team's manager.
std::wstring PageName(const PeopleList& list, const SplitPage& page) {
    const std::u16string& name = list.people[size_t(page.heading >= 0 ? page.heading : page.people[0])].name;
    return std::wstring(name.begin(), name.end());
}

} // namespace

BuildOutcome BuildChartPagesFromList(Chart& chart, Document& shown, std::string_view bytes,
                                     const AnsiDecoder& ansi, const BoxTextMeasure& measure,
                                     const ListColumns& columns) {
    BuildOutcome outcome;
    ListForChart read;
    if (!ReadListForChart(bytes, ansi, columns, read, outcome)) return outcome;
    const PeopleList& list = read.checked.list;
    const std::vector<int>& managerOf = read.checked.managerOf;
    const std::vector<std::u16string>& texts = read.texts;
    const LayoutOptions& options = read.options;
    const ChartSplit split = SplitChart(texts, managerOf, measure, options);
    if (!split.fits) {
        outcome.result = BuildResult::TooLarge;
        return outcome;
    }
    if (!PagesFitABook(split)) {
        outcome.result = BuildResult::BookTooLarge;
        return outcome;
    }
    Chart built;
    built.pages.clear();
    auto scratch = std::make_unique<Document>();
    for (const SplitPage& page : split.pages) {
        WriteChart(*scratch, page.layout, page.texts);
        TagPageBoxes(*scratch, page, read.checked);
        ColourPageBoxes(*scratch, page, read.colours);
        scratch->tablePresent = true;
        AppendParkedPage(built, PageName(list, page), *scratch);
        *scratch = Document{};
    }
    const uint32_t before = ChartChangeCount(chart, shown);
    ShowFirstPage(built, shown);
    built.pagesChanged = true; // the chart exists nowhere else yet
    chart = std::move(built);
    CountOnFrom(chart, before, shown);
    outcome.result = BuildResult::Built;
    return outcome;
}

BuildOutcome BuildChartBookFromList(std::vector<uint8_t>& book, std::string_view bytes,
                                    const AnsiDecoder& ansi, const BoxTextMeasure& measure,
                                    const ListColumns& columns) {
    BuildOutcome outcome;
    ListForChart read;
    if (!ReadListForChart(bytes, ansi, columns, read, outcome)) return outcome;
    const ChartSplit split = SplitChart(read.texts, read.checked.managerOf, measure, read.options);
    if (!split.fits) {
        outcome.result = BuildResult::TooLarge;
        return outcome;
    }
    if (!PagesFitABook(split)) {
        outcome.result = BuildResult::BookTooLarge;
        return outcome;
    }
    // Each page written, recorded and let go in turn: no chart of pages in between.
    auto scratch = std::make_unique<Document>();
    const size_t count = split.pages.size();
    book = EncodeChartBook(count, [&](size_t i) {
        const SplitPage& page = split.pages[i];
        *scratch = Document{};
        WriteChart(*scratch, page.layout, page.texts);
        TagPageBoxes(*scratch, page, read.checked);
        ColourPageBoxes(*scratch, page, read.colours);
        scratch->tablePresent = true;
        return BookEntry{BookEntryName(i, count, ToUtf8(PageName(read.checked.list, page))),
                         EncodeWorkFile(*scratch)};
    });
    // The archive itself may still pass its limit once deflated.
    outcome.result = book.empty() ? BuildResult::BookTooLarge : BuildResult::Built;
    return outcome;
}
