// Reading lists of people as spreadsheets and HR systems save them, and the faults that stop a chart.
#include "document/PeopleList.h"

#include <gtest/gtest.h>

namespace {

// Windows-1252 and Latin-1 agree on letters, which is all the lists here use.
std::u16string Latin1(std::string_view bytes) {
    std::u16string out;
    for (char c : bytes)
        out.push_back(char16_t(static_cast<unsigned char>(c)));
    return out;
}

PeopleList Read(std::string_view bytes) {
    return ReadPeopleList(DecodeListText(bytes, Latin1));
}

std::vector<FaultyLine> Faults(std::string_view bytes) {
    std::vector<int> managerOf;
    return CheckPeopleList(Read(bytes), managerOf);
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        char lo = char(c & 0xFF), hi = char(c >> 8);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

} // namespace

TEST(PeopleList, SeparatorsAndQuotedFieldsAsSpreadsheetsWriteThem) {
    // Comma, English header, a quoted name holding the separator and doubled quotes, a title
    // holding a line break, blanks around fields, a blank line.
    PeopleList list = Read(" Name , Job Title , Reports To \r\n"
                           "Ann Lee,CEO,\r\n"
                           "\"Bo \"\"Bobby\"\" Ray, Jr.\",\"Head of\r\nSales\",Ann Lee\r\n"
                           "\r\n"
                           "  Cy Dunn  ,  Clerk ,  \"Bo \"\"Bobby\"\" Ray, Jr.\"\n");
    ASSERT_EQ(list.people.size(), 3u);
    EXPECT_FALSE(list.managersById);
    EXPECT_EQ(list.people[1].name, u"Bo \"Bobby\" Ray, Jr.");
    EXPECT_EQ(list.people[1].title, u"Head of Sales");
    EXPECT_EQ(list.people[1].manager, u"Ann Lee");
    EXPECT_EQ(list.people[2].name, u"Cy Dunn");
    EXPECT_EQ(list.people[2].line, 6); // the quoted line break counts as a line of the file
    // Semicolons (Spanish settings) and tabs (German header) with an id column: managers by id.
    PeopleList es = Read("Nombre;Cargo;Jefe;ID\nAna;Directora, general;;1\nLuis;Jefe de ventas;1;2\n");
    ASSERT_EQ(es.people.size(), 2u);
    EXPECT_TRUE(es.managersById);
    EXPECT_EQ(es.people[0].title, u"Directora, general");
    EXPECT_EQ(es.people[1].manager, u"1");
    PeopleList de = Read("Personalnummer\tName\tFunktion\tVorgesetzter\tAbteilung\n7\tJo\tLeiter\t\tIT\n");
    ASSERT_EQ(de.people.size(), 1u);
    EXPECT_EQ(de.people[0].id, u"7");
    EXPECT_EQ(de.people[0].title, u"Leiter");
}

TEST(PeopleList, HeadersInEveryLanguageAndListsWithoutOne) {
    const char* headers[] = {
        "Nombre completo;Puesto;Depende de", "Nome;Função;Gestor",
        "Nom;Poste;Supérieur hiérarchique",  "Mitarbeiter;Stellenbezeichnung;Berichtet an",
        "Full name;Role;Supervisor",         "Nominativo;Ruolo;Responsabile",
    };
    for (const char* header : headers) {
        PeopleList list = Read(std::string(header) + "\nAna;Chefe;\nRui;Analista;Ana\n");
        ASSERT_EQ(list.people.size(), 2u) << header;
        EXPECT_EQ(list.people[1].name, u"Rui") << header;
        EXPECT_EQ(list.people[1].title, u"Analista") << header;
        EXPECT_EQ(list.people[1].manager, u"Ana") << header;
    }
    // No header: name, title, manager in that order, the first row a person.
    PeopleList bare = Read("Ana,Chefe,\nRui,Analista,Ana\n");
    ASSERT_EQ(bare.people.size(), 2u);
    EXPECT_EQ(bare.people[0].line, 1);
    EXPECT_EQ(bare.people[1].manager, u"Ana");
    // Columns in another order, with a manager-id column beside the manager's name.
    PeopleList ids = Read("Manager,Title,Employee ID,Manager ID,Name\nX,Boss,10,,Ana\nAna,Clerk,11,10,Rui\n");
    EXPECT_TRUE(ids.managersById);
    EXPECT_EQ(ids.people[1].manager, u"10");
    EXPECT_EQ(ids.people[1].name, u"Rui");
}

TEST(PeopleList, EncodingsAndByteOrderMarks) {
    const std::u16string expected = u"José Müller";
    const std::string utf8 = "Name;Title\nJos\xC3\xA9 M\xC3\xBCller;Jefe\n";
    for (const std::string& bytes :
         {utf8, "\xEF\xBB\xBF" + utf8, Utf16(u"Name;Title\r\nJosé Müller;Jefe\r\n", false),
          Utf16(u"Name;Title\r\nJosé Müller;Jefe\r\n", true),
          std::string("Name;Title\nJos\xE9 M\xFCller;Jefe\n")}) {
        PeopleList list = Read(bytes);
        ASSERT_EQ(list.people.size(), 1u);
        EXPECT_EQ(list.people[0].name, expected);
    }
    // Bytes F5 to FF start no UTF-8 sequence, whatever follows them: such a list is in the code page.
    for (int b = 0xF5; b <= 0xFF; ++b) {
        const std::string name = std::string("Jo") + char(b) + "\xBB\xBB";
        PeopleList list = Read("Name;Title\n" + name + ";Jefe\n");
        ASSERT_EQ(list.people.size(), 1u);
        EXPECT_EQ(list.people[0].name, Latin1(name)) << b;
    }
    // A byte-order mark keeps its header recognised and is not part of the first name.
    EXPECT_EQ(Read("\xEF\xBB\xBFName,Title\nAna,Boss\n").people.size(), 1u);
}

TEST(PeopleList, EveryFaultIsReportedWithItsLine) {
    std::vector<FaultyLine> faults = Faults("Name,Title,Manager\n"
                                            "Ana,CEO,\n"         // 2
                                            ",,Ana\n"            // 3 no name (nor a title: no open position)
                                            "Rui,Clerk,Zoe\n"    // 4 unknown manager
                                            "Eva,Self,eva\n"     // 5 own manager (case ignored): a top person
                                            "Max,A,Tom\n"        // 6 cycle Max -> Tom -> Max
                                            "Tom,B,Max\n"        // 7
                                            "ana,Again,\n"       // 8 a second Ana, whom line 3 names
                                            "Kim,Clerk,Yves\n"); // 9 unknown manager
    std::vector<std::pair<int, ListFault>> got;
    for (const FaultyLine& f : faults)
        got.emplace_back(f.line, f.fault);
    std::vector<std::pair<int, ListFault>> want = {
        {3, ListFault::MissingName},  {4, ListFault::UnknownManager}, {6, ListFault::ManagerCycle},
        {7, ListFault::ManagerCycle}, {8, ListFault::DuplicateName},  {9, ListFault::UnknownManager}};
    EXPECT_EQ(got, want);
    EXPECT_EQ(faults[1].detail, u"Zoe");

    std::vector<FaultyLine> byId = Faults("id;name;manager\n1;Ana;\n1;Rui;1\n2;Eva;\n");
    ASSERT_EQ(byId.size(), 1u);
    EXPECT_EQ(byId[0].line, 3);
    EXPECT_EQ(byId[0].fault, ListFault::DuplicateId);

    // Two people without a manager are two trees, not a fault; with ids, equal names are fine.
    std::vector<int> managerOf;
    PeopleList forest = Read("id,name,manager\n1,Ana,\n2,Ana,\n3,Rui,2\n");
    EXPECT_TRUE(CheckPeopleList(forest, managerOf).empty());
    EXPECT_EQ(managerOf, (std::vector<int>{-1, -1, 1}));
}
