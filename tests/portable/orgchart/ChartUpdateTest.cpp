// Updating a styled chart from a newer list, checked box by box against a model of the two lists:
// who is in the chart, with which look, text and lines added, and what the comparison counts.
#include "SerifMeasure.h"

#include "document/ChartComparison.h"
#include "document/ChartUpdate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace {

struct ModelPerson {
    std::string id, name, title, manager; // manager: an id, empty at the top
};

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

std::u16string U16(const std::string& s) {
    return Latin1(s);
}

std::string ListFile(const std::vector<ModelPerson>& people) {
    std::string file = "id,name,title,manager\r\n";
    for (const ModelPerson& p : people)
        file += p.id + "," + p.name + "," + p.title + "," + p.manager + "\r\n";
    return file;
}

bool Under(const std::vector<ModelPerson>& people, const std::string& id, const std::string& above) {
    std::map<std::string, std::string> managerOf;
    for (const ModelPerson& p : people)
        managerOf[p.id] = p.manager;
    for (std::string at = id; !at.empty(); at = managerOf[at])
        if (at == above) return true;
    return false;
}

// The look a test gives a person's box: a team colour, a colour of their own for a few.
struct Look {
    int32_t color = kWhite;
    int32_t bold = 0;
    bool operator==(const Look&) const = default;
};

} // namespace

