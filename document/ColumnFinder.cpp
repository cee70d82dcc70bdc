// Finding the columns of a list: header words in six languages, then what the columns hold.
#include "document/ColumnFinder.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kRoleNone = -1;
// Columns of unique values tried as the ids managers refer to, and keys measured in full for each
// column that may hold the managers.
constexpr size_t kMostKeyColumns = 16;
constexpr size_t kKeysTried = 3;

// --- Header words ------------------------------------------------------------------------------

char FoldLetter(char16_t c) {
    static const char* const kLatin1 = // lower-case base letters of U+00C0..U+00FF
        "aaaaaaaceeeeiiiidnooooo/ouuuuyts"
        "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    if (c >= u'A' && c <= u'Z') return char(c - u'A' + 'a');
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) return char(c);
    if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7) return kLatin1[c - 0xC0];
    return 0;
}

bool IsUpper(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

struct Vocabulary {
    int role;
    std::vector<const char*> phrases; // whole headers, words run together
    std::vector<const char*> words;   // whole words
    std::vector<const char*> stems;   // parts of longer words (German compounds)
};

constexpr int kRoleFull = 100; // "full": the name is whole, not first or last
constexpr int kBlocked = 101;  // a column that is something else (department, phone, date...)

const std::vector<Vocabulary>& Vocabularies() {
    static const std::vector<Vocabulary> kVocabularies = {
        {kBlocked,
         {},
         {"department", "departamento", "departement", "dipartimento", "abteilung",    "area",
          "unit",       "unidad",       "unidade",     "unite",        "unita",        "office",
          "oficina",    "escritorio",   "bureau",      "ufficio",      "buro",         "email",
          "mail",       "correo",       "phone",       "telephone",    "telefono",     "telefone",
          "tel",        "mobile",       "movil",       "date",         "fecha",        "data",
          "datum",      "login",        "user",        "url",          "image",        "imagen",
          "photo",      "foto",         "picture",     "contact",      "contacto",     "emergency",
          "status",     "estado",       "flag",        "salary",       "salario",      "sueldo",
          "gehalt",     "stipendio",    "grade",       "grado",        "cost",         "coste",
          "custo",      "kosten",       "costo",       "location",     "city",         "ciudad",
          "country",    "pais",         "address",     "direccion",    "style",        "middle",
          "alternate",  "national",     "territory",   "organisation", "organization", "organizacion",
          "division",   "company",      "empresa",     "cost",         "centre",       "center",
          "level",      "nivel",        "gender",      "sexo",         "birth",        "hire",
          "size",       "tags",         "profile",     "count",        "hours",        "rate",
          "fte",        "pay",          "logged",      "vacation",     "sick",         "marital",
          "sales",      "currency",     "type",        "tipo",         "typ"},
         {"abteilung", "telefon", "datum", "adresse", "gehalt"}},
        {int(ListRole::Manager),
         {"reportsto", "reportingto", "linemanager", "dependede", "reportaa", "reportase", "rapportea",
          "berichtetan", "riportaa", "superieurhierarchique", "n1"},
         {"manager",     "managers",      "mgr",         "supervisor", "supervisora",  "boss",
          "parent",      "superior",      "superiore",   "reports",    "report",       "jefe",
          "jefa",        "gerente",       "responsable", "depende",    "gestor",       "chefe",
          "responsavel", "reporta",       "superieur",   "chef",       "rattache",     "vorgesetzter",
          "vorgesetzte", "fuhrungskraft", "berichtet",   "leiter",     "responsabile", "capo",
          "supervisore", "riporta",       "manageur",    "head",       "lead",         "leader"},
         {"vorgesetzt", "manager", "fuhrungskraft", "supervisor"}},
        {int(ListRole::Id),
         {"id", "employeeid", "empid", "staffid", "personid", "employeenumber", "employeeno", "idempleado",
          "numeroempleado", "numerodeempleado", "idfuncionario", "idemploye", "persnr", "uniquereference"},
         {"id",
          "key",
          "code",
          "codigo",
          "codice",
          "no",
          "nr",
          "num",
          "number",
          "numero",
          "nummer",
          "matricula",
          "matricule",
          "matricola",
          "identifiant",
          "identificador",
          "identificativo",
          "ident",
          "ref",
          "reference",
          "referencia",
          "riferimento",
          "uid",
          "pk",
          "kennung",
          "personalnummer"},
         {"nummer", "kennung"}},
        {int(ListRole::Title),
         {"jobtitle", "businesstitle", "puestodetrabajo", "intituledeposte", "berufsbezeichnung",
          "stellenbezeichnung"},
         {"title",     "position", "role",      "job",      "designation", "function",  "cargo",  "puesto",
          "titulo",    "funcion",  "rol",       "funcao",   "posicao",     "papel",     "titre",  "poste",
          "fonction",  "intitule", "titel",     "funktion", "rolle",       "stelle",    "titolo", "ruolo",
          "posizione", "mansione", "qualifica", "incarico", "occupation",  "ocupacion", "beruf"},
         {"bezeichnung", "position", "funktion"}},
        {kRoleFull,
         {"fullname", "nombrecompleto", "nombreyapellidos", "nombreapellidos", "nomecompleto", "nomeecognome",
          "nomecognome", "nomeesobrenome", "nomcomplet", "nomprenom", "prenomnom", "vollstandigername",
          "vornameundnachname", "nameandsurname", "firstandlastname", "displayname",
          // Surname first, as Spanish, French, Italian and German forms often ask for it.
          "apellidosynombre", "apellidosnombre", "apellidosynombres", "apellidoynombre", "nometprenom",
          "nometprenoms", "nomsetprenoms", "cognomeenome", "cognomenome", "namevorname", "nachnamevorname",
          "sobrenomeenome", "apelidoenome", "lastnamefirstname", "surnameandname", "surnamefirstname"},
         {"full", "completo", "complet", "vollstandiger", "nominativo"},
         {}},
        {int(ListRole::First),
         {"firstname", "givenname", "primeironome", "nomdebapteme"},
         {"first", "given", "forename", "vorname", "prenom", "primeiro", "rufname"},
         {"vorname"}},
        {int(ListRole::Last),
         {"lastname", "familyname", "nomdefamille", "ultimonome"},
         {"last", "surname", "family", "nachname", "familienname", "apellido", "apellidos", "sobrenome",
          "apelido", "cognome"},
         {"nachname"}},
        {int(ListRole::Name),
         {"name", "employeename", "mitarbeitername", "personname", "workername"},
         {"name",        "names",         "nombre",     "nome",        "nom",
          "worker",      "employee",      "empleado",   "person",      "persona",
          "staff",       "member",        "trabajador", "funcionario", "colaborador",
          "empregado",   "trabalhador",   "employe",    "salarie",     "collaborateur",
          "mitarbeiter", "beschaftigter", "dipendente", "impiegato",   "lavoratore",
          "who"},
         {"mitarbeiter", "name"}},
    };
    return kVocabularies;
}

bool Among(const std::vector<const char*>& list, const std::string& word) {
    return std::any_of(list.begin(), list.end(), [&](const char* w) { return word == w; });
}

// Strength of each vocabulary for the header.
std::unordered_map<int, int> VocabularyStrengths(std::u16string_view header) {
    std::vector<std::string> words = HeaderWords(header);
    std::string phrase;
    for (const std::string& w : words)
        phrase += w;
    std::unordered_map<int, int> strengths;
    for (const Vocabulary& v : Vocabularies()) {
        int s = 0;
        if (Among(v.phrases, phrase)) s = 3;
        for (const std::string& w : words) {
            if (Among(v.words, w)) s = std::max(s, 2);
            for (const char* stem : v.stems)
                if (w.size() > std::char_traits<char>::length(stem) && w.find(stem) != std::string::npos)
                    s = std::max(s, 1);
        }
        if (s) strengths[v.role] = s;
    }
    return strengths;
}

// A plain name word alone ("Nombre", "Nome", "Nom", "Name"): the first or last name when the list
// has the other half in a column of its own.
bool PlainNameHeader(std::u16string_view header) {
    std::vector<std::string> words = HeaderWords(header);
    return words.size() == 1 &&
           (words[0] == "name" || words[0] == "nombre" || words[0] == "nome" || words[0] == "nom");
}

// The header names some role or something else (a department, a level, a date).
bool NamesSomething(std::u16string_view header) {
    return !VocabularyStrengths(header).empty();
}

// --- What columns hold ------------------------------------------------------------------------

bool IsNumber(std::u16string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

bool HasDigit(std::u16string_view s) {
    return std::any_of(s.begin(), s.end(), IsDigit);
}

bool HasLetter(std::u16string_view s) {
    return std::any_of(s.begin(), s.end(), [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c >= 0xC0;
    });
}

std::u16string Field(const ListRow& row, int column) {
    return column >= 0 && size_t(column) < row.fields.size() ? row.fields[size_t(column)] : std::u16string();
}

// How a would-be manager column refers to a set of keys.
struct Reference {
    size_t matched = 0;    // values that are keys of other rows
    size_t considered = 0; // values that are neither empty nor top markers, and own keys
    size_t tops = 0;       // rows with an empty value, a top marker or their own key
    double Ratio() const { return considered ? double(matched) / double(considered) : 0.0; }
    // Almost all values point into the keys, and somebody is at the top.
    bool Fits() const { return matched > 0 && tops > 0 && Ratio() >= 0.9; }
    size_t outside = 0; // rows taken as top people because their manager is outside the list
    bool Better(const Reference& other) const {
        if (Ratio() != other.Ratio()) return Ratio() > other.Ratio();
        return outside != other.outside ? outside < other.outside : matched > other.matched;
    }
};

struct Context {
    const ListTable& table;
    size_t first;
    size_t columns;
};

std::vector<std::u16string> Values(const Context& c, int column) {
    std::vector<std::u16string> values;
    for (size_t r = c.first; r < c.table.rows.size(); ++r)
        values.push_back(Field(c.table.rows[r], column));
    return values;
}

// Nearly every value of the column holds a digit: employee numbers or codes such as "E-104",
// never a person's name.
bool NumbersOrCodes(const Context& c, int column) {
    size_t filled = 0, coded = 0;
    for (size_t r = c.first; r < c.table.rows.size(); ++r) {
        const std::u16string v = Field(c.table.rows[r], column);
        filled += !v.empty();
        coded += HasDigit(v);
    }
    return filled > 0 && coded * 10 >= filled * 9;
}

// The values a manager column may refer to: a column of unique values (the id), or the people's
// names without regard to case. Each is hashed once; the set holds views of the values.
struct KeySet {
    int column = kNoColumn;             // kNoColumn for the names
    std::vector<std::u16string> folded; // the names, folded; empty for a column
    std::unordered_set<std::u16string_view> set;
    std::u16string_view At(const Context& c, size_t person) const {
        if (column == kNoColumn) return folded[person];
        const ListRow& row = c.table.rows[c.first + person];
        return size_t(column) < row.fields.size() ? std::u16string_view(row.fields[size_t(column)])
                                                  : std::u16string_view();
    }
};

// The column as keys when every non-empty value is there once and nearly every row has one.
bool MakeColumnKeys(const Context& c, int column, KeySet& keys) {
    keys = {};
    keys.column = column;
    const size_t people = c.table.rows.size() - c.first;
    keys.set.reserve(people);
    size_t filled = 0;
    for (size_t p = 0; p < people; ++p) {
        const std::u16string_view v = keys.At(c, p);
        if (v.empty()) continue;
        ++filled;
        if (!keys.set.insert(v).second) return false;
    }
    return filled * 10 >= people * 9;
}

// How the column refers to the keys, in one pass.
Reference Refer(const Context& c, int managerColumn, const KeySet& keys) {
    const bool fold = keys.column == kNoColumn;
    const size_t people = c.table.rows.size() - c.first;
    std::u16string folded;
    auto value = [&](size_t p) -> std::u16string_view {
        const ListRow& row = c.table.rows[c.first + p];
        std::u16string_view v = size_t(managerColumn) < row.fields.size()
                                    ? std::u16string_view(row.fields[size_t(managerColumn)])
                                    : std::u16string_view();
        if (!fold) return v;
        folded = FoldCase(v);
        return folded;
    };
    Reference ref;
    std::u16string firstOutside;
    bool oneOutside = true;
    for (size_t p = 0; p < people; ++p) {
        const std::u16string_view m = value(p);
        const bool own = !m.empty() && m == keys.At(c, p);
        const bool known = keys.set.count(m) > 0;
        if (own || (!known && IsTopMarker(m))) {
            ++ref.tops;
            continue;
        }
        ++ref.considered;
        ref.matched += known;
        if (!known) {
            if (ref.considered == ref.matched + 1)
                firstOutside = m;
            else if (m != firstOutside)
                oneOutside = false;
        }
    }
    // One value outside the list on a few rows is the top's manager as the export writes it.
    if (ref.tops == 0 && ref.considered > ref.matched && ref.considered - ref.matched <= 3 && oneOutside) {
        ref.outside = ref.considered - ref.matched;
        ref.tops = ref.outside;
        ref.considered = ref.matched;
    }
    return ref;
}

// A few of the column's values that are neither empty nor top markers, spread over the rows.
std::vector<std::u16string_view> Samples(const Context& c, int column) {
    constexpr size_t kSamples = 16;
    const size_t people = c.table.rows.size() - c.first;
    const size_t stride = std::max<size_t>(1, people / (4 * kSamples));
    std::vector<std::u16string_view> samples;
    for (size_t p = 0; p < people && samples.size() < kSamples; p += stride) {
        const ListRow& row = c.table.rows[c.first + p];
        if (size_t(column) >= row.fields.size()) continue;
        const std::u16string_view v = row.fields[size_t(column)];
        if (!IsTopMarker(v)) samples.push_back(v);
    }
    return samples;
}

// Resolves a column asked for by header text or number; kFindColumn when it names none.
int ResolveNamed(const ListTable& table, int headerRow, size_t columns, const std::u16string& named) {
    if (IsNumber(named)) {
        int n = named.size() > 4 ? 0 : std::stoi(std::string(named.begin(), named.end()));
        return n >= 1 && size_t(n) <= columns ? n - 1 : kFindColumn;
    }
    if (headerRow < 0) return kFindColumn;
    const ListRow& header = table.rows[size_t(headerRow)];
    for (size_t i = 0; i < header.fields.size(); ++i)
        if (FoldCase(header.fields[i]) == FoldCase(named)) return int(i);
    return kFindColumn;
}

bool IsHeaderRow(const ListTable& table, size_t index) {
    const ListRow& row = table.rows[index];
    int roles = 0;
    bool name = false;
    for (const std::u16string& field : row.fields) {
        int role = HeaderRole(field);
        if (role == kRoleNone) continue;
        ++roles;
        name = name || role == int(ListRole::Name) || role == int(ListRole::First) ||
               role == int(ListRole::Last);
    }
    if (name || roles >= 2) return true;
    // Headers nobody recognises still read as words above a column of numbers.
    size_t below = table.rows.size() - index - 1;
    if (below < 2) return false;
    for (size_t col = 0; col < row.fields.size(); ++col) {
        if (!HasLetter(row.fields[col])) continue;
        size_t numbers = 0, filled = 0;
        for (size_t r = index + 1; r < table.rows.size(); ++r) {
            std::u16string v = Field(table.rows[r], int(col));
            filled += !v.empty();
            numbers += IsNumber(v);
        }
        if (filled >= 2 && numbers * 10 >= filled * 9) return true;
    }
    return false;
}

} // namespace

std::vector<std::string> HeaderWords(std::u16string_view header) {
    std::vector<std::string> words;
    std::string word;
    auto end = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (size_t i = 0; i < header.size(); ++i) {
        char16_t c = header[i];
        char folded = FoldLetter(c);
        if (c == 0xDF) folded = 's';
        if (!folded) {
            end();
            continue;
        }
        if (i > 0 && !word.empty()) {
            char16_t before = header[i - 1];
            bool after = i + 1 < header.size() && !IsUpper(header[i + 1]) && FoldLetter(header[i + 1]) &&
                         !IsDigit(header[i + 1]);
            if ((IsUpper(c) && !IsUpper(before) && !IsDigit(before)) ||
                (IsUpper(c) && IsUpper(before) && after) || IsDigit(c) != IsDigit(before))
                end();
        }
        word.push_back(folded);
        if (c == 0xDF) word.push_back('s');
    }
    end();
    return words;
}

int HeaderRole(std::u16string_view header, int* strength) {
    std::unordered_map<int, int> s = VocabularyStrengths(header);
    auto result = [&](int role, int value) {
        if (strength) *strength = value;
        return role;
    };
    if (s.count(kBlocked) || s.empty()) return result(kRoleNone, 0);
    auto has = [&](int role) { return s.count(role) ? s[role] : 0; };
    const int manager = has(int(ListRole::Manager)), id = has(int(ListRole::Id)),
              title = has(int(ListRole::Title));
    const int full = has(kRoleFull), firstName = has(int(ListRole::First)), last = has(int(ListRole::Last));
    const int name = has(int(ListRole::Name));
    if (full == 3) return result(int(ListRole::Name), 3);
    if (manager) return result(int(ListRole::Manager), manager);
    if (id) return result(int(ListRole::Id), id);
    if (title) return result(int(ListRole::Title), title);
    if (full) return result(int(ListRole::Name), full);
    if (firstName && last) return result(int(ListRole::Name), 2);
    if (firstName) return result(int(ListRole::First), firstName);
    if (last) return result(int(ListRole::Last), last);
    if (name) return result(int(ListRole::Name), name);
    return result(kRoleNone, 0);
}

bool IsTopMarker(std::u16string_view value) {
    if (value.empty()) return true;
    if (std::all_of(value.begin(), value.end(), [](char16_t c) { return c == u'0'; })) return true;
    static const char16_t* const kMarkers[] = {u"null",   u"n/a",   u"#n/a",   u"na",     u"n.a.",
                                               u"-",      u"--",    u"none",   u"nil",    u"ninguno",
                                               u"nenhum", u"aucun", u"keiner", u"nessuno"};
    std::u16string folded = FoldCase(value);
    return std::any_of(std::begin(kMarkers), std::end(kMarkers),
                       [&](const char16_t* m) { return folded == m; });
}

std::u16string FoldCase(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = char16_t(c + 0x20);
    }
    return out;
}

