// The settings keys in the order they are read and written, their default texts, the number rule
// used to read them, and the mapping between keys and the shell state (no file access here).
#pragma once

#include "ui/Shell.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Section and key names are Windows-1252 bytes ("Tama\xF1o"), as the settings file stores them.
struct SettingsKey {
    std::string_view section;
    std::string_view name;
    std::string_view defaultText;
};

constexpr int kSettingsKeyCount = 19;
const std::array<SettingsKey, kSettingsKeyCount>& SettingsKeys();

// Reads a stored value as a number: leading blanks are skipped, an optional sign and the digits
// after it are taken, and reading stops at the first character that cannot continue the number.
// Text without digits gives 0; values beyond 32 bits are held at the nearest limit.
int32_t SettingsNumber(std::string_view text);

// Stored text of a key, or its default text when the key is missing.
using ReadSettingFn = std::function<std::string(const SettingsKey& key)>;
// Writes a key's text; false when it could not be written.
using WriteSettingFn = std::function<bool(const SettingsKey& key, const std::string& value)>;

// Reads every key in order into the shell state. The character set keeps the low 16 bits; a
// language index outside 1..6 selects Spanish.
void LoadSettings(ShellState& shell, const ReadSettingFn& read);

// Writes every key in order from the shell state as decimal text; a key that cannot be written is
// skipped. Returns the number of keys written.
int StoreSettings(const ShellState& shell, const WriteSettingFn& write);

// A ruler style outside 1..3 becomes 1 (the rulers know no other style).
int32_t ClampRulerStyle(int32_t rulerStyle);
