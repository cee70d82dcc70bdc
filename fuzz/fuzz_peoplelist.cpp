// Fuzzes the reading and checking of lists of people: any bytes give a list whose people all come
// from lines of the file, and faults sorted by line; a list without faults has a manager for
// every report and no cycle.
#include "document/PeopleList.h"

#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto latin1 = [](std::string_view s) { return std::u16string(s.begin(), s.end()); };
    std::u16string text = DecodeListText(bytes, latin1);
    PeopleList list = ReadPeopleList(text);
    int lines = 1;
    for (char16_t c : text)
        lines += c == u'\n' || c == u'\r';
    for (const Person& p : list.people)
        Require(p.line >= 1 && p.line <= lines);
    std::vector<int> managerOf;
    std::vector<FaultyLine> faults = CheckPeopleList(list, managerOf);
    Require(managerOf.size() == list.people.size());
    for (size_t i = 1; i < faults.size(); ++i)
        Require(faults[i - 1].line <= faults[i].line);
    if (!faults.empty()) return 0;
    // Walking up from anyone reaches a top person within as many steps as there are people.
    for (size_t i = 0; i < managerOf.size(); ++i) {
        int v = int(i);
        for (size_t steps = 0; v >= 0; ++steps) {
            Require(steps <= managerOf.size());
            Require(list.people[size_t(v)].manager.empty() == (managerOf[size_t(v)] < 0));
            v = managerOf[size_t(v)];
        }
    }
    return 0;
}
