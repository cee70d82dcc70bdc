// Finding the columns of lists as payroll systems, HR suites, directories and spreadsheets export
// them, and reading the top of the organisation as they write it.
#include "document/PeopleList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace {

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

CheckedList Check(std::string_view bytes, const ListColumns& wanted = {}) {
    return ReadCheckedList(DecodeListText(bytes, Latin1), wanted);
}

std::string Narrow(std::u16string_view s) {
    std::string out;
    for (char16_t c : s)
        out.push_back(c < 0x80 ? char(c) : '?');
    return out;
}

// Each person's manager by name ("" for a top person), the chart the list describes.
std::map<std::string, std::string> Tree(const CheckedList& checked) {
    std::map<std::string, std::string> tree;
    for (size_t i = 0; i < checked.list.people.size(); ++i) {
        int m = checked.managerOf[i];
        tree[Narrow(checked.list.people[i].name)] = m < 0 ? "" : Narrow(checked.list.people[size_t(m)].name);
    }
    return tree;
}

std::string Header(const CheckedList& checked, ListRole role) {
    int at = checked.columns[role];
    if (at < 0 || checked.columns.headerRow < 0) return "-";
    return Narrow(checked.table.rows[size_t(checked.columns.headerRow)].fields[size_t(at)]);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ColumnFinder, HeaderWordsInEveryLanguageAndSpelling) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"ParentEmployeeKey", int(ListRole::Manager)},
        {u"Manager ID", int(ListRole::Manager)},
        {u"Reports to Senior Post", int(ListRole::Manager)},
        {u"Vorgesetzter (Pers.-Nr.)", int(ListRole::Manager)},
        {u"parentId", int(ListRole::Manager)},
        {u"SUPÉRIEUR_HIÉRARCHIQUE", int(ListRole::Manager)},
        {u"Jefe directo", int(ListRole::Manager)},
        {u"Team Leader", int(ListRole::Manager)},
        {u"EmployeeKey", int(ListRole::Id)},
        {u"Post Unique Reference", int(ListRole::Id)},
        {u"Personalnummer", int(ListRole::Id)},
        {u"Employee ID", int(ListRole::Id)},
        {u"Matrícula", int(ListRole::Id)},
        {u"positionName", int(ListRole::Title)},
        {u"Business Title", int(ListRole::Title)},
        {u"Stellenbezeichnung", int(ListRole::Title)},
        {u"job_title", int(ListRole::Title)},
        {u"Función", int(ListRole::Title)},
        {u"Worker", int(ListRole::Name)},
        {u"Full name", int(ListRole::Name)},
        {u"Nombre y apellidos", int(ListRole::Name)},
        {u"Nome e cognome", int(ListRole::Name)},
        {u"Apellidos y nombre", int(ListRole::Name)},
        {u"Nom et prénom", int(ListRole::Name)},
        {u"Cognome e nome", int(ListRole::Name)},
        {u"Name, Vorname", int(ListRole::Name)},
        {u"FirstName", int(ListRole::First)},
        {u"Vorname", int(ListRole::First)},
        {u"Prénom", int(ListRole::First)},
        {u"LastName", int(ListRole::Last)},
        {u"Nachname", int(ListRole::Last)},
        {u"Apellidos", int(ListRole::Last)},
        // Other columns that hold a role's word.
        {u"DepartmentName", -1},
        {u"EmergencyContactName", -1},
        {u"Parent Department", -1},
        {u"ParentEmployeeNationalIDAlternateKey", -1},
        {u"Salary Cost of Reports", -1},
        {u"NameStyle", -1},
        {u"LoginID", -1},
    };
    for (const auto& [header, role] : cases)
        EXPECT_EQ(HeaderRole(header), role) << Narrow(header);
}

