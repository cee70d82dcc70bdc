// Decoding, splitting and checking lists of people.
#include "document/PeopleList.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

// --- Decoding --------------------------------------------------------------------------------

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out.push_back(char16_t(cp));
    } else {
        cp -= 0x10000;
        out.push_back(char16_t(0xD800 + (cp >> 10)));
        out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    }
}

// Decodes UTF-8; a malformed sequence becomes U+FFFD. Returns false when one was met.
bool DecodeUtf8(std::string_view s, std::u16string& out) {
    bool clean = true;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
        uint32_t cp = extra == 3 ? b & 0x07u : extra == 2 ? b & 0x0Fu : b & 0x1Fu;
        bool ok = extra > 0 && i + size_t(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if (ok && ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))))
            ok = false;
        if (ok) {
            AppendCodePoint(out, cp);
            i += size_t(extra) + 1;
        } else {
            out.push_back(kReplacement);
            clean = false;
            ++i;
        }
    }
    return clean;
}

std::u16string DecodeUtf16(std::string_view s, bool bigEndian) {
    std::u16string out;
    out.reserve(s.size() / 2);
    for (size_t i = 0; i + 1 < s.size(); i += 2) {
        auto lo = static_cast<unsigned char>(s[bigEndian ? i + 1 : i]);
        auto hi = static_cast<unsigned char>(s[bigEndian ? i : i + 1]);
        out.push_back(char16_t(lo | (hi << 8)));
    }
    return out;
}

// --- Splitting into rows -----------------------------------------------------------------------

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0xA0 || c == u'\r' || c == u'\n' || c == 0xFEFF;
}

// Trims the ends and makes every inner run of blanks and line breaks one space: a cell text has
// no line breaks of its own.
std::u16string Tidy(std::u16string_view s) {
    std::u16string out;
    bool pendingSpace = false;
    for (char16_t c : s) {
        if (IsBlank(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(u' ');
        pendingSpace = false;
        out.push_back(c);
    }
    return out;
}

struct Row {
    int line = 0;
    std::vector<std::u16string> fields;
};

// The separator is the one of comma, semicolon and tab met most often outside quotes in the
// first line; a one-column list has none and splits on commas, which it does not contain.
char16_t FindSeparator(std::u16string_view text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (char16_t c : text) {
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        if (c == u'\n' || c == u'\r') break;
        comma += c == u',';
        semicolon += c == u';';
        tab += c == u'\t';
    }
    if (tab > 0 && tab >= semicolon && tab >= comma) return u'\t';
    if (semicolon > 0 && semicolon >= comma) return u';';
    return u',';
}

std::vector<Row> SplitRows(std::u16string_view text, char16_t separator) {
    std::vector<Row> rows;
    Row row;
    std::u16string field;
    int line = 1;
    row.line = 1;
    bool quoted = false; // inside a quoted part
    bool anyText = false;
    auto endField = [&] {
        row.fields.push_back(Tidy(field));
        anyText = anyText || !row.fields.back().empty();
        field.clear();
    };
    auto endRow = [&] {
        endField();
        if (anyText) rows.push_back(std::move(row));
        row = Row{};
        anyText = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        bool lineBreak = c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'));
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.push_back(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.push_back(c);
            }
            if (lineBreak) ++line;
            continue;
        }
        if (c == u'"' && std::all_of(field.begin(), field.end(), IsBlank)) {
            // A quote opens a quoted field only at its start; blanks before it do not count.
            field.clear();
            quoted = true;
        } else if (c == separator) {
            endField();
        } else if (lineBreak) {
            endRow();
            ++line;
            row.line = line;
        } else if (c != u'\r') {
            field.push_back(c);
        }
    }
    endRow();
    return rows;
}

// --- Header ------------------------------------------------------------------------------------

enum class Column { Other, Id, Name, Title, Manager, ManagerId };

// A header name reduced to lower-case letters and digits without accents, so that "Job Title",
// "job_title" and "JOB-TITLE" meet, and so do "Función" and "funcion".
std::string HeaderKey(std::u16string_view name) {
    static const char* const kLatin1 = // lower-case base letters of U+00C0..U+00FF
        "aaaaaaaceeeeiiiidnooooo/ouuuuyts"
        "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    std::string key;
    for (char16_t c : name) {
        if (c >= u'A' && c <= u'Z')
            key.push_back(char(c - u'A' + 'a'));
        else if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            key.push_back(char(c));
        else if (c == 0xDF)
            key += "ss";
        else if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7)
            key.push_back(kLatin1[c - 0xC0]);
    }
    return key;
}

struct HeaderName {
    const char* key;
    Column column;
};

