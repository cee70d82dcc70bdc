// The loader's messages about cell pictures that could not be read at a draw.
#pragma once

#include "render/PictureCache.h"

#include <windows.h>

// Shows the messages the draws have left in the cache, in order, and forgets them.
void ReportPictureProblems(PictureCache& cache, HWND owner);