TEST(ColumnFinder, ExportsBuildTheirTreeWithTheColumnsFound) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> headers; // name (or first+last), title, id, manager
        std::map<std::string, std::string> tree;
        std::string outsideManager;
    };
    const std::map<std::string, std::string> tree = {
        {"Ann Lee", ""}, {"Bo Ray", "Ann Lee"}, {"Cy Dunn", "Ann Lee"}, {"Di Fox", "Bo Ray"}};
    const Case cases[] = {
        {"payroll: zero-padded numbers, surname and first name apart, top's superior zeros",
         "Personalnummer;Nachname;Vorname;Stellenbezeichnung;Kostenstelle;Vorgesetzter (Pers.-Nr.)\r\n"
         "000117;Lee;Ann;Geschäftsführerin;4100;000000\r\n"
         "000203;Ray;Bo;Leiter Vertrieb;4200;000117\r\n"
         "000311;Dunn;Cy;Leiter Technik;4300;000117\r\n"
         "000420;Fox;Di;Vertrieb;4200;000203\r\n",
         {"-", "Vorname", "Nachname", "Stellenbezeichnung", "Personalnummer", "Vorgesetzter (Pers.-Nr.)"},
         tree,
         ""},
        {"HR suite: workers as \"Last, First\", top person their own manager, an id beside",
         "Worker,Worker ID,Business Title,Manager,Hire Date\n"
         "\"Lee, Ann\",W1,CEO,\"Lee, Ann\",2001-01-02\n"
         "\"Ray, Bo\",W2,Sales,\"Lee, Ann\",2003-04-05\n"
         "\"Dunn, Cy\",W3,IT,\"Lee, Ann\",2003-04-05\n"
         "\"Fox, Di\",W4,Clerk,\"Ray, Bo\",2009-10-11\n",
         {"Worker", "-", "-", "Business Title", "Worker ID", "Manager"},
         {{"Lee, Ann", ""}, {"Ray, Bo", "Lee, Ann"}, {"Dunn, Cy", "Lee, Ann"}, {"Fox, Di", "Ray, Bo"}},
         ""},
        {"directory: managers by name, an id column, a title line and a blank line first",
         "Staff directory\n\ndisplayName;mail;title;employeeID;manager\n"
         "Ann Lee;ann@x.org;CEO;17;\n"
         "Bo Ray;bo@x.org;Sales;18;ann lee\n"
         "Cy Dunn;cy@x.org;IT;19;Ann Lee\n"
         "Di Fox;di@x.org;Clerk;20;Bo Ray\n",
         {"displayName", "-", "-", "title", "employeeID", "manager"},
         tree,
         ""},
        {"organogram: nameless columns, quoted line breaks, the top reporting to a post outside",
         "Post Unique Reference,Name,Grade,Job Title,Parent Department,Contact Phone,Reports to Senior "
         "Post,,\n"
         "P1,Ann Lee,SCS3,Director,Cabinet,\"0300\n123\",XX,,\n"
         "P2,Bo Ray,SCS2,Deputy,Cabinet,\"0300, 124\",P1,,\n"
         "P3,Cy Dunn,SCS2,Deputy,Cabinet,,P1,,\n"
         "P4,Di Fox,SCS1,Head,Cabinet,,P2,x,\n",
         {"Name", "-", "-", "Job Title", "Post Unique Reference", "Reports to Senior Post"},
         tree,
         "XX"},
        {"headers nobody knows: the data decides",
         "Col A,Col B,Col C,Col D\n7,Ann Lee,CEO,NULL\n8,Bo Ray,Sales,7\n9,Cy Dunn,IT,7\n10,Di Fox,Clerk,8\n",
         {"Col B", "-", "-", "-", "Col A", "Col D"},
         tree,
         ""},
        {"no header: name, title and manager by name in any order",
         "Ann Lee,,CEO\nBo Ray,Ann Lee,Sales\nCy Dunn,Ann Lee,IT\nDi Fox,Bo Ray,Clerk\n",
         {"-", "-", "-", "-", "-", "-"},
         tree,
         ""},
        {"a column the header names as something else is no manager, even when it could be",
         "EmployeeID,Name,Level,ManagedBy\n1,Ann Lee,1,\n2,Bo Ray,1,1\n3,Cy Dunn,1,1\n4,Di Fox,2,2\n",
         {"Name", "-", "-", "-", "EmployeeID", "ManagedBy"},
         tree,
         ""},
        {"no header: the top's row has one field filled and is no title line",
         "Ann Lee,,\nBo Ray,Ann Lee,Sales\nCy Dunn,Ann Lee,IT\nDi Fox,Bo Ray,Clerk\n",
         {"-", "-", "-", "-", "-", "-"},
         tree,
         ""},
        {"employee numbers headed like a name, beside the name of words",
         "Nº empleado;Apellidos;Puesto;Jefe\n100;Ann Lee;Directora general;\n101;Bo Ray;Ventas;100\n"
         "102;Cy Dunn;TI;100\n103;Di Fox;Ventas;101\n",
         {"Apellidos", "-", "-", "Puesto", "N? empleado", "Jefe"},
         tree,
         ""},
        {"first and last name in Spanish, managers by whole name",
         "Nombre;Apellidos;Puesto;Jefe\nAnn;Lee;CEO;N/A\nBo;Ray;Ventas;Ann Lee\nCy;Dunn;TI;Ann "
         "Lee\nDi;Fox;Ventas;Bo Ray\n",
         {"-", "Nombre", "Apellidos", "Puesto", "-", "Jefe"},
         tree,
         ""},
        {"French, last name first",
         "Nom;Prénom;Fonction;Responsable\nLee;Ann;PDG;-\nRay;Bo;Ventes;Ann Lee\nDunn;Cy;TI;Ann "
         "Lee\nFox;Di;Ventes;Bo Ray\n",
         {"-", "Pr?nom", "Nom", "Fonction", "-", "Responsable"},
         tree,
         ""},
    };
    const ListRole roles[] = {ListRole::Name,  ListRole::First, ListRole::Last,
                              ListRole::Title, ListRole::Id,    ListRole::Manager};
    for (const Case& c : cases) {
        CheckedList checked = Check(c.bytes);
        EXPECT_TRUE(checked.columns.undecided.empty()) << c.what;
        EXPECT_TRUE(checked.faults.empty())
            << c.what << ": line " << (checked.faults.empty() ? 0 : checked.faults[0].line);
        if (c.headers[0] != "-" || c.headers[5] != "-") {
            for (size_t r = 0; r < 6; ++r) {
                EXPECT_EQ(Header(checked, roles[r]), c.headers[r]) << c.what << ", role " << r;
            }
        }
        EXPECT_EQ(Tree(checked), c.tree) << c.what;
        EXPECT_EQ(Narrow(checked.tops.outsideManager), c.outsideManager) << c.what;
    }
}