// Column names in Spanish, Portuguese, French, German, English and Italian, with the synonyms
// HR exports and spreadsheets use.
constexpr HeaderName kHeaderNames[] = {
    // ids
    {"id", Column::Id},
    {"employeeid", Column::Id},
    {"empid", Column::Id},
    {"staffid", Column::Id},
    {"personid", Column::Id},
    {"employeenumber", Column::Id},
    {"employeeno", Column::Id},
    {"idempleado", Column::Id},
    {"numeroempleado", Column::Id},
    {"numerodeempleado", Column::Id},
    {"codigo", Column::Id},
    {"idfuncionario", Column::Id},
    {"matricula", Column::Id},
    {"identifiant", Column::Id},
    {"matricule", Column::Id},
    {"idemploye", Column::Id},
    {"personalnummer", Column::Id},
    {"mitarbeiternummer", Column::Id},
    {"mitarbeiterid", Column::Id},
    {"matricola", Column::Id},
    {"iddipendente", Column::Id},
    {"codice", Column::Id},
    // names
    {"name", Column::Name},
    {"fullname", Column::Name},
    {"employee", Column::Name},
    {"employeename", Column::Name},
    {"person", Column::Name},
    {"nombre", Column::Name},
    {"nombrecompleto", Column::Name},
    {"empleado", Column::Name},
    {"nome", Column::Name},
    {"nomecompleto", Column::Name},
    {"funcionario", Column::Name},
    {"colaborador", Column::Name},
    {"empregado", Column::Name},
    {"nom", Column::Name},
    {"nomcomplet", Column::Name},
    {"employe", Column::Name},
    {"salarie", Column::Name},
    {"collaborateur", Column::Name},
    {"vollstandigername", Column::Name},
    {"mitarbeiter", Column::Name},
    {"mitarbeitername", Column::Name},
    {"dipendente", Column::Name},
    {"impiegato", Column::Name},
    {"nominativo", Column::Name},
    // job titles
    {"title", Column::Title},
    {"jobtitle", Column::Title},
    {"position", Column::Title},
    {"role", Column::Title},
    {"job", Column::Title},
    {"cargo", Column::Title},
    {"puesto", Column::Title},
    {"titulo", Column::Title},
    {"funcion", Column::Title},
    {"rol", Column::Title},
    {"puestodetrabajo", Column::Title},
    {"funcao", Column::Title},
    {"posicao", Column::Title},
    {"papel", Column::Title},
    {"titre", Column::Title},
    {"poste", Column::Title},
    {"fonction", Column::Title},
    {"intituledeposte", Column::Title},
    {"titel", Column::Title},
    {"funktion", Column::Title},
    {"rolle", Column::Title},
    {"stelle", Column::Title},
    {"berufsbezeichnung", Column::Title},
    {"jobtitel", Column::Title},
    {"stellenbezeichnung", Column::Title},
    {"titolo", Column::Title},
    {"ruolo", Column::Title},
    {"posizione", Column::Title},
    {"mansione", Column::Title},
    {"qualifica", Column::Title},
    {"incarico", Column::Title},
    // managers
    {"manager", Column::Manager},
    {"reportsto", Column::Manager},
    {"supervisor", Column::Manager},
    {"parent", Column::Manager},
    {"boss", Column::Manager},
    {"managername", Column::Manager},
    {"linemanager", Column::Manager},
    {"jefe", Column::Manager},
    {"responsable", Column::Manager},
    {"dependede", Column::Manager},
    {"superior", Column::Manager},
    {"gerente", Column::Manager},
    {"reportaa", Column::Manager},
    {"gestor", Column::Manager},
    {"chefe", Column::Manager},
    {"responsavel", Column::Manager},
    {"reportase", Column::Manager},
    {"superieur", Column::Manager},
    {"superieurhierarchique", Column::Manager},
    {"rapportea", Column::Manager},
    {"chef", Column::Manager},
    {"vorgesetzter", Column::Manager},
    {"vorgesetzte", Column::Manager},
    {"berichtetan", Column::Manager},
    {"leiter", Column::Manager},
    {"fuhrungskraft", Column::Manager},
    {"responsabile", Column::Manager},
    {"superiore", Column::Manager},
    {"riportaa", Column::Manager},
    {"capo", Column::Manager},
    {"supervisore", Column::Manager},
    // manager ids
    {"managerid", Column::ManagerId},
    {"supervisorid", Column::ManagerId},
    {"parentid", Column::ManagerId},
    {"reportstoid", Column::ManagerId},
    {"idjefe", Column::ManagerId},
    {"idresponsable", Column::ManagerId},
    {"idgestor", Column::ManagerId},
    {"idsuperieur", Column::ManagerId},
    {"idmanager", Column::ManagerId},
    {"idvorgesetzter", Column::ManagerId},
    {"vorgesetzterid", Column::ManagerId},
    {"idresponsabile", Column::ManagerId},
    {"idsuperiore", Column::ManagerId},
};

Column RecogniseHeader(std::u16string_view name) {
    std::string key = HeaderKey(name);
    for (const HeaderName& entry : kHeaderNames)
        if (key == entry.key) return entry.column;
    return Column::Other;
}

// Folds the case of Latin letters, so "ana lópez" in a manager column finds "Ana López".
std::u16string FoldCase(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = char16_t(c + 0x20);
    }
    return out;
}

} // namespace

