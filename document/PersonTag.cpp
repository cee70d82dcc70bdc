// The person tag: a few UTF-16 units at the end of a box's text field, behind the text's
// terminator, with a mark, a length and a check so that stale bytes are never taken for one.
#include "document/PersonTag.h"

#include "document/Document.h"
#include "document/ChartSplit.h"
#include "document/OrgLayout.h"
#include "document/PeopleList.h"

#include <algorithm>

namespace {

// The last unit of the field: a noncharacter no text of a box holds.
constexpr char16_t kTagMark = 0xFDD0;
constexpr int kLast = kTextCapacity - 1;

char16_t Check(const char16_t* units, size_t count) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < count; ++i) {
        h ^= units[i];
        h *= 16777619u;
    }
    return char16_t((h >> 16) ^ (h & 0xFFFF));
}

} // namespace

bool WritePersonTag(CellRecord& cell, const PersonTag& tag) {
    if (tag.key.size() > kLongestTagKey || tag.manager.size() > kLongestTagKey) return false;
    std::u16string payload;
    payload += char16_t(tag.kind);
    payload += char16_t(tag.byId ? 1 : 0);
    payload += char16_t(std::clamp(tag.nameLength, 0, kTextCapacity));
    payload += char16_t(std::clamp(tag.titleLength, 0, kTextCapacity));
    // The key last: what follows it is the length, never a terminator, so the name a key may be
    // never reads as a second text that ends there.
    payload += char16_t(tag.manager.size());
    payload += tag.manager;
    payload += char16_t(tag.key.size());
    payload += tag.key;
    // [text] 0 ... [check][payload][length][mark]
    const size_t length = payload.size() + 1;
    const size_t start = size_t(kLast - 1) - length;
    if (FieldText(cell.text).size() >= start) return false;
    cell.text[start] = Check(payload.data(), payload.size());
    std::copy(payload.begin(), payload.end(), cell.text + start + 1);
    cell.text[kLast - 1] = char16_t(length);
    cell.text[kLast] = kTagMark;
    return true;
}

bool ReadPersonTag(const CellRecord& cell, PersonTag& tag) {
    if (cell.text[kLast] != kTagMark) return false;
    const size_t length = cell.text[kLast - 1];
    if (length < 7 || length + 2 > size_t(kLast)) return false;
    const size_t start = size_t(kLast - 1) - length;
    if (FieldText(cell.text).size() >= start) return false; // the text has grown over it
    const char16_t* payload = cell.text + start + 1;
    const size_t count = length - 1;
    if (Check(payload, count) != cell.text[start]) return false;
    if (payload[0] < 1 || payload[0] > 3 || payload[1] > 1) return false;
    if (payload[2] > kTextCapacity || payload[3] > kTextCapacity) return false;
    const size_t managerLength = payload[4];
    if (managerLength > kLongestTagKey || 5 + managerLength + 1 > count) return false;
    const size_t keyLength = payload[5 + managerLength];
    if (keyLength > kLongestTagKey || 6 + managerLength + keyLength != count) return false;
    tag.kind = TagKind(payload[0]);
    tag.byId = payload[1] == 1;
    tag.nameLength = payload[2];
    tag.titleLength = payload[3];
    tag.manager.assign(payload + 5, managerLength);
    tag.key.assign(payload + 6 + managerLength, keyLength);
    return true;
}

void ClearPersonTag(CellRecord& cell) {
    if (cell.text[kLast] == kTagMark) cell.text[kLast] = 0;
}

void TagChartBoxes(Document& doc, const ChartLayout& layout, const PeopleList& list,
                   const std::vector<int>& managerOf, const std::vector<int>& personOfText,
                   const std::vector<char>& referenceOfText) {
    // Ids only when every person has one: otherwise names tell the people apart.
    const bool byId =
        std::all_of(list.people.begin(), list.people.end(), [](const Person& p) { return !p.id.empty(); });
    // Connectors first: where a line starts in a box's own cell, the box's person wins.
    PersonTag connector;
    connector.kind = TagKind::Connector;
    for (const ChartLine& l : layout.lines)
        WritePersonTag(doc.cellGrid(l.column, l.row), connector);
    for (const ChartBox& b : layout.boxes) {
        if (b.person < 0 || size_t(b.person) >= personOfText.size()) continue;
        const int person = personOfText[size_t(b.person)];
        if (person < 0) continue;
        const Person& p = list.people[size_t(person)];
        const int manager = managerOf[size_t(person)];
        PersonTag tag;
        tag.kind = referenceOfText[size_t(b.person)] ? TagKind::Reference : TagKind::Person;
        tag.byId = byId;
        tag.key = byId ? p.id : p.name;
        if (manager >= 0)
            tag.manager = byId ? list.people[size_t(manager)].id : list.people[size_t(manager)].name;
        tag.nameLength = int(p.name.size());
        tag.titleLength = int(p.title.size());
        WritePersonTag(doc.cellGrid(b.column, b.row), tag);
    }
}

void TagListChart(Document& doc, const ChartLayout& layout, const CheckedList& checked) {
    std::vector<int> personOfText(checked.list.people.size());
    for (size_t i = 0; i < personOfText.size(); ++i)
        personOfText[i] = int(i);
    TagChartBoxes(doc, layout, checked.list, checked.managerOf, personOfText,
                  std::vector<char>(personOfText.size(), 0));
}

void TagPageBoxes(Document& doc, const SplitPage& page, const CheckedList& checked) {
    // A team's page starts with the copy of its manager's box.
    std::vector<int> personOfText;
    std::vector<char> reference;
    if (page.heading >= 0) {
        personOfText.push_back(page.heading);
        reference.push_back(1);
    }
    personOfText.insert(personOfText.end(), page.people.begin(), page.people.end());
    reference.resize(personOfText.size(), 0);
    TagChartBoxes(doc, page.layout, checked.list, checked.managerOf, personOfText, reference);
}
