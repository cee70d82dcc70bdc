// The settings keys: order, defaults, the number rule and the mapping to the shell state.
#include "app/state/SettingsKeys.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace {

// A settings file held in memory: missing keys read as their default text.
struct MemoryStore {
    std::map<std::string, std::string> values; // "section/key" -> text
    std::vector<std::string> writeOrder;

    static std::string Name(const SettingsKey& key) {
        return std::string(key.section) + "/" + std::string(key.name);
    }
    ReadSettingFn Reader() {
        return [this](const SettingsKey& key) {
            auto it = values.find(Name(key));
            return it == values.end() ? std::string(key.defaultText) : it->second;
        };
    }
    WriteSettingFn Writer() {
        return [this](const SettingsKey& key, const std::string& value) {
            values[Name(key)] = value;
            writeOrder.push_back(Name(key));
            return true;
        };
    }
};

} // namespace

TEST(SettingsNumber, ReadsTheLeadingNumberAndStopsWhereItEnds) {
    EXPECT_EQ(42, SettingsNumber("42"));
    EXPECT_EQ(42, SettingsNumber("   42abc"));
    EXPECT_EQ(16777215, SettingsNumber("\t 16777215 "));
    EXPECT_EQ(-7, SettingsNumber("-7"));
    EXPECT_EQ(5, SettingsNumber("+5"));
    EXPECT_EQ(1, SettingsNumber("1.9"));
    EXPECT_EQ(0, SettingsNumber("0x10"));
    EXPECT_EQ(12, SettingsNumber("12 34"));
}

TEST(SettingsNumber, TextThatIsNotANumberGivesZero) {
    EXPECT_EQ(0, SettingsNumber(""));
    EXPECT_EQ(0, SettingsNumber("abc"));
    EXPECT_EQ(0, SettingsNumber("   "));
    EXPECT_EQ(0, SettingsNumber("-"));
    EXPECT_EQ(0, SettingsNumber("- 5"));
    EXPECT_EQ(0, SettingsNumber("Espa\xF1ol"));
}

TEST(SettingsNumber, ValuesBeyondThirtyTwoBitsAreHeldAtTheLimit) {
    EXPECT_EQ(INT_MAX, SettingsNumber("2147483647"));
    EXPECT_EQ(INT_MAX, SettingsNumber("2147483648"));
    EXPECT_EQ(INT_MAX, SettingsNumber("99999999999999999999999"));
    EXPECT_EQ(INT_MIN, SettingsNumber("-2147483648"));
    EXPECT_EQ(INT_MIN, SettingsNumber("-99999999999999999999999"));
}

TEST(SettingsKeysTable, NineteenKeysInFileOrderWithTheirSections) {
    const std::vector<std::string> expected = {"General/caracteres",
                                               "General/Color fondo",
                                               "General/Regleta",
                                               "General/Idioma",
                                               "Config Copia/Colfondo",
                                               "Config Copia/Colfuente",
                                               "Config Copia/Fuente",
                                               "Config Copia/Tama\xF1o",
                                               "Config Copia/Negrita",
                                               "Config Copia/Italica",
                                               "Config Copia/Subrayado",
                                               "Config Copia/Tachado",
                                               "Config Copia/Leading",
                                               "Config Copia/Texto",
                                               "Config Copia/Imagen",
                                               "Config Copia/Icono",
                                               "Config Copia/Alineacion",
                                               "Config Copia/Tipo Numero",
                                               "Config Copia/Permite Numero"};
    std::vector<std::string> names;
    for (const SettingsKey& key : SettingsKeys())
        names.push_back(MemoryStore::Name(key));
    EXPECT_EQ(expected, names);
    // The one non-ASCII name is a single Windows-1252 byte, not UTF-8.
    EXPECT_EQ(6u, SettingsKeys()[7].name.size());
    EXPECT_EQ('\xF1', SettingsKeys()[7].name[4]);
}

TEST(LoadSettings, WithoutAFileEverythingTakesItsDefault) {
    ShellState shell;
    shell.languageIndex = 5;
    shell.rulerStyle = 3;
    shell.characterSet = 177;
    shell.favouriteBackground = 0x123456;
    shell.copyFlags.fill(0);
    MemoryStore store;
    LoadSettings(shell, store.Reader());
    EXPECT_EQ(1, shell.languageIndex);
    EXPECT_EQ(1, shell.rulerStyle);
    EXPECT_EQ(0, shell.characterSet);
    EXPECT_EQ(0xFFFFFF, shell.favouriteBackground);
    for (int flag : shell.copyFlags)
        EXPECT_EQ(1, flag);
}

