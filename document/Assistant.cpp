// Telling assistants by the words of their titles, in the six languages.
#include "document/Assistant.h"

#include "document/ColumnFinder.h"
#include "document/PeopleList.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Title words (lower case, without accents) of assistants and secretaries.
constexpr std::array<std::string_view, 18> kAssistantWords = {
    "assistant",  "assistante",  "asistente",  "assistente", "assistent",  "assistentin",
    "assistenz",  "secretary",   "secretaria", "secretario", "secretaire", "sekretar",
    "sekretarin", "sekretariat", "segretaria", "segretario", "pa",         "aide"};

// Words of rank: before any word that links to the one assisted ("to", "de", "der"), they make the
// title a deputy's ("Assistant Manager", "Secretario General", "Assistant Director").
constexpr std::array<std::string_view, 30> kRankWords = {
    "manager",  "director",    "directora",    "directeur", "directrice",
    "diretor",  "diretora",    "direktor",     "direttore", "direttrice",
    "head",     "chief",       "general",      "generale",  "generalsekretar",
    "lead",     "leader",      "president",    "vp",        "jefe",
    "jefa",     "gerente",     "chef",         "cheffe",    "leiter",
    "leiterin", "responsable", "responsabile", "capo",      "professor"};

constexpr std::array<std::string_view, 15> kLinkWords = {
    "to", "of", "for", "de", "del", "da", "do", "des", "du", "der", "die", "dem", "di", "della", "al"};

template <size_t N> bool Among(const std::array<std::string_view, N>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

} // namespace

bool IsAssistantTitle(std::u16string_view title) {
    bool assistant = false;
    for (const std::string& word : HeaderWords(title)) {
        if (Among(kLinkWords, word)) break;
        if (Among(kRankWords, word)) return false;
        if (Among(kAssistantWords, word)) assistant = true;
    }
    // Only words before a link count: "Head of Assistants" leads them.
    return assistant;
}

std::vector<char> FindAssistants(const PeopleList& list, const std::vector<int>& managerOf) {
    const size_t n = list.people.size();
    std::vector<int> reports(n, 0);
    for (size_t i = 0; i < n && i < managerOf.size(); ++i)
        if (managerOf[i] >= 0) ++reports[size_t(managerOf[i])];
    std::vector<char> assistant(n, 0);
    for (size_t i = 0; i < n && i < managerOf.size(); ++i) {
        const int manager = managerOf[i];
        assistant[i] = manager >= 0 && reports[i] == 0 && reports[size_t(manager)] > 1 &&
                       IsAssistantTitle(list.people[i].title);
    }
    // Assistants alone under a manager stand in the team as anyone: the line needs a team below.
    std::vector<int> others(n, 0);
    for (size_t i = 0; i < n && i < managerOf.size(); ++i)
        if (managerOf[i] >= 0 && !assistant[i]) ++others[size_t(managerOf[i])];
    for (size_t i = 0; i < n && i < managerOf.size(); ++i)
        if (assistant[i] && others[size_t(managerOf[i])] == 0) assistant[i] = 0;
    return assistant;
}