TEST(ChartUpdate, StyledChartFollowsTheNewListBoxByBox) {
    const char* firstNames[] = {"Ana", "Luis", "Marta", "Jon", "Eva", "Pau"};
    const char* lastNames[] = {"Roca", "Vidal", "Soler"};
    const char* titles[] = {"Analyst", "Engineer", "Lead", "Clerk"};
    const BoxTextMeasure measure = SerifMeasure();
    auto doc = std::make_unique<Document>();
    auto before = std::make_unique<Document>();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&](int n) { return int(random() % unsigned(n)); };
        auto name = [&] { return std::string(firstNames[pick(6)]) + " " + lastNames[pick(3)]; };
        std::vector<ModelPerson> old;
        const int count = 12 + pick(30);
        for (int i = 0; i < count; ++i)
            old.push_back({"E" + std::to_string(i), name(), titles[pick(4)],
                           i == 0 ? "" : "E" + std::to_string(pick(i))});
        Chart chart;
        *doc = Document{};
        ResetChart(chart, L"");
        ASSERT_EQ(BuildResult::Built, BuildChartFromList(*doc, ListFile(old), Latin1, measure).result);

        // Styled by person: each team its colour, some people their own colour and an added line,
        // and a note drawn by hand in a free cell.
        std::map<std::string, Look> looks;
        std::set<std::string> added;
        for (int r = 0; r < doc->tableRows; ++r)
            for (int c = 0; c < doc->tableColumns; ++c) {
                CellRecord& cell = doc->cellGrid(c, r);
                PersonTag tag;
                if (!ReadPersonTag(cell, tag) || tag.kind != TagKind::Person) continue;
                const std::string id(tag.key.begin(), tag.key.end());
                const int manager =
                    tag.manager.empty()
                        ? 0
                        : std::stoi(std::string(tag.manager.begin() + 1, tag.manager.end())) + 1;
                Look look{0x100000 * (manager % 7) + 0x40, manager % 2};
                if (pick(5) == 0) look.color = 0x00FF00 + pick(200);
                looks[id] = look;
                cell.backColor = look.color;
                cell.bold = look.bold;
                if (pick(4) == 0) {
                    added.insert(id);
                    AssignField(cell.text, std::u16string(FieldText(cell.text)) + u"\r\nRoom " + tag.key);
                }
            }
        int noteColumn = -1, noteRow = -1;
        for (int r = 0; r < doc->tableRows && noteColumn < 0; ++r)
            for (int c = 0; c < doc->tableColumns && noteColumn < 0; ++c)
                if (!doc->cellGrid(c, r).isBox && !doc->cellGrid(c, r).vLineOn &&
                    !doc->cellGrid(c, r).hLineOn) {
                    noteColumn = c;
                    noteRow = r;
                    AssignField(doc->cellGrid(c, r).text, u"Legend");
                }

        // Next month: people leave (their team goes to their manager), join, move, change name or title.
        std::vector<ModelPerson> next = old;
        for (int i = 0; i < 3; ++i) {
            const size_t leaver = 1 + size_t(pick(int(next.size()) - 1));
            for (ModelPerson& p : next)
                if (p.manager == next[leaver].id) p.manager = next[leaver].manager;
            next.erase(next.begin() + std::ptrdiff_t(leaver));
        }
        for (int i = 0; i < 4; ++i)
            next.push_back(
                {"N" + std::to_string(i), name(), titles[pick(4)], next[size_t(pick(int(next.size())))].id});
        for (int i = 0; i < 3; ++i) {
            ModelPerson& mover = next[1 + size_t(pick(int(next.size()) - 1))];
            const ModelPerson& to = next[size_t(pick(int(next.size())))];
            if (!Under(next, to.id, mover.id)) mover.manager = to.id;
        }
        next[size_t(pick(int(next.size())))].name = name();
        next[size_t(pick(int(next.size())))].title = "Head";
        std::shuffle(next.begin(), next.end(), random);

        std::memcpy(static_cast<void*>(before->cellGrid.slots.data()), doc->cellGrid.slots.data(),
                    sizeof(CellRecord) * doc->cellGrid.slots.size());
        const int16_t oldColumns = doc->tableColumns, oldRows = doc->tableRows;
        ListForChart read;
        BuildOutcome refused;
        ASSERT_TRUE(ReadListForChart(ListFile(next), Latin1, {}, read, refused));
        OldChart was = ReadOldChart(chart, *doc);
        const std::vector<int> boxOf = MatchPeople(was, read.checked);
        const Comparison comparison = CompareChart(was, boxOf, read.checked);
        ASSERT_EQ(BuildResult::Built,
                  UpdateChartFromList(chart, *doc, was, boxOf, read, measure).build.result);

        // The model: who stays, the look of each, the look most of a team that stays shares.
        std::map<std::string, const ModelPerson*> oldById, newById;
        for (const ModelPerson& p : old)
            oldById[p.id] = &p;
        for (const ModelPerson& p : next)
            newById[p.id] = &p;
        auto depth = [&](std::string id) {
            int d = 0;
            while (!newById[id]->manager.empty())
                id = newById[id]->manager, ++d;
            return d;
        };
        auto shared = [&](auto same) -> std::optional<Look> {
            std::vector<std::pair<Look, int>> counts;
            std::optional<Look> best;
            int most = 0;
            for (const ModelPerson& p : next) {
                if (!oldById.count(p.id) || !same(p)) continue;
                auto at = std::find_if(counts.begin(), counts.end(),
                                       [&](auto& e) { return e.first == looks[p.id]; });
                if (at == counts.end()) at = counts.insert(counts.end(), {looks[p.id], 0});
                if (++at->second > most) most = at->second, best = at->first;
            }
            return best;
        };
        std::map<std::string, int> seen;
        int legends = 0;
        for (int r = 0; r < doc->tableRows; ++r)
            for (int c = 0; c < doc->tableColumns; ++c) {
                const CellRecord& cell = doc->cellGrid(c, r);
                if (FieldText(cell.text) == u"Legend") ++legends;
                PersonTag tag;
                if (!ReadPersonTag(cell, tag) || tag.kind != TagKind::Person) continue;
                const std::string id(tag.key.begin(), tag.key.end());
                ASSERT_TRUE(newById.count(id)) << id << " left but is still shown";
                ++seen[id];
                const ModelPerson& p = *newById[id];
                std::u16string text = U16(p.name + " " + p.title);
                if (added.count(id) && oldById.count(id)) text += u"\r\nRoom " + tag.key;
                EXPECT_EQ(text, FieldText(cell.text));
                std::optional<Look> look;
                if (oldById.count(id)) look = looks[id];
                if (!look)
                    look = shared(
                        [&](const ModelPerson& q) { return q.manager == p.manager && !p.manager.empty(); });
                if (!look) look = shared([&](const ModelPerson& q) { return depth(q.id) == depth(p.id); });
                EXPECT_EQ(look.value_or(Look{}), (Look{cell.backColor, cell.bold})) << id;
            }
        EXPECT_EQ(next.size(), seen.size());
        for (auto [id, times] : seen)
            EXPECT_EQ(1, times) << id;
        EXPECT_EQ(1, legends);

        int joined = 0, left = 0, moved = 0, renamed = 0;
        for (const ModelPerson& p : next) {
            if (!oldById.count(p.id)) {
                ++joined;
                continue;
            }
            const ModelPerson& o = *oldById[p.id];
            moved += o.manager != p.manager;
            renamed += o.name != p.name || o.title != p.title;
        }
        for (const ModelPerson& p : old)
            left += !newById.count(p.id);
        EXPECT_EQ(joined, comparison.Count(ChangeKind::Joined));
        EXPECT_EQ(left, comparison.Count(ChangeKind::Left));
        EXPECT_EQ(moved, comparison.Count(ChangeKind::Moved));
        EXPECT_EQ(renamed, comparison.Count(ChangeKind::NameOrTitle));
        EXPECT_EQ(0, comparison.Count(ChangeKind::Unsure));

        // One Undo brings the chart from before back, whole.
        PopUndo(*doc);
        ASSERT_EQ(oldColumns, doc->tableColumns);
        ASSERT_EQ(oldRows, doc->tableRows);
        for (int r = 0; r < oldRows; ++r)
            for (int c = 0; c < oldColumns; ++c)
                ASSERT_EQ(0, std::memcmp(&doc->cellGrid(c, r), &before->cellGrid(c, r), sizeof(CellRecord)));
        (void)noteRow;
    }
}

