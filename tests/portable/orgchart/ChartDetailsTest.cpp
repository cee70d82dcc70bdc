// What a built chart shows besides names: open positions, checked on the written table.
#include "ChartConventions.h"

#include "document/Assistant.h"
#include "document/OrgChart.h"
#include "document/Photos.h"
#include "document/Vacancy.h"
#include "render/BoxTextFit.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

BoxTextMeasure TestMeasure() {
    return MakeBoxTextMeasure(
        [](std::u16string_view text, int points) {
            std::vector<int> extents;
            int x = 0;
            for (char16_t c : text)
                extents.push_back(x += c == u' ' ? points / 3 : points * 3 / 5);
            return extents;
        },
        [](int points) { return points * 3 / 2 + 1; });
}

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

// The written table checked against the conventions; the boxes by text.
std::map<std::u16string, conventions::Box> CheckWritten(const Document& doc,
                                                        const std::vector<std::u16string>& texts,
                                                        const std::vector<int>& managerOf,
                                                        const std::vector<int>& nameLength) {
    std::vector<std::string> why;
    const conventions::Broken broken =
        conventions::Check({&doc, nullptr, texts, managerOf, nameLength}, TestMeasure(), &why);
    for (int rule = 1; rule < int(broken.size()); ++rule)
        EXPECT_EQ(broken[size_t(rule)], 0) << "rule " << rule << (why.empty() ? "" : ", first: " + why[0]);
    std::map<std::u16string, conventions::Box> byText;
    for (conventions::Box& b : conventions::BoxesOf(doc))
        byText[b.text] = b;
    return byText;
}

} // namespace

