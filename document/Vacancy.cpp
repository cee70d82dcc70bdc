// Telling open positions from people by the words lists put in their name cells.
#include "document/Vacancy.h"

#include "document/CellRecord.h"
#include "document/ColumnFinder.h"

#include <array>
#include <string_view>

namespace {

// The words of a name cell that marks an open post, lower case, accents and punctuation dropped,
// one blank between words.
constexpr std::array<std::string_view, 40> kVacancyPhrases = {
    // English
    "vacant", "vacancy", "open position", "open role", "open", "to be hired", "tbh", "tbd", "vacant position",
    "position vacant", "new hire",
    // Spanish
    "vacante", "puesto vacante", "plaza vacante", "por cubrir", "posicion abierta", "puesto abierto",
    // Portuguese
    "vaga", "vago", "cargo vago", "vaga em aberto", "em aberto", "posicao aberta", "a contratar",
    // French
    "poste vacant", "poste a pourvoir", "a pourvoir", "poste ouvert", "vacance de poste",
    // German
    "offene stelle", "stelle offen", "unbesetzt", "vakant", "vakanz", "n n", "offen",
    // Italian
    "posto vacante", "posizione aperta", "da assegnare", "posizione vacante"};

} // namespace

bool IsVacancyName(std::u16string_view name) {
    std::string joined;
    for (const std::string& word : HeaderWords(name)) {
        if (!joined.empty()) joined += ' ';
        joined += word;
    }
    if (joined.empty()) return false;
    for (std::string_view phrase : kVacancyPhrases)
        if (joined == phrase) return true;
    return false;
}

bool IsVacancyRow(std::u16string_view name, std::u16string_view title) {
    return !title.empty() && (name.empty() || IsVacancyName(name));
}

std::u16string VacancyBoxText(std::u16string_view label, std::u16string_view title) {
    std::u16string text(label);
    if (!text.empty() && !title.empty()) text += u' ';
    text += title;
    return text;
}

void DressVacancy(CellRecord& cell) {
    cell.fontColor = kVacancyFontColor;
    cell.backColor = kVacancyFillColor;
}
