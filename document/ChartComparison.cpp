// The comparison of a chart with a newer list, and its CSV file.
#include "document/ChartComparison.h"

#include <unordered_map>

namespace {

std::u16string Arrow(const std::u16string& from, const std::u16string& to) {
    return from == to ? to : from + u" \u2192 " + to;
}

void Add(Comparison& comparison, Change change) {
    ++comparison.counts[size_t(change.kind)];
    comparison.changes.push_back(std::move(change));
}

void AppendUtf8(std::string& out, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

void AppendField(std::string& out, std::u16string_view field, char16_t separator) {
    // A spreadsheet would take a leading =, +, - or @ for a formula.
    const bool formula =
        !field.empty() && (field[0] == u'=' || field[0] == u'+' || field[0] == u'-' || field[0] == u'@');
    if (field.find_first_of(u"\"\r\n") == std::u16string_view::npos &&
        field.find(separator) == std::u16string_view::npos && !formula) {
        AppendUtf8(out, field);
        return;
    }
    out += '"';
    if (formula) out += '\'';
    for (char16_t c : field) {
        if (c == u'"') out += '"';
        AppendUtf8(out, std::u16string_view(&c, 1));
    }
    out += '"';
}

} // namespace

Comparison CompareChart(const OldChart& old, const std::vector<int>& boxOfPerson,
                        const CheckedList& checked) {
    Comparison comparison;
    const std::vector<Person>& people = checked.list.people;
    std::unordered_map<std::u16string, int> boxOfKey;
    for (size_t b = 0; b < old.boxes.size(); ++b)
        if (old.boxes[b].tagged && old.boxes[b].tag.kind == TagKind::Person)
            boxOfKey.emplace(old.boxes[b].tag.key, int(b));
    auto oldManagerName = [&](const OldBox& box) -> std::u16string {
        if (box.tag.manager.empty()) return {};
        auto found = boxOfKey.find(box.tag.manager);
        return found == boxOfKey.end() ? box.tag.manager : old.boxes[size_t(found->second)].name;
    };
    auto newManagerName = [&](size_t p) -> std::u16string {
        const int m = checked.managerOf[p];
        return m < 0 ? u"" : people[size_t(m)].name;
    };
    for (size_t p = 0; p < people.size(); ++p) {
        const Person& person = people[p];
        Change change;
        change.id = person.id;
        change.name = person.name;
        change.title = person.title;
        change.person = person.name;
        change.managerAfter = newManagerName(p);
        if (boxOfPerson[p] < 0) {
            change.kind = ChangeKind::Joined;
            change.to = change.managerAfter;
            Add(comparison, std::move(change));
            continue;
        }
        const OldBox& box = old.boxes[size_t(boxOfPerson[p])];
        bool same = true;
        if (box.tagged) {
            change.managerBefore = oldManagerName(box);
            // The manager before, as a person of the new list: -1 a top person, -2 one who left.
            int before = -1;
            if (!box.tag.manager.empty()) {
                auto found = boxOfKey.find(box.tag.manager);
                before = found == boxOfKey.end() ? -2 : old.boxes[size_t(found->second)].newPerson;
                if (before < 0) before = -2;
            }
            if (before != checked.managerOf[p]) {
                Change moved = change;
                moved.kind = ChangeKind::Moved;
                moved.from = change.managerBefore;
                moved.to = change.managerAfter;
                Add(comparison, std::move(moved));
                same = false;
            }
        } else {
            change.managerBefore = change.managerAfter; // a chart drawn by hand does not say
        }
        const std::u16string wasName = box.name, wasTitle = box.title;
        if (wasName != person.name || wasTitle != person.title) {
            Change renamed = change;
            renamed.kind = ChangeKind::NameOrTitle;
            renamed.name = Arrow(wasName, person.name);
            renamed.title = Arrow(wasTitle, person.title);
            renamed.from = wasTitle.empty() ? wasName : wasName + u", " + wasTitle;
            renamed.to = person.title.empty() ? person.name : person.name + u", " + person.title;
            Add(comparison, std::move(renamed));
            same = false;
        }
        if (same) ++comparison.unchanged;
    }
    for (const OldBox& box : old.boxes) {
        if (box.newPerson >= 0 || (box.tagged && box.tag.kind == TagKind::Reference)) continue;
        Change change;
        change.kind = box.unsure ? ChangeKind::Unsure : box.tagged ? ChangeKind::Left : ChangeKind::Unlisted;
        if (box.tagged && box.tag.byId) change.id = box.tag.key;
        change.name = box.tagged ? box.name : box.head;
        change.title = box.title;
        change.person = change.name;
        if (box.tagged) change.managerBefore = change.from = oldManagerName(box);
        Add(comparison, std::move(change));
    }
    return comparison;
}

void NotePiecePlacements(Comparison& comparison, const OldChart& old, const UpdateOutcome& update) {
    const std::vector<const OldPiece*> pieces = PiecesOf(old);
    for (const PiecePlacement& placement : update.pieces) {
        if (placement.inPlace) continue;
        const OldPiece& piece = *pieces[size_t(placement.piece)];
        Change change;
        change.kind = placement.kept ? ChangeKind::Aside : ChangeKind::NotKept;
        std::u16string text(FieldText(piece.cells[0].text));
        text = text.substr(0, text.find_first_of(u"\r\n"));
        auto cell = [](int column, int row) {
            std::u16string at;
            for (char c : std::to_string(column + 1) + ", " + std::to_string(row + 1))
                at += char16_t(c);
            return u"(" + at + u")";
        };
        change.person = change.name = text.empty() ? cell(piece.column, piece.row) : text;
        change.from = cell(piece.column, piece.row);
        if (placement.kept) change.to = cell(placement.column, placement.row);
        Add(comparison, std::move(change));
    }
}

std::string ComparisonCsv(const Comparison& comparison,
                          const std::array<std::u16string, kChangeKinds>& kindNames,
                          const std::array<std::u16string, 6>& header, char16_t separator) {
    std::string out = "\xEF\xBB\xBF";
    auto row = [&](const std::array<std::u16string_view, 6>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) AppendUtf8(out, std::u16string_view(&separator, 1));
            AppendField(out, fields[i], separator);
        }
        out += "\r\n";
    };
    row({header[0], header[1], header[2], header[3], header[4], header[5]});
    for (const Change& c : comparison.changes)
        row({kindNames[size_t(c.kind)], c.id, c.name, c.title, c.managerBefore, c.managerAfter});
    return out;
}