TEST(ChartDetails, OpenPositionsAreRowsWithATitleAndNoNameOrAVacancyWord) {
    const struct {
        std::u16string name, title;
        bool vacancy;
    } rows[] = {
        {u"", u"Analyst", true},
        {u"Vacant", u"Analyst", true},
        {u"VACANTE", u"Analista", true},
        {u"Vaga", u"Analista", true},
        {u"Poste vacant", u"Analyste", true},
        {u"Poste à pourvoir", u"Analyste", true},
        {u"Offene Stelle", u"Analyst", true},
        {u"N.N.", u"Analyst", true},
        {u"Posto vacante", u"Analista", true},
        {u"[Open position]", u"Analyst", true},
        {u"", u"", false},
        {u"Vacant", u"", false},
        {u"Ana Vacante", u"Analista", false},
        {u"Valentina", u"Analista", false},
        {u"Vaughan", u"Analyst", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsVacancyRow(row.name, row.title), row.vacancy)
            << std::string(row.name.begin(), row.name.end());
}

TEST(ChartDetails, OpenPositionsShowTheWordAboveTheTitleInTheirOwnLookAndKeepTheConventions) {
    const std::string list = "id,name,title,manager\n"
                             "1,Ana Ruiz,Director,\n"
                             "2,,Head of Sales,1\n" // an open post that leads a team
                             "3,Rui Sousa,Clerk,2\n"
                             "4,Vacant,Clerk,2\n"
                             "5,Eva Lind,Head of IT,1\n"
                             "6,Offene Stelle,Developer,5\n";
    ListColumns columns;
    columns.vacancyLabel = u"Vacante";
    auto doc = std::make_unique<Document>();
    ASSERT_EQ(BuildChartFromList(*doc, list, Latin1, TestMeasure(), columns).result, BuildResult::Built);
    const std::vector<std::u16string> texts = {u"Ana Ruiz Director",   u"Vacante Head of Sales",
                                               u"Rui Sousa Clerk",     u"Vacante Clerk",
                                               u"Eva Lind Head of IT", u"Vacante Developer"};
    const std::vector<bool> open = {false, true, false, true, false, true};
    const auto boxes = CheckWritten(*doc, texts, {-1, 0, 1, 1, 0, 4}, {8, 7, 9, 7, 8, 7});
    for (size_t i = 0; i < texts.size(); ++i) {
        auto it = boxes.find(texts[i]);
        ASSERT_NE(it, boxes.end());
        const CellRecord& cell = doc->cellGrid(it->second.column, it->second.row);
        EXPECT_EQ(cell.fontColor == kVacancyFontColor && cell.backColor == kVacancyFillColor, open[i]);
    }
}

TEST(ChartDetails, AssistantsAreToldByTheirTitlesInEveryLanguageAndDeputiesAreNot) {
    const struct {
        std::u16string title;
        bool assistant;
    } titles[] = {
        {u"Executive Assistant", true},
        {u"Assistant to the Director", true},
        {u"Secretaria de Dirección", true},
        {u"Asistente", true},
        {u"Secretária", true},
        {u"Assistente executiva", true},
        {u"Assistante de direction", true},
        {u"Secrétaire", true},
        {u"Sekretärin der Geschäftsführung", true},
        {u"Assistenz", true},
        {u"Segretaria", true},
        {u"PA", true},
        {u"Assistant Manager", false},
        {u"Secretary General", false},
        {u"Secretario General", false},
        {u"Head of Assistants", false},
        {u"Developer", false},
        {u"Directeur adjoint", false},
    };
    for (const auto& t : titles)
        EXPECT_EQ(IsAssistantTitle(t.title), t.assistant) << std::string(t.title.begin(), t.title.end());
}

// Teams of every shape with assistants among them: each assistant beside the manager's line,
// between the manager and the team, and every other convention kept.
TEST(ChartDetails, AssistantsStandBesideTheManagersLineAboveTheTeam) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 12; ++trial) {
        const int count = 6 + int(random() % 40u);
        std::string list = "id,name,title,manager\n";
        std::vector<int> managerOf;
        std::vector<std::u16string> texts;
        std::vector<int> nameLength;
        for (int i = 0; i < count; ++i) {
            const int manager = i == 0 ? -1 : int(random() % unsigned(std::max(1, i * 2 / 3)));
            const bool aide = i > 0 && random() % 4 == 0;
            const std::string name = "P" + std::to_string(i), title = aide ? "Assistant" : "Clerk";
            list += std::to_string(i + 1) + "," + name + "," + title + "," +
                    (manager < 0 ? std::string() : std::to_string(manager + 1)) + "\n";
            managerOf.push_back(manager);
            texts.push_back(std::u16string(name.begin(), name.end()) + u" " +
                            std::u16string(title.begin(), title.end()));
            nameLength.push_back(int(name.size()));
        }
        SCOPED_TRACE(list);
        auto doc = std::make_unique<Document>();
        ListColumns columns;
        columns.assistantsBeside = true;
        ASSERT_EQ(BuildChartFromList(*doc, list, Latin1, TestMeasure(), columns).result, BuildResult::Built);
        // The assistants as the list makes them: leading nobody, beside others of their manager's.
        std::vector<int> reports(size_t(count), 0), others(size_t(count), 0);
        for (int i = 0; i < count; ++i)
            if (managerOf[size_t(i)] >= 0) ++reports[size_t(managerOf[size_t(i)])];
        std::vector<char> aide(size_t(count), 0);
        for (int i = 0; i < count; ++i)
            aide[size_t(i)] = texts[size_t(i)].ends_with(u"Assistant") && reports[size_t(i)] == 0;
        for (int i = 0; i < count; ++i)
            if (managerOf[size_t(i)] >= 0 && !aide[size_t(i)]) ++others[size_t(managerOf[size_t(i)])];
        for (int i = 0; i < count; ++i)
            if (aide[size_t(i)] && others[size_t(managerOf[size_t(i)])] == 0) aide[size_t(i)] = 0;
        std::vector<std::string> why;
        const conventions::Broken broken =
            conventions::Check({doc.get(), nullptr, texts, managerOf, nameLength, aide}, TestMeasure(), &why);
        for (int rule = 1; rule < int(broken.size()); ++rule)
            EXPECT_EQ(broken[size_t(rule)], 0)
                << "rule " << rule << (why.empty() ? "" : ", first: " + why[0]);
    }
}

