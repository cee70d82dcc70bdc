// The message tables in Spanish, Portuguese, French, German, English and Italian.
#include "app/Messages.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace {

// One entry per language, in language-index order.
using Entry = std::array<std::u16string_view, kLanguageCount>;

struct Key {
    MessageTable table;
    int item;
    bool operator<(const Key& other) const {
        return table != other.table ? table < other.table : item < other.item;
    }
};

const std::map<Key, Entry>& Tables() {
    static const std::map<Key, Entry> tables = {
        {{MessageTable::Caption, 0},
         {u"Programador", u"Programador", u"Programmeur", u"Programmierer", u"Programmer", u"Programmatore"}},
        {{MessageTable::Chart, 1},
         {u"Organigrama", u"Organograma", u"Organigramme", u"Organigramm", u"Organization chart",
          u"Organigramma"}},
        {{MessageTable::ExitQuestion, 0},
         {u"Realmente deseas salir del programa ?", u"Deseja realmente sair do programa ?",
          u"Voulez-vous vraiment quitter le programme ?", u"Wollen Sie das Programm wirklich beenden ?",
          u"You really want to exit the program ?", u"Vuoi davvero uscire dal programma ?"}},
    };
    return tables;
}

} // namespace

std::u16string_view MessageText(int languageIndex, MessageTable table, int item) {
    if (languageIndex < 1 || languageIndex > kLanguageCount) languageIndex = 1;
    auto it = Tables().find(Key{table, item});
    if (it == Tables().end()) return {};
    return it->second[languageIndex - 1];
}
