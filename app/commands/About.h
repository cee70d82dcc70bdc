// The about box: an animated icon, two lines of thanks, a "Salir" button and the program's name and
// version, with no owner so the main window stays usable while it is open.
#pragma once

#include <windows.h>

#include <string>

struct App;

constexpr int kAboutTimerId = 1521;
constexpr int kAboutIconId = 1018;
constexpr int kAboutThanksId = 1019;
constexpr int kAboutInvitationId = 1020;
constexpr int kAboutCloseId = 1017;
constexpr int kAboutVersionId = 1021;
constexpr int kAboutFirstFrame = 701;
constexpr int kAboutLastFrame = 707;

// Shows the box modally; returns when "Salir" has closed it. The "Author" command guards against a
// second box.
void ShowAbout(App& app);

// "Cuadrix 1.0.0": the product name and version of the program's version resource.
std::wstring VersionLine();