// A chart with no person tags (drawn by hand, or from before charts remembered them): each box is
// matched by the name its text starts with, and keeps its look.
TEST(ChartUpdate, BoxesThatKnowNoPersonAreMatchedByTheirNames) {
    const std::string list = "Name,Title,Manager\r\nAna Roca,Director,\r\nJon Vidal,Sales,Ana Roca\r\n"
                             "Eva Soler,Clerk,Jon Vidal\r\nPau Roca,Clerk,Ana Roca\r\n";
    auto doc = std::make_unique<Document>();
    Chart chart;
    ASSERT_EQ(BuildResult::Built, BuildChartFromList(*doc, list, Latin1, SerifMeasure()).result);
    std::map<std::u16string, int32_t> colours;
    for (CellRecord& cell : doc->cellGrid.slots) {
        ClearPersonTag(cell);
        if (cell.isBox && !cell.covered)
            cell.backColor = colours[std::u16string(FieldText(cell.text))] =
                0x10 * int32_t(colours.size() + 1);
    }
    ListForChart read;
    BuildOutcome refused;
    ASSERT_TRUE(ReadListForChart(list + "Lia Mora,Clerk,Pau Roca\r\n", Latin1, {}, read, refused));
    OldChart old = ReadOldChart(chart, *doc);
    const std::vector<int> boxOf = MatchPeople(old, read.checked);
    const Comparison comparison = CompareChart(old, boxOf, read.checked);
    EXPECT_EQ(1, comparison.Count(ChangeKind::Joined));
    EXPECT_EQ(4, comparison.unchanged);
    EXPECT_EQ(1u, comparison.changes.size());
    ASSERT_EQ(BuildResult::Built,
              UpdateChartFromList(chart, *doc, old, boxOf, read, SerifMeasure()).build.result);
    int boxes = 0;
    for (const CellRecord& cell : doc->cellGrid.slots)
        if (cell.isBox && !cell.covered && colours.count(std::u16string(FieldText(cell.text))) && ++boxes)
            EXPECT_EQ(colours[std::u16string(FieldText(cell.text))], cell.backColor);
    EXPECT_EQ(4, boxes);
}
