// The file association of work files: whether an open command is registered for the extension,
// and its registration for the current user (no administrator rights needed).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A place where file-type keys live: a root key and a path below it ("" for the root itself).
struct ClassesPlace {
    HKEY root;
    std::wstring path;
};

// Where the association is looked up (in order, the first place that has a key wins) and where it
// is registered, and the program whose path is registered. Tests point these at keys of their own.
struct AssociationPlaces {
    std::vector<ClassesPlace> lookIn;
    ClassesPlace registerIn;
    std::wstring programPath;
};

// The user's classes first, then HKEY_CLASSES_ROOT, as Windows' merged view reads them (Wine does
// not merge the two); registration goes to the user's classes; the running program.
AssociationPlaces DefaultAssociationPlaces();

// The expanded open command registered for the extension (with its dot), or empty when the
// extension or its file type's shell\open\command is missing or empty. Keys are opened for reading
// only, so ordinary users get a true answer.
std::wstring QueryOpenCommand(const std::wstring& extension,
                              const AssociationPlaces& places = DefaultAssociationPlaces());

// Registers the extension (without dot): ".ext" names the type "ext-files", whose DefaultIcon is
// the program path and icon index and whose open command starts the program with the document.
// Each value is written whether or not the previous one was.
void RegisterFileType(const std::wstring& extension, int iconIndex,
                      const AssociationPlaces& places = DefaultAssociationPlaces());

// The program path with every backslash doubled, as the association values hold it.
std::wstring DoubledBackslashes(const std::wstring& path);

// Sets a REG_SZ value; root 0 means HKEY_CURRENT_USER; leading and trailing backslashes of the key
// path are ignored; the key is created when missing; an empty name is the key's default value.
// Names and values longer than 1023 characters are refused. Returns 1 when written, 0 otherwise.
int SetRegistryValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                     const std::wstring& value);