std::u16string PersonName(const ListRow& row, const ColumnFinding& columns) {
    if (columns[ListRole::Name] >= 0) return Field(row, columns[ListRole::Name]);
    std::u16string first = Field(row, columns[ListRole::First]), last = Field(row, columns[ListRole::Last]);
    if (first.empty() || last.empty()) return first + last;
    return first + u' ' + last;
}

ColumnFinding FindListColumns(const ListTable& table, const ListColumns& wanted) {
    ColumnFinding f;
    const std::vector<ListRow>& rows = table.rows;
    for (const ListRow& row : rows)
        f.columns = std::max(f.columns, row.fields.size());
    if (rows.empty()) return f;

    // Blank lines are gone already; title lines before the header hold one text at most.
    size_t start = 0;
    auto filled = [](const ListRow& row) {
        return size_t(
            std::count_if(row.fields.begin(), row.fields.end(), [](auto& s) { return !s.empty(); }));
    };
    // They are title lines only when a header follows: a list without one may start with a top
    // person whose other fields are empty.
    if (f.columns > 1) {
        while (start + 1 < rows.size() && filled(rows[start]) < 2)
            ++start;
        if (start > 0 && !IsHeaderRow(table, start)) start = 0;
    }
    if (IsHeaderRow(table, start)) f.headerRow = int(start);
    f.firstPerson = f.headerRow >= 0 ? start + 1 : start;
    const Context c{table, f.firstPerson, f.columns};
    const size_t people = rows.size() - f.firstPerson;

    // The user's choices first; a choice naming no column is undecided.
    std::array<bool, kListRoles> chosen{};
    for (int r = 0; r < kListRoles; ++r) {
        int at = wanted.at[size_t(r)];
        if (!wanted.named[size_t(r)].empty()) {
            at = ResolveNamed(table, f.headerRow, f.columns, wanted.named[size_t(r)]);
            if (at == kFindColumn) f.undecided.push_back(ListRole(r));
        }
        if (at == kFindColumn) continue;
        chosen[size_t(r)] = true;
        f.at[size_t(r)] = at >= 0 && size_t(at) < f.columns ? at : kNoColumn;
    }
    auto taken = [&](int column) { return std::find(f.at.begin(), f.at.end(), column) != f.at.end(); };

    // The header's words: each role the column that names it most clearly, the first of equals.
    std::vector<std::vector<int>> managerCandidates;
    std::vector<int> headerManagers;
    if (f.headerRow >= 0) {
        const ListRow& header = rows[size_t(f.headerRow)];
        std::array<int, kListRoles> strength{};
        for (size_t col = 0; col < header.fields.size(); ++col) {
            int s = 0;
            int role = HeaderRole(header.fields[col], &s);
            if (role == kRoleNone || chosen[size_t(role)] || taken(int(col))) continue;
            if (role == int(ListRole::Manager)) headerManagers.push_back(int(col));
            if (s > strength[size_t(role)]) {
                strength[size_t(role)] = s;
                f.at[size_t(role)] = int(col);
            }
        }
        auto plain = [&](ListRole r) { return f[r] >= 0 && PlainNameHeader(header.fields[size_t(f[r])]); };
        // "Nombre" + "Apellidos", "Prénom" + "Nom": a plain name word is the other half.
        if (!chosen[size_t(ListRole::Name)] && plain(ListRole::Name)) {
            if (f[ListRole::Last] >= 0 && f[ListRole::First] < 0 && !chosen[size_t(ListRole::First)]) {
                f.at[size_t(ListRole::First)] = f[ListRole::Name];
                f.at[size_t(ListRole::Name)] = kNoColumn;
            } else if (f[ListRole::First] >= 0 && f[ListRole::Last] < 0 && !chosen[size_t(ListRole::Last)]) {
                f.at[size_t(ListRole::Last)] = f[ListRole::Name];
                f.at[size_t(ListRole::Name)] = kNoColumn;
            }
        }
    }
    // A column of numbers or codes headed like a name ("Nº empleado") is the name only when no
    // column of words can be.
    int codedName = kNoColumn;
    if (!chosen[size_t(ListRole::Name)] && f[ListRole::Name] >= 0 && NumbersOrCodes(c, f[ListRole::Name])) {
        codedName = f[ListRole::Name];
        f.at[size_t(ListRole::Name)] = kNoColumn;
    }
    // First and last name asked for win over a name column the header names; otherwise a whole
    // name wins over its halves, and one half alone is the name.
    const bool halvesChosen = chosen[size_t(ListRole::First)] || chosen[size_t(ListRole::Last)];
    if (halvesChosen && !chosen[size_t(ListRole::Name)]) {
        f.at[size_t(ListRole::Name)] = kNoColumn;
    } else if (f[ListRole::Name] >= 0) {
        if (!chosen[size_t(ListRole::First)]) f.at[size_t(ListRole::First)] = kNoColumn;
        if (!chosen[size_t(ListRole::Last)]) f.at[size_t(ListRole::Last)] = kNoColumn;
    } else if ((f[ListRole::First] < 0) != (f[ListRole::Last] < 0) && !chosen[size_t(ListRole::Name)]) {
        int half = std::max(f[ListRole::First], f[ListRole::Last]);
        f.at[size_t(ListRole::Name)] = half;
        f.at[size_t(ListRole::First)] = f.at[size_t(ListRole::Last)] = kNoColumn;
    }

    // Without a name in the header: the first column of words that is nothing else, with the
    // most different values.
    if (f[ListRole::Name] < 0 && f[ListRole::First] < 0 && !chosen[size_t(ListRole::Name)] && !halvesChosen) {
        size_t bestDistinct = 0;
        for (size_t col = 0; col < f.columns; ++col) {
            if (taken(int(col)) ||
                (f.headerRow >= 0 && HeaderRole(Field(rows[size_t(f.headerRow)], int(col))) != kRoleNone))
                continue;
            std::vector<std::u16string> values = Values(c, int(col));
            // Words without digits: a column of codes ("E-104") is never the name.
            size_t words = size_t(std::count_if(values.begin(), values.end(),
                                                [](auto& v) { return HasLetter(v) && !HasDigit(v); }));
            std::unordered_set<std::u16string> distinct(values.begin(), values.end());
            if (words * 10 < values.size() * 9 || distinct.size() <= bestDistinct) continue;
            bestDistinct = distinct.size();
            f.at[size_t(ListRole::Name)] = int(col);
        }
    }
    if (f[ListRole::Name] < 0 && f[ListRole::First] < 0 && f[ListRole::Last] < 0)
        f.at[size_t(ListRole::Name)] = codedName;

    // The manager: of the columns the header names so, the one that refers best to ids or names;
    // otherwise whichever column refers to a column of unique values or to the names. Each key
    // column is hashed once, and a column is measured against a key in full only where a few of
    // its values sampled already point into it, so the search grows with the list's size.
    int bestKey = kNoColumn; // the column of unique values the best manager column refers to
    if (!chosen[size_t(ListRole::Manager)]) {
        auto namesSomething = [&](int col) {
            return f.headerRow >= 0 && NamesSomething(Field(rows[size_t(f.headerRow)], col));
        };
        std::vector<KeySet> keys;
        KeySet column;
        if (chosen[size_t(ListRole::Id)] || f[ListRole::Id] >= 0) {
            if (f[ListRole::Id] >= 0 && MakeColumnKeys(c, f[ListRole::Id], column))
                keys.push_back(std::move(column));
        } else {
            // Columns the header names nothing are tried first; a list has few keys worth trying.
            for (int named = 0; named < 2; ++named)
                for (size_t col = 0; col < f.columns && keys.size() < kMostKeyColumns; ++col)
                    if (!taken(int(col)) && namesSomething(int(col)) == bool(named) &&
                        MakeColumnKeys(c, int(col), column))
                        keys.push_back(std::move(column));
        }
        if (f[ListRole::Name] >= 0 || f[ListRole::First] >= 0 || f[ListRole::Last] >= 0) {
            KeySet names;
            names.folded.reserve(people);
            for (size_t r = f.firstPerson; r < rows.size(); ++r)
                names.folded.push_back(FoldCase(PersonName(rows[r], f)));
            for (const std::u16string& name : names.folded)
                if (!name.empty()) names.set.insert(name);
            keys.push_back(std::move(names));
        }
        std::vector<int> candidates = headerManagers;
        const bool fromHeader = !candidates.empty();
        if (!fromHeader)
            for (size_t col = 0; col < f.columns; ++col)
                if (!taken(int(col)) && !namesSomething(int(col))) candidates.push_back(int(col));
        Reference best;
        int bestColumn = kNoColumn;
        std::vector<size_t> hits(keys.size());
        for (int m : candidates) {
            const std::vector<std::u16string_view> samples = Samples(c, m);
            for (size_t k = 0; k < keys.size(); ++k) {
                hits[k] = 0;
                for (std::u16string_view v : samples)
                    hits[k] +=
                        keys[k].column == kNoColumn ? keys[k].set.count(FoldCase(v)) : keys[k].set.count(v);
            }
            // The keys most of the samples point into (any, for a column the header names).
            std::vector<size_t> order(keys.size());
            for (size_t k = 0; k < order.size(); ++k)
                order[k] = k;
            std::stable_sort(order.begin(), order.end(),
                             [&](size_t a, size_t b) { return hits[a] > hits[b]; });
            std::vector<char> tried(keys.size(), 0);
            for (size_t i = 0; i < order.size() && i < kKeysTried; ++i)
                if (fromHeader || (!samples.empty() && 2 * hits[order[i]] >= samples.size()))
                    tried[order[i]] = 1;
            for (size_t k = 0; k < keys.size(); ++k) {
                const int keyColumn = keys[k].column;
                if (!tried[k] || (keyColumn == kNoColumn ? m == f[ListRole::Name] : keyColumn == m)) continue;
                Reference ref = Refer(c, m, keys[k]);
                if ((fromHeader || ref.Fits()) && (bestColumn < 0 || ref.Better(best))) {
                    best = ref, bestColumn = m, bestKey = keyColumn;
                }
            }
        }
        if (fromHeader && bestColumn < 0) bestColumn = headerManagers.front();
        f.at[size_t(ListRole::Manager)] = bestColumn;
        if (bestKey >= 0 && best.matched > 0 && !chosen[size_t(ListRole::Id)])
            f.at[size_t(ListRole::Id)] = bestKey;
    }

    // Without a header, the job title is the next column of words after the name.
    if (f.headerRow < 0 && f[ListRole::Title] < 0 && !chosen[size_t(ListRole::Title)] &&
        f[ListRole::Name] >= 0) {
        for (size_t col = size_t(f[ListRole::Name]) + 1; col < f.columns && f[ListRole::Title] < 0; ++col) {
            if (taken(int(col))) continue;
            std::vector<std::u16string> values = Values(c, int(col));
            if (std::any_of(values.begin(), values.end(), [](auto& v) { return HasLetter(v); }))
                f.at[size_t(ListRole::Title)] = int(col);
        }
    }

    auto undecided = [&](ListRole r) {
        if (std::find(f.undecided.begin(), f.undecided.end(), r) == f.undecided.end())
            f.undecided.push_back(r);
    };
    // A half asked for alone is the name, as PersonName joins what there is.
    const bool halves = halvesChosen ? f[ListRole::First] >= 0 || f[ListRole::Last] >= 0
                                     : f[ListRole::First] >= 0 && f[ListRole::Last] >= 0;
    if (f[ListRole::Name] < 0 && !halves) undecided(ListRole::Name);
    if (people >= 2) {
        // A manager column in which everybody is at the top is no manager column.
        bool anyManager = false;
        if (f[ListRole::Manager] >= 0) {
            std::unordered_set<std::u16string> keys;
            for (size_t r = f.firstPerson; r < rows.size(); ++r) {
                keys.insert(Field(rows[r], f[ListRole::Id]));
                keys.insert(FoldCase(PersonName(rows[r], f)));
            }
            for (size_t r = f.firstPerson; r < rows.size() && !anyManager; ++r) {
                std::u16string m = Field(rows[r], f[ListRole::Manager]);
                anyManager = !m.empty() && (!IsTopMarker(m) || keys.count(m) || keys.count(FoldCase(m)));
            }
        }
        if (!anyManager) undecided(ListRole::Manager);
    }
    return f;
}
