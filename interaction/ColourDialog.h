// The system colour dialog as the property editors open it: fully expanded, starting from grey,
// with the program's shared custom colours. Tests replace it through the seam.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>

struct Workspace;

constexpr COLORREF kColourDialogStart = 0x808080;

// Answers one colour dialog: the chosen colour, or -1 when cancelled. It may change the custom
// colours, as the user can in the real dialog.
using ColourDialogSeam = std::function<int(HWND owner, std::array<uint32_t, 16>& customColors)>;

// Shows the dialog owned by owner; the chosen colour, or -1 when cancelled.
int ChooseColour(HWND owner, Workspace& app);

// Installs a seam; an empty one puts the system dialog back.
void SetColourDialogSeam(ColourDialogSeam seam);
