// The settings keys, their defaults, the number rule and the mapping to the shell state.
#include "app/state/SettingsKeys.h"

#include <limits>

namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kCopy = "Config Copia";

// The copy flag behind each "Config Copia" key, in key order (the two number-format keys are stored
// type first, although their menu items stand the other way round).
constexpr std::array<CopyField, 15> kCopyKeyFields = {
    kCopyBackColor, kCopyFontColor, kCopyFontName,  kCopyFontSize,         kCopyBold,
    kCopyItalic,    kCopyUnderline, kCopyStrikeout, kCopyLeading,          kCopyText,
    kCopyImage,     kCopyIcon,      kCopyAlignment, kCopyNumberFormatType, kCopyNumberFormatAllowed};

constexpr int kGeneralKeyCount = 4;

// The "General" keys in order: character set, favourite background, ruler style, language.
int32_t GeneralValue(const ShellState& shell, int index) {
    const int32_t values[kGeneralKeyCount] = {shell.characterSet, shell.favouriteBackground, shell.rulerStyle,
                                              shell.languageIndex};
    return values[index];
}

} // namespace

const std::array<SettingsKey, kSettingsKeyCount>& SettingsKeys() {
    static const std::array<SettingsKey, kSettingsKeyCount> keys = {{
        {kGeneral, "caracteres", "0"},  {kGeneral, "Color fondo", "16777215"},
        {kGeneral, "Regleta", "1"},     {kGeneral, "Idioma", "1"},
        {kCopy, "Colfondo", "1"},       {kCopy, "Colfuente", "1"},
        {kCopy, "Fuente", "1"},         {kCopy, "Tama\xF1o", "1"},
        {kCopy, "Negrita", "1"},        {kCopy, "Italica", "1"},
        {kCopy, "Subrayado", "1"},      {kCopy, "Tachado", "1"},
        {kCopy, "Leading", "1"},        {kCopy, "Texto", "1"},
        {kCopy, "Imagen", "1"},         {kCopy, "Icono", "1"},
        {kCopy, "Alineacion", "1"},     {kCopy, "Tipo Numero", "1"},
        {kCopy, "Permite Numero", "1"},
    }};
    return keys;
}

int32_t SettingsNumber(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return value >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(value);
}

void LoadSettings(ShellState& shell, const ReadSettingFn& read) {
    const auto& keys = SettingsKeys();
    shell.characterSet = static_cast<int16_t>(static_cast<uint16_t>(SettingsNumber(read(keys[0]))));
    shell.favouriteBackground = SettingsNumber(read(keys[1]));
    shell.rulerStyle = SettingsNumber(read(keys[2]));
    shell.languageIndex = SettingsNumber(read(keys[3]));
    if (shell.languageIndex < 1 || shell.languageIndex > 6) shell.languageIndex = 1;
    for (size_t i = 0; i < kCopyKeyFields.size(); ++i)
        shell.copyFlags[kCopyKeyFields[i]] = SettingsNumber(read(keys[kGeneralKeyCount + i]));
}

int StoreSettings(const ShellState& shell, const WriteSettingFn& write) {
    const auto& keys = SettingsKeys();
    int written = 0;
    for (int i = 0; i < kGeneralKeyCount; ++i)
        if (write(keys[i], std::to_string(GeneralValue(shell, i)))) ++written;
    for (size_t i = 0; i < kCopyKeyFields.size(); ++i)
        if (write(keys[kGeneralKeyCount + i], std::to_string(shell.copyFlags[kCopyKeyFields[i]]))) ++written;
    return written;
}

int32_t ClampRulerStyle(int32_t rulerStyle) {
    return rulerStyle >= 1 && rulerStyle <= 3 ? rulerStyle : 1;
}
