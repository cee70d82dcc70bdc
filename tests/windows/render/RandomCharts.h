// Random tables for the renderer tests: boxes with every kind of content (long, turned and number
// texts, pictures, icons, missing files), connectors reaching out of their cells, merges both
// ways, cancelled and marked cells.
#pragma once

#include "document/Document.h"

#include <random>
#include <string>

struct Random {
    std::mt19937 engine;
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
};

// The files boxes show: a picture, an icon (ANSI paths) and a path where no file is.
struct Files {
    std::string picture, icon, missing;
};
const Files& TestFiles();

// New content for a box, as the text-properties dialog, the picture and the icon insertion leave it.
void RandomContent(Random& random, CellRecord& cell);

// Connectors of a guide cell, their ends anywhere from a cell before it to two cells after.
void RandomConnector(Random& random, CellRecord& cell, int cellSize);

// A table of 6 to 24 cells each way, with random cell size, thickness, separation and paper.
Document RandomTable(Random& random);
