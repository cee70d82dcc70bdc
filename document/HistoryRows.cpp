// Finding the former positions among a list's rows: the columns that tell them by their header,
// what each value says, and the person's present row each former one belongs to.
#include "document/HistoryRows.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace {

enum class Kind { Status, Current, End };
enum class Says { Nothing, Present, Former };

bool Among(std::initializer_list<const char*> list, const std::string& word) {
    return std::any_of(list.begin(), list.end(), [&](const char* w) { return word == w; });
}

// The column's kind from its header's words run together, or none.
std::optional<Kind> KindOf(std::u16string_view header) {
    std::string phrase;
    for (const std::string& word : HeaderWords(header))
        phrase += word;
    if (Among({"status", "estado", "statut", "stato", "situacao", "situacion", "employeestatus",
               "employmentstatus", "recordstatus", "rowstatus", "estadoempleado", "statutemploye"},
              phrase))
        return Kind::Status;
    if (Among({"current", "currentflag", "iscurrent", "currentrow", "currentrecord", "actual", "vigente",
               "actuel", "aktuell", "attuale", "atual", "active", "isactive", "activeflag", "activo", "actif",
               "aktiv", "attivo", "ativo"},
              phrase))
        return Kind::Current;
    if (Among({"enddate",    "endingdate",   "end",        "validto",         "validuntil",     "todate",
               "dateend",    "fechafin",     "fechadefin", "fechabaja",       "fechadebaja",    "datefin",
               "datedefin",  "datedesortie", "enddatum",   "gultigbis",       "austrittsdatum", "datafine",
               "datadifine", "datadefim",    "datafim",    "terminationdate", "leavingdate"},
              phrase))
        return Kind::End;
    return std::nullopt;
}

Says WhatItSays(Kind kind, std::u16string_view value) {
    std::string word;
    for (char16_t c : FoldCase(value))
        word.push_back(c < 0x80 ? char(c) : '?');
    const bool blank = IsTopMarker(value) && value != u"0"; // empty, NULL, N/A, -
    switch (kind) {
    case Kind::Status:
        if (Among({"current", "active", "activo", "activa", "actual", "vigente", "actif", "active", "aktiv",
                   "aktuell", "attivo", "attiva", "attuale", "ativo", "ativa", "atual", "corrente"},
                  word))
            return Says::Present;
        if (blank ||
            Among({"former",   "inactive", "inactivo",  "inactiva",  "terminated", "historic",   "historical",
                   "history",  "ended",    "previous",  "old",       "ancien",     "inactif",    "termine",
                   "ehemalig", "inaktiv",  "beendet",   "cessato",   "inattivo",   "precedente", "anterior",
                   "antiguo",  "baja",     "terminado", "historico", "inativo"},
                  word))
            return Says::Former;
        return Says::Nothing;
    case Kind::Current:
        if (Among(
                {"1", "y", "yes", "true", "t", "s", "si", "s?", "sim", "oui", "o", "ja", "j", "x", "current"},
                word))
            return Says::Present;
        if (Among({"0", "n", "no", "false", "f", "non", "nein", "nao", "n?o"}, word)) return Says::Former;
        return Says::Nothing;
    case Kind::End:
        return IsTopMarker(value) ? Says::Present : Says::Former; // no date, NULL or zeros: still there
    }
    return Says::Nothing;
}

std::u16string FieldOf(const ListRow& row, int column) {
    return column >= 0 && size_t(column) < row.fields.size() ? row.fields[size_t(column)] : std::u16string();
}

} // namespace

HistoryRows FindHistoryRows(const ListTable& table, const ColumnFinding& columns) {
    HistoryRows history;
    const size_t first = columns.firstPerson;
    const size_t people = table.rows.size() > first ? table.rows.size() - first : 0;
    history.former.assign(people, 0);
    if (columns.headerRow < 0 || people < 2) return history;

    // The columns the header names so, each kept only where some row says it is the present one.
    const ListRow& header = table.rows[size_t(columns.headerRow)];
    std::vector<char> former(people, 0), present(people, 0);
    for (size_t col = 0; col < header.fields.size(); ++col) {
        if (std::find(columns.at.begin(), columns.at.end(), int(col)) != columns.at.end()) continue;
        const std::optional<Kind> kind = KindOf(header.fields[col]);
        if (!kind) continue;
        std::vector<Says> says(people);
        for (size_t p = 0; p < people; ++p)
            says[p] = WhatItSays(*kind, FieldOf(table.rows[first + p], int(col)));
        if (std::find(says.begin(), says.end(), Says::Present) == says.end()) continue;
        for (size_t p = 0; p < people; ++p)
            former[p] = former[p] || says[p] == Says::Former;
    }
    // The present rows of each person, by name.
    std::unordered_map<std::u16string, std::vector<size_t>> presentByName;
    for (size_t p = 0; p < people; ++p)
        if (!former[p]) presentByName[FoldCase(PersonName(table.rows[first + p], columns))].push_back(p);
    for (size_t p = 0; p < people; ++p) {
        if (!former[p]) continue;
        const std::u16string name = FoldCase(PersonName(table.rows[first + p], columns));
        auto it = presentByName.find(name);
        if (name.empty() || it == presentByName.end() || it->second.size() != 1) continue;
        history.former[p] = 1;
        ++history.count;
        const std::u16string id = FieldOf(table.rows[first + p], columns[ListRole::Id]);
        if (!id.empty())
            history.renamed.push_back(
                {id, FieldOf(table.rows[first + it->second[0]], columns[ListRole::Id])});
    }
    return history;
}
