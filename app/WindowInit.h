// Start-up in its fixed order, and the initialisation the main window performs when it is
// created: working state, disabled document commands and the work file named on the command line.
#pragma once

#include "app/Association.h"
#include "app/CommandLine.h"

#include <windows.h>

#include <string>

struct App;

// The main window's creation-time initialisation, once its controls and menu bar exist.
void InitialiseMainWindow(App& app, HWND window);

// The work file named by the command line (program name first): read and shown when it exists,
// reported when it does not; nothing when the line names only the program.
void OpenCommandLineFile(App& app, const std::wstring& commandLine);

// Which common-controls initialiser was found and called.
enum class CommonControlsInit { None, Extended, Plain };
CommonControlsInit InitialiseCommonControls();

// Offers the registration of ".qdrx" in all six languages when no open command is registered for
// it, and registers it on Yes (its buttons in the language given). Returns true when it registered.
bool OfferFileAssociation(const AssociationPlaces& places, int languageIndex = 1);

// Settings, GDI+, common controls, the registration offer, the main window, GDI+ shutdown.
int RunProgram();
