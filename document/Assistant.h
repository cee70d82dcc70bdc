// Assistants and secretaries in a list of people: told by their job titles, they stand beside
// their manager's line, under the manager and above the team, rather than in the team's row.
#pragma once

#include <string_view>
#include <vector>

struct PeopleList;

// Whether a job title names an assistant or a secretary ("Executive Assistant", "Secretaria de
// dirección", "Assistante de direction", "Sekretärin", "Assistente di direzione", ...), case and
// accents ignored. A deputy's title ("Assistant Manager", "Secretary General") is not one.
bool IsAssistantTitle(std::u16string_view title);

// By person (1: an assistant): those whose title names one, who lead nobody, and whose manager
// has other people too; managerOf as CheckPeopleList fills it.
std::vector<char> FindAssistants(const PeopleList& list, const std::vector<int>& managerOf);
