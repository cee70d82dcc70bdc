// The split of a large organisation into pages. Each page is filled level by level: it starts with
// its team's direct reports and takes in the reports of one more manager at a time, the higher
// levels and the smaller teams first, for as long as the page still fits a table at a readable
// size; the managers whose reports it could not take get pages of their own, in the order of the
// organisation, so that pages come depth first.
#include "document/ChartSplit.h"

#include "document/Chart.h"
#include "document/ChartBook.h"
#include "document/Undo.h"

#include <algorithm>
#include <memory>
#include <queue>
#include <tuple>

namespace {

// The page-number marks are laid out at their widest (three digits: a book holds at most 999
// pages) and filled in once every page has its number; fewer digits never need a wider box.
constexpr char16_t kPlaceholder[] = u"000";

struct Organisation {
    const std::vector<std::u16string>& texts;
    const std::vector<int>& managerOf;
    std::vector<std::vector<int>> reports;
    std::vector<int> depth, teamSize, order; // order: place in a depth-first walk
};

Organisation Describe(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf) {
    const size_t count = texts.size();
    Organisation org{texts,
                     managerOf,
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

struct PagePlan {
    int heading = -1;
    int parentPage = -1;
    std::vector<int> members;
    std::vector<char> expanded; // per member: its reports are on this page
    ChartLayout layout;
};

bool HasReports(const Organisation& org, int person) {
    return !org.reports[size_t(person)].empty();
}

// The page's boxes as a chart of its own: the heading copy (if any) first, then the members; a
// member whose team goes elsewhere carries the page mark.
ChartLayout LayOutPage(const Organisation& org, int heading, const std::vector<int>& members,
                       const std::vector<char>& expanded, const BoxTextMeasure& measure) {
    std::vector<std::u16string> texts;
    std::vector<int> managers;
    std::vector<int> local(org.texts.size(), -1);
    if (heading >= 0) {
        texts.push_back(org.texts[size_t(heading)] + u" \u25C4 " + kPlaceholder);
        managers.push_back(-1);
        local[size_t(heading)] = 0;
    }
    for (size_t i = 0; i < members.size(); ++i) {
        local[size_t(members[i])] = int(texts.size());
        const bool away = HasReports(org, members[i]) && !expanded[i];
        texts.push_back(org.texts[size_t(members[i])] +
                        (away ? std::u16string(u" \u25BA ") + kPlaceholder : u""));
    }
    for (int member : members) {
        const int manager = org.managerOf[size_t(member)];
        managers.push_back(manager >= 0 ? local[size_t(manager)] : -1);
    }
    return LayOutChart(texts, managers, measure);
}

// Fills one page from its first members; false when not even they fit.
bool FillPage(const Organisation& org, PagePlan& page, const BoxTextMeasure& measure) {
    page.expanded.assign(page.members.size(), 0);
    page.layout = LayOutPage(org, page.heading, page.members, page.expanded, measure);
    if (!page.layout.fits) return false;
    using Candidate = std::tuple<int, int, int>; // depth, team size, member index
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> candidates;
    auto offer = [&](size_t index) {
        const int person = page.members[index];
        if (HasReports(org, person))
            candidates.emplace(org.depth[size_t(person)], org.teamSize[size_t(person)], int(index));
    };
    for (size_t i = 0; i < page.members.size(); ++i)
        offer(i);
    while (!candidates.empty()) {
        const size_t index = size_t(std::get<2>(candidates.top()));
        candidates.pop();
        std::vector<int> members = page.members;
        std::vector<char> expanded = page.expanded;
        expanded[index] = 1;
        for (int report : org.reports[size_t(page.members[index])]) {
            members.push_back(report);
            expanded.push_back(0);
        }
        ChartLayout layout = LayOutPage(org, page.heading, members, expanded, measure);
        if (!layout.fits) continue;
        const size_t before = page.members.size();
        page.members = std::move(members);
        page.expanded = std::move(expanded);
        page.layout = std::move(layout);
        for (size_t i = before; i < page.members.size(); ++i)
            offer(i);
    }
    return true;
}

std::u16string Number(int page) {
    const std::string digits = std::to_string(page + 1);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

ChartSplit SplitChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                      const BoxTextMeasure& measure) {
    ChartSplit split;
    const Organisation org = Describe(texts, managerOf);
    std::vector<PagePlan> plans;
    std::vector<int> pageOfOwnBox(texts.size(), -1), pageOfTeam(texts.size(), -1);

    // Pages are made depth first: a page, then the pages of its teams in the organisation's order.
    struct Pending {
        int heading;
        int parentPage;
    };
    std::vector<Pending> pending = {{-1, -1}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        if (plans.size() >= kBookPageLimit) return split;
        PagePlan page;
        page.heading = next.heading;
        page.parentPage = next.parentPage;
        if (next.heading < 0) {
            for (size_t i = 0; i < texts.size(); ++i)
                if (managerOf[i] < 0) page.members.push_back(int(i));
        } else {
            page.members = org.reports[size_t(next.heading)];
        }
        if (!FillPage(org, page, measure)) return split;
        const int number = int(plans.size());
        if (page.heading >= 0) pageOfTeam[size_t(page.heading)] = number;
        std::vector<int> away;
        for (size_t i = 0; i < page.members.size(); ++i) {
            pageOfOwnBox[size_t(page.members[i])] = number;
            if (HasReports(org, page.members[i]) && !page.expanded[i]) away.push_back(page.members[i]);
        }
        std::sort(away.begin(), away.end(),
                  [&](int a, int b) { return org.order[size_t(a)] > org.order[size_t(b)]; });
        for (int manager : away)
            pending.push_back({manager, number});
        plans.push_back(std::move(page));
    }

    for (PagePlan& plan : plans) {
        SplitPage page;
        page.heading = plan.heading;
        page.people = plan.members;
        if (plan.heading >= 0)
            page.texts.push_back(texts[size_t(plan.heading)] + u" \u25C4 " +
                                 Number(pageOfOwnBox[size_t(plan.heading)]));
        for (size_t i = 0; i < plan.members.size(); ++i) {
            const int person = plan.members[i];
            const bool away = HasReports(org, person) && !plan.expanded[i];
            page.texts.push_back(texts[size_t(person)] +
                                 (away ? u" \u25BA " + Number(pageOfTeam[size_t(person)]) : u""));
        }
        page.layout = std::move(plan.layout);
        split.pages.push_back(std::move(page));
    }
    split.fits = true;
    return split;
}

BuildOutcome BuildChartPagesFromList(Chart& chart, Document& shown, std::string_view bytes,
                                     const AnsiDecoder& ansi, const BoxTextMeasure& measure) {
    BuildOutcome outcome;
    PeopleList list = ReadPeopleList(DecodeListText(bytes, ansi));
    outcome.people = int(list.people.size());
    if (list.people.empty()) return outcome;
    std::vector<int> managerOf;
    outcome.faults = CheckPeopleList(list, managerOf);
    if (!outcome.faults.empty()) {
        outcome.result = BuildResult::FaultyList;
        return outcome;
    }
    std::vector<std::u16string> texts;
    texts.reserve(list.people.size());
    for (const Person& p : list.people)
        texts.push_back(BoxText(p));
    const ChartSplit split = SplitChart(texts, managerOf, measure);
    if (!split.fits) {
        outcome.result = BuildResult::TooLarge;
        return outcome;
    }
    Chart built;
    built.pages.clear();
    auto scratch = std::make_unique<Document>();
    for (const SplitPage& page : split.pages) {
        WriteChart(*scratch, page.layout, page.texts);
        scratch->tablePresent = true;
        const std::u16string& name =
            list.people[size_t(page.heading >= 0 ? page.heading : page.people[0])].name;
        std::wstring wide(name.begin(), name.end());
        AppendParkedPage(built, wide, *scratch);
        *scratch = Document{};
    }
    ShowFirstPage(built, shown);
    built.pagesChanged = true; // the chart exists nowhere else yet
    ++built.pageChanges;
    chart = std::move(built);
    outcome.result = BuildResult::Built;
    return outcome;
}