TEST(ChartDetails, EachPersonsPhotoIsFoundByColumnIdOrNameWhateverCaseAccentsAndSeparators) {
    const std::vector<PhotoFile> files = {
        {u"1043.jpg", "a"},  {u"Ana García.png", "b"}, {u"luis.perez.JPEG", "c"}, {u"MARIA_LOPEZ.gif", "d"},
        {u"notes.txt", "e"}, {u"eva lind.bmp", "f"},   {u"Other.jpg", "g"}};
    const struct {
        std::u16string id, name, named;
        int file;
    } people[] = {
        {u"1043", u"Somebody Else", u"", 0}, // the id first
        {u"", u"ana garcia", u"", 1},
        {u"7", u"Luis Pérez", u"", 2},
        {u"8", u"María López", u"", 3},
        {u"9", u"Eva Lind", u"", 5},
        {u"10", u"Notes", u"", -1}, // not a picture
        {u"11", u"Nobody", u"", -1},
        {u"12", u"Ana García", u"other.JPG", 6},         // the column wins
        {u"13", u"Ana García", u"C:\\photos\\Other", 6}, // a path, no extension
        {u"14", u"Ana García", u"missing.jpg", -1},
    };
    for (const auto& p : people)
        EXPECT_EQ(FindPhoto(files, p.id, p.name, p.named), p.file)
            << std::string(p.name.begin(), p.name.end());
    // The column that names the files, by its header in any language.
    const std::vector<std::pair<std::vector<std::u16string>, int>> headers = {
        {{u"Id", u"Nombre", u"Foto (archivo)"}, 2},
        {{u"Bild", u"Name"}, 0},
        {{u"Id", u"Name", u"Title"}, -1}};
    for (const auto& [fields, column] : headers)
        EXPECT_EQ(PhotoColumn(ListRow{1, fields}), column);
}

TEST(ChartDetails, PhotosBecomeTheBoxesPicturesAndThoseWithoutAreListed) {
    const std::string list = "id,name,title,manager\n"
                             "1,Ana Ruiz,Director,\n"
                             "2,Rui Sousa,Clerk,1\n"
                             "3,Eva Lind,Clerk,1\n"
                             "4,Max Bell,Clerk,1\n"
                             "5,,Clerk,1\n"; // an open post has no face and is not listed
    ListColumns columns;
    columns.photoFolder = u"photos";
    columns.photoFiles = {
        {u"1.jpg", "photos\\1.jpg"}, {u"eva-lind.png", "photos\\eva-lind.png"}, {u"4.gif", "x", false}};
    const std::map<std::u16string, std::string> photoOf = {{u"Ana Ruiz Director", "photos\\1.jpg"},
                                                           {u"Eva Lind Clerk", "photos\\eva-lind.png"},
                                                           {u"Rui Sousa Clerk", ""},
                                                           {u"Max Bell Clerk", ""},
                                                           {u"Vacant Clerk", ""}};
    auto doc = std::make_unique<Document>();
    const BuildOutcome outcome = BuildChartFromList(*doc, list, Latin1, TestMeasure(), columns);
    ASSERT_EQ(outcome.result, BuildResult::Built);
    EXPECT_EQ(outcome.photosFound, 2);
    EXPECT_EQ(outcome.withoutPhoto, std::vector<std::u16string>{u"Rui Sousa"});
    EXPECT_EQ(outcome.unreadablePhoto, std::vector<std::u16string>{u"Max Bell"});
    for (const conventions::Box& b : conventions::BoxesOf(*doc)) {
        const CellRecord& cell = doc->cellGrid(b.column, b.row);
        const std::string_view spec = FieldText(cell.imageSpec);
        const std::string& photo = photoOf.at(b.text);
        EXPECT_EQ(std::string(spec.substr(0, spec.find('|'))), photo);
        EXPECT_EQ(cell.backColor == kNoColor, !photo.empty());
    }
}

// On the smallest cells, where texts alone would take small boxes, a box with a photo still shows
// it at least kSmallestPhoto pixels each way inside its outline.
TEST(ChartDetails, BoxesWithPhotosTakeTheRoomTheirPhotosNeed) {
    std::vector<std::u16string> texts;
    std::vector<int> managerOf;
    LayoutOptions options;
    options.onlyCell = 10, options.onlyPoints = 7;
    for (int i = 0; i < 40; ++i) {
        texts.push_back(u"Person " + std::u16string(1, char16_t(u'A' + i % 26)));
        managerOf.push_back(i == 0 ? -1 : i < 6 ? 0 : 1 + i % 5);
        options.nameLength.push_back(8);
        options.photo.push_back(char(i % 3 != 0));
    }
    const ChartLayout layout = LayOutChart(texts, managerOf, TestMeasure(), options);
    ASSERT_TRUE(layout.fits);
    for (const ChartBox& b : layout.boxes) {
        if (!options.photo[size_t(b.person)]) continue;
        // Inside the outline: the span less the separation and two pixels each side.
        EXPECT_GE(b.columns * (layout.cellSize + 1) - 1 - 4, kSmallestPhoto);
        EXPECT_GE(b.rows * (layout.cellSize + 1) - 1 - 4, kSmallestPhoto);
    }
}