TEST(LoadSettings, EachKeyReachesItsOwnField) {
    MemoryStore store;
    store.values["General/caracteres"] = "177";
    store.values["General/Color fondo"] = "255";
    store.values["General/Regleta"] = "2";
    store.values["General/Idioma"] = "4";
    // Only the number-format type is copied: the two number keys must not be confused.
    for (const SettingsKey& key : SettingsKeys())
        if (key.section == "Config Copia") store.values[MemoryStore::Name(key)] = "0";
    store.values["Config Copia/Tipo Numero"] = "1";
    store.values["Config Copia/Tama\xF1o"] = "1";
    ShellState shell;
    LoadSettings(shell, store.Reader());
    EXPECT_EQ(177, shell.characterSet);
    EXPECT_EQ(255, shell.favouriteBackground);
    EXPECT_EQ(2, shell.rulerStyle);
    EXPECT_EQ(4, shell.languageIndex);
    for (int field = 0; field < kCopyFieldCount; ++field) {
        bool set = field == kCopyNumberFormatType || field == kCopyFontSize;
        EXPECT_EQ(set ? 1 : 0, shell.copyFlags[field]) << field;
    }
}

TEST(LoadSettings, LanguageOutsideTheSixSelectsSpanishAndCharacterSetKeepsSixteenBits) {
    for (const char* stored : {"0", "7", "-3", "abc", "99999"}) {
        MemoryStore store;
        store.values["General/Idioma"] = stored;
        ShellState shell;
        shell.languageIndex = 5;
        LoadSettings(shell, store.Reader());
        EXPECT_EQ(1, shell.languageIndex) << stored;
    }
    MemoryStore store;
    store.values["General/Idioma"] = "6";
    store.values["General/caracteres"] = "65713"; // 65536 + 177
    ShellState shell;
    LoadSettings(shell, store.Reader());
    EXPECT_EQ(6, shell.languageIndex);
    EXPECT_EQ(177, shell.characterSet);
    store.values["General/caracteres"] = "65535";
    LoadSettings(shell, store.Reader());
    EXPECT_EQ(-1, shell.characterSet);
}

TEST(StoreSettings, WritesEveryKeyInOrderAndReadsBackTheSameState) {
    ShellState shell;
    shell.languageIndex = 3;
    shell.characterSet = 238;
    shell.favouriteBackground = 0x00C08040;
    shell.rulerStyle = 2;
    for (int field = 0; field < kCopyFieldCount; ++field)
        shell.copyFlags[field] = field % 3 == 0 ? 1 : 0;
    MemoryStore store;
    EXPECT_EQ(kSettingsKeyCount, StoreSettings(shell, store.Writer()));
    std::vector<std::string> order;
    for (const SettingsKey& key : SettingsKeys())
        order.push_back(MemoryStore::Name(key));
    EXPECT_EQ(order, store.writeOrder);
    EXPECT_EQ("238", store.values["General/caracteres"]);
    EXPECT_EQ(std::to_string(0x00C08040), store.values["General/Color fondo"]);
    EXPECT_EQ("3", store.values["General/Idioma"]);
    EXPECT_EQ(shell.copyFlags[kCopyNumberFormatAllowed] ? "1" : "0",
              store.values["Config Copia/Permite Numero"]);

    ShellState loaded;
    LoadSettings(loaded, store.Reader());
    EXPECT_EQ(shell.languageIndex, loaded.languageIndex);
    EXPECT_EQ(shell.characterSet, loaded.characterSet);
    EXPECT_EQ(shell.favouriteBackground, loaded.favouriteBackground);
    EXPECT_EQ(shell.rulerStyle, loaded.rulerStyle);
    EXPECT_EQ(shell.copyFlags, loaded.copyFlags);
}

TEST(StoreSettings, NegativeValuesAreWrittenWithTheirSignAndAFailedKeyIsSkipped) {
    ShellState shell;
    shell.characterSet = -1;
    MemoryStore store;
    int attempts = 0;
    WriteSettingFn writer = [&](const SettingsKey& key, const std::string& value) {
        ++attempts;
        if (key.name == "Regleta") return false;
        return store.Writer()(key, value);
    };
    EXPECT_EQ(kSettingsKeyCount - 1, StoreSettings(shell, writer));
    EXPECT_EQ(kSettingsKeyCount, attempts);
    EXPECT_EQ("-1", store.values["General/caracteres"]);
    EXPECT_EQ(0u, store.values.count("General/Regleta"));
    EXPECT_EQ("1", store.values["Config Copia/Permite Numero"]);
}

TEST(RulerStyle, OnlyTheThreeStylesSurvive) {
    EXPECT_EQ(1, ClampRulerStyle(1));
    EXPECT_EQ(2, ClampRulerStyle(2));
    EXPECT_EQ(3, ClampRulerStyle(3));
    EXPECT_EQ(1, ClampRulerStyle(4));
    EXPECT_EQ(1, ClampRulerStyle(7));
    EXPECT_EQ(1, ClampRulerStyle(9));
    EXPECT_EQ(1, ClampRulerStyle(0));
    EXPECT_EQ(1, ClampRulerStyle(-2));
}
