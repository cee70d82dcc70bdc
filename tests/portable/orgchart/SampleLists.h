// Realistic lists of people for the chart builder's tests and benchmark, written as spreadsheets
// save them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SampleRow {
    int id;
    int manager; // id of the manager, 0 for none
};

inline const char* SampleFirstName(int i) {
    static const char* const names[] = {"Ana",     "Luis",    "Marta",     "João",   "Inês",
                                        "Camille", "Étienne", "Jürgen",    "Anke",   "Giulia",
                                        "Matteo",  "Emily",   "George",    "Lucía",  "Pablo",
                                        "Sophie",  "Lorenzo", "Francesca", "Henrik", "Beatriz"};
    return names[i % 20];
}

inline const char* SampleLastName(int i) {
    static const char* const names[] = {"García Fernández", "Oliveira", "Dubois",   "Schneider", "Rossi",
                                        "Thompson",         "Martínez", "Carvalho", "Lefèvre",   "Hoffmann",
                                        "Esposito",         "Whitaker", "Navarro",  "Pereira",   "Moreau",
                                        "Becker",           "Ricci",    "Harrison", "Castillo",  "Fontaine",
                                        "Zimmermann",       "Bianchi",  "Sullivan", "Romero",    "Gonçalves"};
    return names[i % 25];
}

// Job titles of up to four long words.
inline const char* SampleTitle(int level, int i) {
    static const char* const top[] = {"Chief Executive Officer"};
    static const char* const second[] = {"Director of International Operations",
                                         "Chief Financial Officer",
                                         "Director of Human Resources",
                                         "Head of Information Technology",
                                         "Director of Manufacturing",
                                         "Head of Procurement",
                                         "Director of Communications",
                                         "General Counsel",
                                         "Head of Research",
                                         "Director of Customer Experience",
                                         "Head of Logistics",
                                         "Director of Marketing",
                                         "Head of Quality Assurance",
                                         "Director of Regional Sales"};
    static const char* const third[] = {"Senior Infrastructure Operations Engineer",
                                        "Regional Procurement Coordinator",
                                        "Accounts Payable Specialist",
                                        "International Logistics Planner",
                                        "Customer Relationship Manager",
                                        "Compensation Benefits Analyst",
                                        "Quality Assurance Technician",
                                        "Corporate Communications Officer",
                                        "Manufacturing Process Engineer",
                                        "Research Laboratory Assistant"};
    static const char* const fourth[] = {"Administrative Assistant", "Junior Laboratory Technician",
                                         "Warehouse Operations Clerk"};
    switch (level) {
    case 0:
        return top[0];
    case 1:
        return second[i % 14];
    case 2:
        return third[i % 10];
    default:
        return fourth[i % 3];
    }
}

// Writes the rows as a list: header, separator and byte-order mark as given; managers by id when
// withIds, by name otherwise.
inline std::string WriteSampleList(const std::vector<SampleRow>& rows, const std::vector<int>& levels,
                                   char separator, bool bom, bool withIds) {
    std::string out = bom ? "\xEF\xBB\xBF" : "";
    auto name = [](int id) { return std::string(SampleFirstName(id)) + " " + SampleLastName(id / 20 + id); };
    std::string sep(1, separator);
    out += withIds ? "Employee ID" + sep + "Full Name" + sep + "Job Title" + sep + "Manager ID\r\n"
                   : "Name" + sep + "Title" + sep + "Reports to\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        const SampleRow& r = rows[i];
        std::string manager = r.manager == 0 ? "" : withIds ? std::to_string(r.manager) : name(r.manager);
        std::string title = SampleTitle(levels[i], int(i));
        if (withIds) out += std::to_string(r.id) + sep;
        out += name(r.id) + sep + "\"" + title + "\"" + sep + manager + "\r\n";
    }
    return out;
}

// About a hundred people four levels deep: the top person has fourteen reports, the third level
// eighty people, five of them in the fourth below two of the third.
inline std::string HundredPeopleList(char separator, bool bom) {
    std::vector<SampleRow> rows;
    std::vector<int> levels;
    int next = 1;
    rows.push_back({next++, 0});
    levels.push_back(0);
    std::vector<int> second, third;
    for (int i = 0; i < 14; ++i) {
        second.push_back(next);
        rows.push_back({next++, 1});
        levels.push_back(1);
    }
    for (int i = 0; i < 80; ++i) {
        third.push_back(next);
        rows.push_back({next++, second[size_t(i % 14)]});
        levels.push_back(2);
    }
    for (int i = 0; i < 5; ++i) {
        rows.push_back({next++, third[size_t(i < 3 ? 0 : 1)]});
        levels.push_back(3);
    }
    return WriteSampleList(rows, levels, separator, bom, false);
}

