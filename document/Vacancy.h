// Open positions in a list of people: rows that name nobody (no name, or a word that says the post
// is open) but do give a job title, drawn in a look of their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct CellRecord;

// Whether a name cell says the post is open ("Vacant", "Vacante", "Vaga", "Poste vacant",
// "Offene Stelle", "Posto vacante", ...), case, accents and punctuation ignored.
bool IsVacancyName(std::u16string_view name);

// Whether a row with this name and title is an open position: a title, and no name or a vacancy
// word in its place.
bool IsVacancyRow(std::u16string_view name, std::u16string_view title);

// The text of an open position's box: the label (the interface language's word), then the title.
std::u16string VacancyBoxText(std::u16string_view label, std::u16string_view title);

// Grey text on a light fill: an open position reads apart from the people around it.
constexpr int32_t kVacancyFontColor = 0x707070;
constexpr int32_t kVacancyFillColor = 0xF4F4F4;
void DressVacancy(CellRecord& cell);
