// Start-up in its fixed order: settings, texts, GDI+, a conversion of the command line or the
// common controls, the registration offer and the main window.
#pragma once

#include "app/state/Association.h"

#include <windows.h>

#include <string>

// Which common-controls initialiser was found and called.
enum class CommonControlsInit { None, Extended, Plain };
CommonControlsInit InitialiseCommonControls();

// Offers the registration of ".qdrx" in all six languages when no open command is registered for
// it, and registers it on Yes (its buttons in the language given). Returns true when it registered.
bool OfferFileAssociation(const AssociationPlaces& places, int languageIndex = 1);

// Settings, GDI+, common controls, the registration offer, the main window, GDI+ shutdown.
int RunProgram();
