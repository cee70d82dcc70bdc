// Where the chart lies on the table picture: the cells the exports draw (boxes, marks, connectors)
// taken from the extents the last update of the table picture recorded.
#pragma once

#include "document/Document.h"
#include "render/RenderState.h"

#include <windows.h>

// The bounds of every pixel the chart's cells touch on the table picture, with one cell around
// them; empty when the picture shows no chart cell or was not drawn for this table.
RECT ChartBoundsOnTablePicture(const RenderState& render, const Document& doc);