TEST(ColumnFinder, TopPeopleAsExportsWriteThem) {
    // Every marker makes a top person while nobody in the list has it as id; one that somebody
    // has is that person.
    for (const char* marker : {"", "NULL", "null", "N/A", "-", "none", "0", "00000", "1"}) {
        std::string list = std::string("id,name,manager\n1,Ann,") + marker + "\n2,Bo,1\n3,Cy,1\n";
        CheckedList checked = Check(list);
        EXPECT_TRUE(checked.faults.empty()) << marker;
        EXPECT_EQ(checked.managerOf, (std::vector<int>{-1, 0, 0})) << marker;
        EXPECT_EQ(checked.tops.count, 1) << marker;
    }
    CheckedList zero = Check("id,name,manager\n0,Ann,\n2,Bo,0\n");
    EXPECT_EQ(zero.managerOf, (std::vector<int>{-1, 0}));
    // One manager outside the list on few rows marks the top where nobody else is there; two such
    // managers, many rows or a top person beside them (a mistyped manager) are faults.
    struct Outside {
        std::string rows;
        int tops; // -1: unknown managers
    };
    const Outside outside[] = {
        {"1,Ann,99\n4,Di,99\n", 2},
        {"1,Ann,99\n4,Di,98\n", -1},
        {"1,Ann,99\n4,Di,99\n6,Fe,99\n7,Gu,99\n", -1},
        {"1,Ann,\n4,Di,99\n", -1},
    };
    for (const Outside& o : outside) {
        CheckedList checked = Check("id,name,manager\n2,Bo,1\n3,Cy,1\n5,Ed,2\n" + o.rows);
        if (o.tops < 0) {
            ASSERT_FALSE(checked.faults.empty()) << o.rows;
            EXPECT_EQ(checked.faults[0].fault, ListFault::UnknownManager);
        } else {
            EXPECT_TRUE(checked.faults.empty()) << o.rows;
            EXPECT_EQ(checked.tops.count, o.tops);
            EXPECT_EQ(checked.tops.outsideManager, u"99");
        }
    }
    // Names repeated are told apart by id; by name, only a manager naming one of them is a fault.
    EXPECT_TRUE(Check("id,name,manager\n1,Ann,\n2,Bo,1\n3,Bo,1\n4,Cy,3\n").faults.empty());
    EXPECT_TRUE(Check("name,manager\nAnn,\nBo,Ann\nBo,Ann\n").faults.empty());
    CheckedList ambiguous = Check("name,manager\nAnn,\nBo,Ann\nBo,Ann\nCy,Bo\n");
    ASSERT_EQ(ambiguous.faults.size(), 1u);
    EXPECT_EQ(ambiguous.faults[0].line, 4);
    EXPECT_EQ(ambiguous.faults[0].fault, ListFault::DuplicateName);
}