std::u16string DecodeListText(std::string_view bytes, const AnsiDecoder& ansi) {
    auto starts = [&](std::string_view bom) { return bytes.substr(0, bom.size()) == bom; };
    std::u16string text;
    if (starts("\xEF\xBB\xBF")) {
        DecodeUtf8(bytes.substr(3), text);
    } else if (starts("\xFF\xFE")) {
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (starts("\xFE\xFF")) {
        text = DecodeUtf16(bytes.substr(2), true);
    } else if (!DecodeUtf8(bytes, text)) {
        // Not UTF-8: the list was saved in the system's code page.
        text = ansi ? ansi(bytes) : std::u16string();
    }
    return text;
}

PeopleList ReadPeopleList(std::u16string_view text) {
    PeopleList list;
    std::vector<Row> rows = SplitRows(text, FindSeparator(text));
    if (rows.empty()) return list;

    // The first row is a header when it names a name column, or at least two known columns.
    std::array<int, 6> at;
    at.fill(-1);
    int recognised = 0;
    for (size_t i = 0; i < rows[0].fields.size(); ++i) {
        Column column = RecogniseHeader(rows[0].fields[i]);
        if (column == Column::Other || at[size_t(column)] >= 0) continue;
        at[size_t(column)] = int(i);
        ++recognised;
    }
    bool header = at[size_t(Column::Name)] >= 0 || recognised >= 2;
    size_t first = header ? 1 : 0;
    int idAt = -1, nameAt = 0, titleAt = 1, managerAt = 2;
    if (header) {
        idAt = at[size_t(Column::Id)];
        nameAt = at[size_t(Column::Name)];
        titleAt = at[size_t(Column::Title)];
        // Managers are named by id when the list has ids; a "manager id" column wins over a
        // "manager" column then, and stands in for it otherwise.
        managerAt = at[size_t(Column::Manager)];
        if (at[size_t(Column::ManagerId)] >= 0 && (idAt >= 0 || managerAt < 0))
            managerAt = at[size_t(Column::ManagerId)];
        if (nameAt < 0) {
            // A header without a name column: the first column that is nothing else holds names.
            for (size_t i = 0; i < rows[0].fields.size() && nameAt < 0; ++i)
                if (RecogniseHeader(rows[0].fields[i]) == Column::Other) nameAt = int(i);
        }
    }
    list.managersById = idAt >= 0;
    auto field = [](const Row& row, int index) {
        return index >= 0 && size_t(index) < row.fields.size() ? row.fields[size_t(index)] : std::u16string();
    };
    list.people.reserve(rows.size() - first);
    for (size_t r = first; r < rows.size(); ++r) {
        const Row& row = rows[r];
        list.people.push_back(
            {field(row, idAt), field(row, nameAt), field(row, titleAt), field(row, managerAt), row.line});
    }
    return list;
}

std::vector<FaultyLine> CheckPeopleList(const PeopleList& list, std::vector<int>& managerOf) {
    std::vector<FaultyLine> faults;
    const std::vector<Person>& people = list.people;
    const size_t n = people.size();
    managerOf.assign(n, -1);

    // Keys people are found by: their id, or their name without regard to case.
    std::unordered_map<std::u16string, int> byKey;
    byKey.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const Person& p = people[i];
        if (p.name.empty()) faults.push_back({p.line, ListFault::MissingName, {}});
        std::u16string key = list.managersById ? p.id : FoldCase(p.name);
        if (key.empty()) continue;
        auto [it, added] = byKey.emplace(key, int(i));
        if (!added)
            faults.push_back({p.line, list.managersById ? ListFault::DuplicateId : ListFault::DuplicateName,
                              list.managersById ? p.id : p.name});
    }
    for (size_t i = 0; i < n; ++i) {
        const Person& p = people[i];
        if (p.manager.empty()) continue;
        auto it = byKey.find(list.managersById ? p.manager : FoldCase(p.manager));
        if (it == byKey.end()) {
            faults.push_back({p.line, ListFault::UnknownManager, p.manager});
        } else if (size_t(it->second) == i) {
            faults.push_back({p.line, ListFault::OwnManager, {}});
        } else {
            managerOf[i] = it->second;
        }
    }
    // Cycles: walk up from every person, colouring the walk; a walk that meets itself has found a
    // cycle, and every person on it is reported once.
    std::vector<int> state(n, 0); // 0 unvisited, 1 on the current walk, 2 done
    std::vector<int> walk;
    for (size_t start = 0; start < n; ++start) {
        int v = int(start);
        walk.clear();
        while (v >= 0 && state[size_t(v)] == 0) {
            state[size_t(v)] = 1;
            walk.push_back(v);
            v = managerOf[size_t(v)];
        }
        if (v >= 0 && state[size_t(v)] == 1) {
            int u = v;
            do {
                faults.push_back(
                    {people[size_t(u)].line, ListFault::ManagerCycle, people[size_t(u)].manager});
                u = managerOf[size_t(u)];
            } while (u != v);
        }
        for (int w : walk)
            state[size_t(w)] = 2;
    }
    std::stable_sort(faults.begin(), faults.end(),
                     [](const FaultyLine& a, const FaultyLine& b) { return a.line < b.line; });
    if (!faults.empty()) managerOf.assign(n, -1);
    return faults;
}
