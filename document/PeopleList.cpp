// Decoding, splitting and checking lists of people.
#include "document/PeopleList.h"

#include "document/HistoryRows.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

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
        // F5..FF start nothing: they would begin code points past U+10FFFF.
        int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
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

PeopleList TakePeople(const ListTable& table, const ColumnFinding& columns) {
    PeopleList list;
    auto field = [](const ListRow& row, int index) {
        return index >= 0 && size_t(index) < row.fields.size() ? row.fields[size_t(index)] : std::u16string();
    };
    const HistoryRows history = FindHistoryRows(table, columns);
    list.formerRows = history.count;
    std::unordered_map<std::u16string, std::u16string> presentId(history.renamed.begin(),
                                                                 history.renamed.end());
    for (size_t r = columns.firstPerson; r < table.rows.size(); ++r) {
        if (history.former[r - columns.firstPerson]) continue;
        const ListRow& row = table.rows[r];
        std::u16string manager = field(row, columns[ListRole::Manager]);
        if (auto renamed = presentId.find(manager); renamed != presentId.end()) manager = renamed->second;
        list.people.push_back({field(row, columns[ListRole::Id]), PersonName(row, columns),
                               field(row, columns[ListRole::Title]), std::move(manager), row.line});
    }
    if (columns[ListRole::Id] < 0) return list;
    // Ids only when the managers are ids: an id column beside managers given by name is left aside.
    std::unordered_set<std::u16string> ids, names;
    for (const Person& p : list.people) {
        ids.insert(p.id);
        names.insert(FoldCase(p.name));
    }
    size_t byId = 0, byName = 0;
    for (const Person& p : list.people) {
        if (p.manager.empty()) continue;
        byId += ids.count(p.manager);
        byName += names.count(FoldCase(p.manager));
    }
    list.managersById = byId >= byName;
    return list;
}

PeopleList ReadPeopleList(std::u16string_view text) {
    ListTable table = ReadListTable(text);
    return TakePeople(table, FindListColumns(table));
}

std::vector<FaultyLine> CheckPeopleList(const PeopleList& list, std::vector<int>& managerOf,
                                        TopPeople* tops) {
    std::vector<FaultyLine> faults;
    const std::vector<Person>& people = list.people;
    const size_t n = people.size();
    managerOf.assign(n, -1);
    auto keyOf = [&](std::u16string_view value) {
        return list.managersById ? std::u16string(value) : FoldCase(value);
    };

    // Keys people are found by: their id, or their name without regard to case.
    std::unordered_map<std::u16string, std::vector<int>> byKey;
    byKey.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const Person& p = people[i];
        if (p.name.empty()) faults.push_back({p.line, ListFault::MissingName, {}});
        std::u16string key = keyOf(list.managersById ? p.id : p.name);
        if (key.empty()) continue;
        std::vector<int>& holders = byKey[key];
        holders.push_back(int(i));
        if (list.managersById && holders.size() > 1) faults.push_back({p.line, ListFault::DuplicateId, p.id});
    }
    // Managers outside the list, each with the people that name it.
    std::vector<std::pair<std::u16string, std::vector<int>>> outside;
    std::unordered_set<std::u16string> ambiguous;
    bool someoneAtTop = false; // an empty manager, a top marker or the person's own id or name
    for (size_t i = 0; i < n; ++i) {
        const Person& p = people[i];
        std::u16string key = keyOf(p.manager);
        if (key.empty()) {
            someoneAtTop = true;
            continue;
        }
        auto it = byKey.find(key);
        if (it == byKey.end()) {
            if (IsTopMarker(p.manager)) {
                someoneAtTop = true;
                continue;
            }
            auto known =
                std::find_if(outside.begin(), outside.end(), [&](auto& o) { return o.first == key; });
            if (known == outside.end()) known = outside.insert(outside.end(), {key, {}});
            known->second.push_back(int(i));
            continue;
        }
        const std::vector<int>& holders = it->second;
        if (std::find(holders.begin(), holders.end(), int(i)) != holders.end()) { // own id or name
            someoneAtTop = true;
            continue;
        }
        if (holders.size() == 1) {
            managerOf[i] = holders[0];
        } else if (!list.managersById && ambiguous.insert(key).second) {
            for (size_t h = 1; h < holders.size(); ++h)
                faults.push_back({people[size_t(holders[h])].line, ListFault::DuplicateName,
                                  people[size_t(holders[h])].name});
        }
    }
    // One manager outside the list on a few rows is how the export writes the top's manager, but
    // only where nobody else is at the top: beside a top person it is a mistyped manager.
    constexpr size_t kFewRows = 3;
    std::u16string outsideManager;
    if (!someoneAtTop && outside.size() == 1 && outside[0].second.size() <= kFewRows &&
        2 * outside[0].second.size() < n) {
        outsideManager = people[size_t(outside[0].second[0])].manager;
    } else {
        for (const auto& [key, rows] : outside)
            for (int i : rows)
                faults.push_back(
                    {people[size_t(i)].line, ListFault::UnknownManager, people[size_t(i)].manager});
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
    if (tops) {
        tops->count = faults.empty() ? int(std::count(managerOf.begin(), managerOf.end(), -1)) : 0;
        tops->outsideManager = faults.empty() ? outsideManager : std::u16string();
    }
    return faults;
}

int ChartLevels(const std::vector<int>& managerOf) {
    std::vector<int> depth(managerOf.size(), 0);
    int levels = 0;
    for (size_t i = 0; i < managerOf.size(); ++i) {
        // Walk up to a person whose depth is known, then write the depths down the walk.
        std::vector<size_t> walk;
        size_t v = i;
        while (depth[v] == 0) {
            walk.push_back(v);
            if (managerOf[v] < 0) break;
            v = size_t(managerOf[v]);
        }
        int d = depth[v];
        for (auto it = walk.rbegin(); it != walk.rend(); ++it)
            depth[*it] = ++d;
        levels = std::max(levels, depth[i]);
    }
    return levels;
}

void ChooseColumns(CheckedList& checked, const ListColumns& wanted) {
    checked.columns = FindListColumns(checked.table, wanted);
    checked.list = TakePeople(checked.table, checked.columns);
    checked.faults.clear();
    checked.tops = {};
    checked.managerOf.assign(checked.list.people.size(), -1);
    if (checked.columns.undecided.empty())
        checked.faults = CheckPeopleList(checked.list, checked.managerOf, &checked.tops);
}

CheckedList ReadCheckedList(std::u16string_view text, const ListColumns& wanted) {
    CheckedList checked;
    checked.table = ReadListTable(text);
    ChooseColumns(checked, wanted);
    return checked;
}