TEST(ColumnFinder, ColumnsAskedForAndRolesNoColumnDecides) {
    const std::string list = "Who,Boss,Job,Code\nAnn,,CEO,A\nBo,A,Sales,B\nCy,A,IT,C\n";
    struct Case {
        std::array<const char16_t*, kListRoles> named;
        std::vector<ListRole> undecided;
        std::array<int, kListRoles> at; // -9: not compared
    };
    const Case cases[] = {
        {{}, {}, {0, -1, -1, 2, 3, 1}},
        {{u"1", nullptr, nullptr, u"job", u"CODE", u"2"}, {}, {0, -1, -1, 2, 3, 1}},
        {{nullptr, nullptr, nullptr, u"Code", nullptr, nullptr}, {}, {0, -1, -1, 3, -1, 1}},
        // First and last name asked for win over the name the header shows.
        {{nullptr, u"Job", u"Code", nullptr, nullptr, nullptr}, {}, {-1, 2, 3, -9, -9, 1}},
        {{nullptr, nullptr, nullptr, nullptr, nullptr, u"Salary"},
         {ListRole::Manager},
         {-9, -9, -9, -9, -9, -9}},
        {{nullptr, nullptr, nullptr, nullptr, nullptr, u"5"}, {ListRole::Manager}, {-9, -9, -9, -9, -9, -9}},
    };
    for (const Case& c : cases) {
        ListColumns wanted;
        for (size_t r = 0; r < kListRoles; ++r)
            if (c.named[r]) wanted.named[r] = c.named[r];
        ColumnFinding found = FindListColumns(ReadListTable(DecodeListText(list, Latin1)), wanted);
        EXPECT_EQ(found.undecided, c.undecided);
        for (size_t r = 0; r < kListRoles; ++r)
            if (c.at[r] != -9) {
                EXPECT_EQ(found.at[r], c.at[r]) << r;
            }
    }
    // No manager column to be found, or a manager column with nobody under anybody: undecided.
    for (const char* undecided : {"Name,Title\nAnn,CEO\nBo,Sales\n", "Name,Manager\nAnn,\nBo,NULL\n",
                                  "Name,Title,Phone\nAnn,CEO,12\nBo,Sales,13\n"})
        EXPECT_EQ(Check(undecided).columns.undecided, std::vector<ListRole>{ListRole::Manager}) << undecided;
    EXPECT_EQ(Check("Id,Manager\n1,\n2,1\n").columns.undecided, std::vector<ListRole>{ListRole::Name});
    // One person needs no manager.
    EXPECT_TRUE(Check("Name\nAnn\n").columns.undecided.empty());
}

TEST(ColumnFinder, PublishedListsPlaceEveryPerson) {
    struct Published {
        const char* file;
        size_t people;
        int formerRows; // a person's former positions, left aside
        int levels;
        std::vector<std::string> headers;
    };
    const Published lists[] = {
        {"adventureworks-employees.csv",
         290,
         6,
         5,
         {"-", "FirstName", "LastName", "Title", "EmployeeKey", "ParentEmployeeKey"}},
        {"d3-org-chart-sample.csv", 1516, 0, 10, {"name", "-", "-", "positionName", "id", "parentId"}},
    };
    const ListRole roles[] = {ListRole::Name,  ListRole::First, ListRole::Last,
                              ListRole::Title, ListRole::Id,    ListRole::Manager};
    for (const Published& p : lists) {
        std::string bytes = ReadFile(std::string(CUADRIX_TEST_DATA) + "/peer-lists/" + p.file);
        ASSERT_FALSE(bytes.empty()) << p.file;
        CheckedList checked = Check(bytes);
        for (size_t r = 0; r < 6; ++r)
            EXPECT_EQ(Header(checked, roles[r]), p.headers[r]) << p.file << ", role " << r;
        ASSERT_EQ(checked.list.people.size(), p.people) << p.file;
        EXPECT_EQ(checked.list.formerRows, p.formerRows) << p.file;
        EXPECT_TRUE(checked.list.managersById);
        ASSERT_TRUE(checked.faults.empty()) << p.file << ": line " << checked.faults[0].line;
        EXPECT_EQ(checked.tops.count, 1) << p.file;
        EXPECT_EQ(ChartLevels(checked.managerOf), p.levels) << p.file;
        // Each person is placed under the one person whose id the row names.
        for (size_t i = 0; i < p.people; ++i) {
            const Person& person = checked.list.people[i];
            int m = checked.managerOf[i];
            EXPECT_FALSE(person.name.empty());
            if (m < 0)
                EXPECT_TRUE(IsTopMarker(person.manager)) << p.file << " line " << person.line;
            else
                EXPECT_EQ(checked.list.people[size_t(m)].id, person.manager)
                    << p.file << " line " << person.line;
        }
    }
}