// A company of `count` people: twelve vice presidents, ten directors under each, staff under them.
inline std::string LargeList(int count) {
    std::vector<SampleRow> rows;
    std::vector<int> levels;
    rows.push_back({1, 0});
    levels.push_back(0);
    for (int i = 0; i < 12 && int(rows.size()) < count; ++i) {
        rows.push_back({int(rows.size()) + 1, 1});
        levels.push_back(1);
    }
    for (int i = 0; i < 120 && int(rows.size()) < count; ++i) {
        rows.push_back({int(rows.size()) + 1, 2 + i % 12});
        levels.push_back(2);
    }
    for (int i = 0; int(rows.size()) < count; ++i) {
        rows.push_back({int(rows.size()) + 1, 14 + i % 120});
        levels.push_back(3);
    }
    return WriteSampleList(rows, levels, ',', false, true);
}

// Everyday job titles by level, of one to three short words.
inline const char* GrownTitle(int level, int i) {
    static const char* const top[] = {"Managing Director"};
    static const char* const heads[] = {"Finance Director", "Head of Sales",       "Head of IT",
                                        "HR Director",      "Operations Director", "Head of Marketing",
                                        "Head of Legal",    "Plant Manager"};
    static const char* const leads[] = {"Sales Manager", "Team Lead",  "Accounting Manager", "Product Owner",
                                        "Site Manager",  "Buyer Lead", "Support Lead"};
    static const char* const staff[] = {"Accountant", "Engineer",  "Analyst",  "Sales Rep",
                                        "Technician", "Assistant", "Designer", "Buyer",
                                        "Clerk",      "Developer", "Recruiter"};
    return level == 0 ? top[0] : level == 1 ? heads[i % 8] : level == 2 ? leads[i % 7] : staff[i % 11];
}

// Everyday job titles of two to four words, as long as real ones run.
inline const char* LongGrownTitle(int level, int i) {
    static const char* const top[] = {"Chief Executive Officer"};
    static const char* const heads[] = {"VP Engineering",         "Chief Financial Officer",
                                        "Director of Logistics",  "Director of Human Resources",
                                        "VP Sales and Marketing", "Head of Customer Support",
                                        "Director of Operations", "General Counsel"};
    static const char* const leads[] = {"Engineering Manager",        "Regional Sales Manager",
                                        "Customer Service Team Lead", "Logistics Coordinator",
                                        "Senior Product Manager",     "Accounts Payable Supervisor",
                                        "Warehouse Manager"};
    static const char* const staff[] = {
        "Senior Software Engineer",  "Customer Service Agent",  "Software Engineer",
        "Accounts Payable Clerk",    "Warehouse Operative",     "Sales Representative",
        "Quality Assurance Analyst", "Marketing Coordinator",   "Payroll Specialist",
        "Executive Assistant",       "Field Service Technician"};
    return level == 0 ? top[0] : level == 1 ? heads[i % 8] : level == 2 ? leads[i % 7] : staff[i % 11];
}

// An organisation grown as real ones grow, the same for the same seed: every manager leads 2 to 12
// people (about six), fewer people lead a team the deeper they sit, and nobody sits more than six
// levels below the top person. Titles short ones, or long ones where asked.
inline std::string GrownOrganisation(int count, unsigned seed, bool longTitles = false) {
    uint64_t state = seed * 6364136223846793005ull + 1442695040888963407ull;
    auto next = [&](int below) { // 0 .. below - 1
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return int((state >> 33) % uint64_t(below));
    };
    std::vector<SampleRow> rows{{1, 0}};
    std::vector<int> levels{0};
    const int leadsInHundred[] = {100, 85, 45, 25, 15, 8};
    std::vector<char> leads{0};
    for (size_t at = 0; int(rows.size()) < count; ++at) {
        if (at == rows.size()) at = 0; // everyone asked: ask again those still without a team
        if (levels[at] >= 6 || leads[at] || next(100) >= leadsInHundred[levels[at]]) continue;
        leads[at] = 1;
        int span = 2;
        for (int i = 0; i < 10; ++i)
            span += next(5) < 2; // two in five: 2 + about 4
        for (int i = 0; i < span && int(rows.size()) < count; ++i) {
            rows.push_back({int(rows.size()) + 1, rows[at].id});
            levels.push_back(levels[at] + 1);
            leads.push_back(0);
        }
    }
    // Titles by what people do: those who lead a team get a leader's title.
    std::string out = "Employee ID,Full Name,Job Title,Manager ID\r\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        const int id = rows[i].id;
        const int level = levels[i] == 0 ? 0 : leads[i] ? std::min(levels[i], 2) : 3;
        out += std::to_string(id) + "," + SampleFirstName(id) + " " + SampleLastName(id / 20 + id) + "," +
               (longTitles ? LongGrownTitle(level, int(i)) : GrownTitle(level, int(i))) + "," +
               (rows[i].manager ? std::to_string(rows[i].manager) : "") + "\r\n";
    }
    return out;
}
